# A document stream loaded into a preview's document: a stream that does not hold up must be
# refused and leave the document as it was; one that loads must save and load again alike.
duebell_add_fuzzer(fuzz_document SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_document.cpp LIBS print)
