# Record container files and the typed storage image of project and index
# documents on top of them.
find_package(ZLIB REQUIRED)
pc_add_core_library(pc_storage
  SOURCES
    kl_crc.cpp
    file_system.cpp
    atomic_file.cpp
    staged_file_system.cpp
    kl_record_reader.cpp
    kl_record_writer.cpp
    kl_file.cpp
    storage_file.cpp
  LIBS ZLIB::ZLIB pc_platform)
