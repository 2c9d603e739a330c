# The real test servers (update server script, proxies) and the HTTP client.
find_package(nlohmann_json REQUIRED)
add_library(pc_test_servers STATIC fixture/test_servers.cpp)
target_include_directories(pc_test_servers PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(pc_test_servers PUBLIC nlohmann_json::nlohmann_json)
target_compile_definitions(pc_test_servers PRIVATE PC_TEST_SERVERS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/servers")

pc_add_test(test_http SOURCES http_client_test.cpp status_text_test.cpp LIBS pc_http pc_test_servers)
