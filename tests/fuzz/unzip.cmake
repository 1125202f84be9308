# Opening an archive held in memory and testing every entry (decoded and checked against
# its CRC, nothing written).
duebell_add_fuzzer(fuzz_unzip SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_unzip.cpp LIBS zip)
