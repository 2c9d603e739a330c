if(PC_SANITIZE)
  add_compile_options(-fsanitize=${PC_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all -g)
  add_link_options(-fsanitize=${PC_SANITIZE})
endif()
# ThreadSanitizer does not model stand-alone fences; GCC says so for the
# one the index table needs when it becomes the sole owner of a shared
# series. The fence stays; the notice is not a fault of the code.
if(PC_SANITIZE MATCHES "thread" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wno-tsan)
endif()
