# An animated cursor and an icon file from the same bytes; what reads must hold together and
# icons must write and read back alike.
duebell_add_fuzzer(fuzz_anicursor SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_anicursor.cpp LIBS pictureformats)
