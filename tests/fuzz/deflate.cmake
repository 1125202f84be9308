# Deflating any input at any level and inflating it again must give the input back.
duebell_add_fuzzer(fuzz_deflate SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_deflate.cpp LIBS zip)
