# Warnings are errors-in-waiting: every target gets them, none may be left.
add_compile_options(-Wall -Wextra -Wpedantic)
# GCC 12 warns falsely about "text" + std::string&& in optimised builds, a
# known false positive of that version; it says nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
