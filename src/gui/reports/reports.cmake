# The report engine and the two report definitions, on Qt's painting only
# (no widgets), so that the companion can write the same PDFs.
add_library(pc_report_render STATIC
  ${CMAKE_CURRENT_LIST_DIR}/report_engine.cpp ${CMAKE_CURRENT_LIST_DIR}/report_engine.h
  ${CMAKE_CURRENT_LIST_DIR}/report_fonts.cpp ${CMAKE_CURRENT_LIST_DIR}/report_fonts.h
  ${CMAKE_CURRENT_LIST_DIR}/report_definitions.cpp ${CMAKE_CURRENT_LIST_DIR}/report_definitions.h
  ${CMAKE_CURRENT_LIST_DIR}/report_output.cpp ${CMAKE_CURRENT_LIST_DIR}/report_output.h
  ${CMAKE_CURRENT_LIST_DIR}/report_text.h)
target_include_directories(pc_report_render PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(pc_report_render PUBLIC pc_reports Qt6::Gui)
target_compile_definitions(pc_report_render PUBLIC QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII)

target_sources(pc_gui PRIVATE
  report_commands.cpp report_commands.h
  report_module.cpp report_module.h
  print_preview_frame.cpp print_preview_frame.h
  report_page_view.cpp report_page_view.h
  print_bd_dialog.cpp print_bd_dialog.h print_bd_dialog.ui)
target_link_libraries(pc_gui PUBLIC pc_report_render)
