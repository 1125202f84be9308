# Helpers shared by the subsystem, test, benchmark and fuzz folders.

# True when the folder's library can be built in this configuration: the fuzz build
# compiles the Qt-free engine and, of the Qt folders, only those a fuzz target reads with
# (the print library's document loader, the GIF picture, and the controls beneath them).
set(DUEBELL_FUZZ_QT_FOLDERS controls pictures print)
function(duebell_qt_allowed out)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  if(DUEBELL_FUZZ AND NOT folder IN_LIST DUEBELL_FUZZ_QT_FOLDERS)
    set(${out} FALSE PARENT_SCOPE)
  else()
    set(${out} TRUE PARENT_SCOPE)
  endif()
endfunction()

# The thread sanitizer's options and suppressions, built into an executable of a thread
# sanitizer build.
function(duebell_add_sanitizer_options name)
  if(DUEBELL_SANITIZE_THREAD)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/tsanoptions.cpp)
  endif()
endfunction()

# duebell_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <seconds>])
# One GoogleTest executable, its cases registered with CTest one by one; each case may take
# 600 s unless TIMEOUT says otherwise.
function(duebell_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    DUEBELL_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    DUEBELL_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  duebell_add_sanitizer_options(${name})
  # Each property holds one value: a list would be split into names and values on its way to
  # the tests discovered at test time.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ENVIRONMENT_MODIFICATION "LC_ALL=set:C"
               TIMEOUT ${ARG_TIMEOUT})
endfunction()

# duebell_add_benchmark(<name> SOURCES <files...> LIBS <targets...>)
# Built with the project, never run by CTest.
function(duebell_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# duebell_add_fuzzer(<name> SOURCES <files...> LIBS <targets...>)
# A libFuzzer target; scripts/test runs every one of them for a bounded time.
function(duebell_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
endfunction()
