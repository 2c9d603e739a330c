# Our thin layer over the operating system: the settings registry, the
# shell, temporary and data folders, the system proxy, local time and the
# few file calls that settings and log need.
find_package(nlohmann_json 3 REQUIRED)
pc_add_core_library(pc_platform
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/registry_tree.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/memory_registry.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/file_registry.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/settings_file_format.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/environment.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/folders.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/system_proxy.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/local_time.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/file_write.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/file_read.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/write_safety.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/temp_files.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/desktop_services.cpp
  LIBS pc_common)
target_link_libraries(pc_platform PRIVATE nlohmann_json::nlohmann_json)
