# The update pass: information file, both download transports with their
# fall-back, the worker thread and the connection test.
pc_add_core_library(pc_update
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/update_result.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/file_names.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/info_file.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/transfer_pace.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/url_mon.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ics_transport.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/downloader.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/main_thread_sync.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/kv_update.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/proxy_check.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/server_url.cpp
  LIBS pc_http pc_settings pc_update_log pc_platform)
# The update server the program talks to unless told otherwise.
target_compile_definitions(pc_update PRIVATE PC_UPDATE_SERVER="${PC_UPDATE_SERVER}")
