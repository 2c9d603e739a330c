# What the update and online-index forms show and send, without any window.
target_sources(pc_update PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/form_texts.cpp)
