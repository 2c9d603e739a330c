if(PC_SANITIZE)
  add_compile_options(-fsanitize=${PC_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all -g)
  add_link_options(-fsanitize=${PC_SANITIZE})
endif()
