find_package(ZLIB REQUIRED)
pc_add_test(test_kl_file
  SOURCES kl_file_test.cpp kl_damaged_file_test.cpp
  LIBS pc_storage ZLIB::ZLIB)
pc_add_test(test_storage_file
  SOURCES storage_file_test.cpp storage_golden_test.cpp
  LIBS pc_storage)
pc_add_test(test_atomic_file
  SOURCES atomic_file_test.cpp
  LIBS pc_storage)
pc_add_test(test_storage_threads
  SOURCES storage_threads_test.cpp
  LIBS pc_storage
  LABELS threads)
