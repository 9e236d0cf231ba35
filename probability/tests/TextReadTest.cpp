// Reading numbers and complex numbers from text.
#include "probability.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <limits>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

TEST(TextRead, NumbersInTheLocaleAndTheOtherSeparator) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"2.5", 2.5},  {"1,5", 1.5},    {"-3", -3},        {"+4.25", 4.25}, {" 7 ", 7},
        {"1e3", 1000}, {"1E-3", 0.001}, {".5", 0.5},       {"5.", 5},       {"-0.125e+2", -12.5},
        {"inf", inf},  {"-INF", -inf},  {"Infinity", inf}, {"1e400", inf},  {"0.1", 0.1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToVal_PChar(c.text), c.expected) << c.text;
}

TEST(TextRead, NanWordsKeepTheirSign) {
    const struct {
        const char* text;
        bool negative;
    } cases[] = {{"nan", false}, {"-NaN", true}, {"banana", false}, {"NAN-", true}};
    for (const auto& c : cases) {
        const double v = StrToVal_PChar(c.text);
        EXPECT_TRUE(std::isnan(v)) << c.text;
        EXPECT_EQ(std::signbit(v), c.negative) << c.text;
    }
    EXPECT_EQ(std::bit_cast<uint64_t>(StrToVal_PChar("-NaN")), UINT64_C(0xFFF8000000000000));
}

TEST(TextRead, UnreadableTextRaisesTheConversionError) {
    for (const char* text : {"", "abc", "1.2.3", "1e", "--1", "1,5,6", "0x10", "1 2"}) {
        try {
            StrToVal_PChar(text);
            ADD_FAILURE() << "no error for " << text;
        } catch (const ProbabilityError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
}

TEST(TextRead, ComplexNumbersSplitAtTheSignBeforeI) {
    const struct {
        const char* text;
        double re, im;
    } cases[] = {
        {"3+4i", 3, 4},         {"-2.5-i", -2.5, -1}, {"i", 0, 1},
        {"4i", 0, 4},           {"7", 7, 0},          {"1E-3+2i", 0.001, 2},
        {"2+1e-5i", 0, -5},     {"+i", 0, 1},         {"-i", 0, -1},
        {"x+2i", 0, 2},         {" +3i", 0, 3},       {"1,5-2,5i", 1.5, -2.5},
        {"-1E+2-3i", -100, -3},
    };
    for (const auto& c : cases) {
        Cplx r{99, 99};
        StrToCplx_PChar(&r, c.text);
        EXPECT_EQ(r.Re, c.re) << c.text;
        EXPECT_EQ(r.Im, c.im) << c.text;
    }
}

TEST(TextRead, UnreadableImaginaryPartRaises) {
    Cplx r{};
    EXPECT_THROW(StrToCplx_PChar(&r, "1+xi"), ProbabilityError);
    EXPECT_THROW(StrToCplx_PChar(&r, "abc"), ProbabilityError);
}

// Loads a private copy of the library in a child process whose locale uses a
// decimal comma, so that the separator read at load time is ",".
int readWithCommaLocale() {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        return 77;
    const auto copy =
        std::filesystem::temp_directory_path() / ("libprobability-comma-" + std::to_string(getpid()) + ".so");
    std::filesystem::copy_file(PROBABILITY_LIBRARY_PATH, copy,
                               std::filesystem::copy_options::overwrite_existing);
    void* lib = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    std::filesystem::remove(copy);
    if (!lib)
        return 2;
    auto read = reinterpret_cast<double (*)(const char*)>(dlsym(lib, "StrToVal_PChar"));
    if (!read || read("2,5") != 2.5 || read("1.5") != 1.5)
        return 3;
    return std::strcmp(std::localeconv()->decimal_point, ",") == 0 ? 0 : 4;
}

TEST(TextRead, CommaLocaleReadsBothFormsAndKeepsItsSeparator) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(readWithCommaLocale());
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(TextRead, LocaleSeparatorIsTheSameAfterTheSecondAttempt) {
    const std::string before = std::localeconv()->decimal_point;
    EXPECT_EQ(StrToVal_PChar("1,5"), 1.5);
    EXPECT_EQ(std::string(std::localeconv()->decimal_point), before);
    EXPECT_EQ(StrToVal_PChar("2.5"), 2.5);
}

} // namespace
