duebell_add_fuzzer(fuzz_numbertext SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_numbertext.cpp LIBS objectlist)
