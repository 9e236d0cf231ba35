# Helpers shared by every deliverable: tests, fuzz targets and benchmarks are
# declared the same way everywhere, so CI runs them all alike.

# Environment of the tests that are not GoogleTest programs (fuzz targets,
# command-line checks); GoogleTest programs set the same in tests/main.cpp.
set(SUITE_TEST_ENV
    "QT_QPA_PLATFORM=offscreen"
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# suite_add_gtest(NAME SOURCES file... LIBS lib... [LABELS label...])
# One GoogleTest program; each test case becomes a CTest test.
function(suite_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/main.cpp)
  target_compile_definitions(${name} PRIVATE
    SUITE_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/cmake/lsan.supp")
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  # The environment comes from tests/main.cpp: a list-valued ENVIRONMENT does
  # not survive test discovery.
  set(properties)
  if(ARG_LABELS)
    set(properties PROPERTIES LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    ${properties})
endfunction()

# suite_add_fuzzer(NAME SOURCES file... LIBS lib... [CORPUS dir])
# A fuzz target defines LLVMFuzzerTestOneInput. With the standalone engine it
# is linked with our random driver and runs SUITE_FUZZ_SECONDS as a test, from
# the fixed seed SUITE_FUZZ_SEED so that a test run can be repeated; with
# clang's libFuzzer it is a real coverage-guided fuzzer.
function(suite_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  if(SUITE_FUZZ_ENGINE STREQUAL "libfuzzer")
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/driver.cpp)
    set(corpus_args)
    if(ARG_CORPUS)
      set(corpus_args ${ARG_CORPUS})
    endif()
    add_test(NAME ${name} COMMAND ${name} -max_total_time=${SUITE_FUZZ_SECONDS} -timeout=10
             -seed=${SUITE_FUZZ_SEED} ${corpus_args})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${SUITE_TEST_ENV}" LABELS fuzz)
  endif()
endfunction()

# suite_add_benchmark(NAME SOURCES file... LIBS lib...)
function(suite_add_benchmark name)
  if(NOT SUITE_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
