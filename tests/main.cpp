// Entry point of every GoogleTest program in the suite.
//
// Widget tests run on Qt's offscreen platform unless the caller chose another
// one, and the sanitizer settings live here rather than in each test's
// environment, so a test program behaves the same under ctest, by hand, and in
// the child processes it starts.
#include <cstdlib>

#include <gtest/gtest.h>

#define SUITE_ASAN_OPTIONS "detect_leaks=1:strict_string_checks=1"
#define SUITE_UBSAN_OPTIONS "print_stacktrace=1:halt_on_error=1"
#define SUITE_LSAN_OPTIONS "suppressions=" SUITE_LSAN_SUPPRESSIONS ":print_suppressions=0"

extern "C" const char* __asan_default_options() {
    return SUITE_ASAN_OPTIONS;
}
extern "C" const char* __ubsan_default_options() {
    return SUITE_UBSAN_OPTIONS;
}
extern "C" const char* __lsan_default_options() {
    return SUITE_LSAN_OPTIONS;
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Child processes (helpers, the batch command) are not linked with this
    // file; they read the same settings from the environment.
    setenv("ASAN_OPTIONS", SUITE_ASAN_OPTIONS, 0);
    setenv("UBSAN_OPTIONS", SUITE_UBSAN_OPTIONS, 0);
    setenv("LSAN_OPTIONS", SUITE_LSAN_OPTIONS, 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
