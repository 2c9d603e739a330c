pc_add_core_library(pc_common SOURCES
  cp1252.cpp
  date_text.cpp
  date_time.cpp
  decimal_digits.cpp
  messages.cpp
  number_text.cpp
  recording_messages.cpp
  rounding.cpp
  text_routines.cpp
)
