# A GIF file read strictly and with damage tolerated; what reads is coded, written and read
# again to the same pixels, and every frame of it drawn.
duebell_add_fuzzer(fuzz_gif SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_gif.cpp LIBS pictures)
