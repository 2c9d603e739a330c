# The project commands of the companion: show, calc, import-json and
# export-json. Their logic is a library of its own so that the tests can run
# it in the same process; the small command files register them.
find_package(nlohmann_json 3 REQUIRED)
add_library(pc_cli_project STATIC
  ${CMAKE_CURRENT_LIST_DIR}/project_cli.cpp
  ${CMAKE_CURRENT_LIST_DIR}/project_report.cpp)
target_include_directories(pc_cli_project PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(pc_cli_project PUBLIC pc_project_json pc_project pc_settings pc_platform
  nlohmann_json::nlohmann_json)

target_sources(prijscorrectum-cli PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cmd_show.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_calc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_import_json.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_export_json.cpp)
target_link_libraries(prijscorrectum-cli PRIVATE pc_cli_project)
