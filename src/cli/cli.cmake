# The companion program; each command's file is added by its own piece
# (target_sources(prijscorrectum-cli PRIVATE ...)).
add_executable(prijscorrectum-cli main.cpp command_registry.cpp)
target_include_directories(prijscorrectum-cli PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(prijscorrectum-cli PRIVATE prijscorrectum_core)
