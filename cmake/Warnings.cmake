# Warnings are errors-in-waiting: every target gets them, none may be left.
add_compile_options(-Wall -Wextra -Wpedantic)
