add_executable(prijscorrectum-cli main.cpp)
target_link_libraries(prijscorrectum-cli PRIVATE prijscorrectum_core)
