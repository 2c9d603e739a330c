pc_add_test(test_common SOURCES
  cp1252_test.cpp
  date_text_test.cpp
  date_time_test.cpp
  messages_test.cpp
  number_text_test.cpp
  rounding_test.cpp
  text_routines_test.cpp
  LIBS pc_common)
