# Blocking HTTP GET on libcurl: direct, through an HTTP proxy or a SOCKS server.
find_package(CURL REQUIRED)
pc_add_core_library(pc_http
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/http_client.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/status_text.cpp
  LIBS CURL::libcurl)
