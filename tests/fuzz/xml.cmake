# An XML document loaded into a small record tree: a bad document must fail cleanly and leave
# the tree as it was; a good one must save to a file that loads and saves again alike.
duebell_add_fuzzer(fuzz_xml SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_xml.cpp LIBS objectlist)
target_include_directories(fuzz_xml PRIVATE ${PROJECT_SOURCE_DIR}/tests/objectlist)
