# Each source and test folder holds one or more <piece>.cmake files, each
# owned by one piece of work; pc_include_pieces() pulls them all in.
macro(pc_include_pieces)
  file(GLOB _pc_pieces CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  list(SORT _pc_pieces)
  foreach(_pc_piece IN LISTS _pc_pieces)
    include(${_pc_piece})
  endforeach()
endmacro()

# pc_add_core_library(name SOURCES ... LIBS ...): a GUI-free subsystem library
# that becomes part of prijscorrectum_core.
function(pc_add_core_library name)
  cmake_parse_arguments(L "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_LIBS})
  set_property(GLOBAL APPEND PROPERTY PC_CORE_LIBS ${name})
endfunction()
