pc_add_test(test_installments
  SOURCES
    worked_example_test.cpp
  LIBS pc_installments)
