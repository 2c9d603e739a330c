# The settings store: every per-user setting, kept in the registry.
pc_add_core_library(pc_settings
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/kv_config.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/settings_layout.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/password_scramble.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/proxy_list.cpp
  LIBS pc_platform pc_common)
