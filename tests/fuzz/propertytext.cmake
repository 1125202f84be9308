# Texts from a data file stored into every property kind of a record, which then joins a
# sorted list.
duebell_add_fuzzer(fuzz_propertytext SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_propertytext.cpp LIBS objectlist)
