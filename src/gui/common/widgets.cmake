# Small widgets of our own: a link-styled label, a date edit that may be
# empty, and the balloon hint.
target_sources(pc_gui PRIVATE
  link_label.cpp link_label.h
  nullable_date_edit.cpp nullable_date_edit.h
  balloon_hint.cpp balloon_hint.h)
