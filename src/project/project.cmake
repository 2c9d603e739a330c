# The project document, its undo history and index-file persistence; and
# the JSON form of a project used by the command-line companion.
pc_add_core_library(pc_project
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/file_result.cpp
    ${CMAKE_CURRENT_LIST_DIR}/index_location.cpp
    ${CMAKE_CURRENT_LIST_DIR}/merge_questions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/project_data.cpp
    ${CMAKE_CURRENT_LIST_DIR}/index_persistence.cpp
    ${CMAKE_CURRENT_LIST_DIR}/project_history.cpp
    ${CMAKE_CURRENT_LIST_DIR}/document_commands.cpp
  LIBS pc_common pc_indextable pc_installments pc_storage pc_settings pc_pictures pc_platform)

find_package(nlohmann_json 3 REQUIRED)
pc_add_core_library(pc_project_json
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/project_json.cpp
    ${CMAKE_CURRENT_LIST_DIR}/project_json_model.cpp
  LIBS pc_project pc_common nlohmann_json::nlohmann_json)
