// Writing complex numbers in the general format and with picture formats.
#include "probability.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

std::string general(double re, double im, int digits = 0) {
    const Cplx z{re, im};
    char buffer[128];
    const int n = CplxToStr_PChar(&z, buffer, digits);
    return std::string(buffer, n);
}

std::string picture(double re, double im, const char* fre, const char* fim) {
    const Cplx z{re, im};
    char buffer[512];
    const int n = FormatCplx_PChar(&z, buffer, fre, fim);
    return std::string(buffer, n);
}

TEST(TextWrite, GeneralFormatOfComplexNumbers) {
    const struct {
        double re, im;
        int digits;
        const char* expected;
    } cases[] = {
        {1, -2, 0, "1-2i"},
        {0, 0, 0, "0"},
        {3, 4, 0, "3+4i"},
        {0, 2.5, 0, "2.5i"},
        {-1.5, 0, 0, "-1.5"},
        {0.1, 0, 0, "0.1"},
        {1.0 / 3, 0, 0, "0.333333333333333"},
        {2.0 / 3, 0, 0, "0.666666666666667"},
        {123456789012345.0, 0, 0, "123456789012345"},
        {1e15, 0, 0, "1E15"},
        {1.5e20, 0, 2, "1.5E20"},
        {1.5e20, 0, 3, "1.5E020"},
        {0.00001, 0, 0, "0.00001"},
        {0.000001234, 0, 0, "1.234E-6"},
        {1e-300, 0, 0, "1E-300"},
        {inf, 0, 0, "INF"},
        {-inf, 1, 0, "-INF+1i"},
        {nan, 0, 0, "NAN"},
        {100000, 0, 0, "100000"},
        {0.1 + 0.2, 0, 0, "0.3"},
        {1, 1e-7, 3, "1+1E-007i"},
        {1, 1e-7, 9, "1+1E-0007i"}, // padding stops at four exponent digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(general(c.re, c.im, c.digits), c.expected) << c.re << " " << c.im;
}

TEST(TextWrite, ReturnsTheCountWithoutTerminatingTheBuffer) {
    const Cplx z{1, -2};
    char buffer[8] = "XXXXXXX";
    EXPECT_EQ(CplxToStr_PChar(&z, buffer, 0), 4);
    EXPECT_EQ(std::string(buffer), "1-2iXXX");
}

TEST(TextWrite, PictureFormatsOfComplexNumbers) {
    const struct {
        double re, im;
        const char* fre;
        const char* fim;
        const char* expected;
    } cases[] = {
        {1.5, 0.25, "0.0", "+0.00i;-0.00i", "1.5+0.25i"},
        {1.5, -0.25, "0.0", "+0.00i;-0.00i", "1.5-0.25i"},
        {1.5, 0, "0.0", "+0.00i;-0.00i", "1.5"},
        {0, 2, "0.0", "+0.00i;-0.00i", "+2.00i"},
        {1.5, 2, "", "+0.00i", "1.5+2i"}, // an empty format falls back to the general one
        {1234567.891, 0, "#,##0.00", "0", "1,234,567.89"},
        {-1234.5, 0, "#,##0.00", "0", "-1,234.50"},
        {0.5, 0, "#.##", "0", ".5"},
        {2, 0, "0.##", "0", "2"},
        {2.345, 0, "0.##", "0", "2.35"},
        {1.005, 0, "0.00", "0", "1.01"},
        {0.125, 0, "0.00", "0", "0.13"},
        {7, 0, "000", "0", "007"},
        {12345, 0, "0.00E+00", "0", "1.23E+04"},
        {0.00012345, 0, "0.00E+00", "0", "1.23E-04"},
        {12345, 0, "0.0e-0", "0", "1.2e4"},
        {-5, 0, "0;(0)", "0", "(5)"},
        {0, 0, "0;(0);\"zero\"", "0", "zero"},
        {3, 0, "\"x=\"0", "0", "x=3"},
        {3, 0, "'a;b'0", "0", "a;b3"},
        {-0.001, 0, "0.00", "0", "0.00"},
        {99.996, 0, "0.00", "0", "100.00"},
        {inf, 0, "0.00", "0", "INF"},
        {5, 0, "abc", "0", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(picture(c.re, c.im, c.fre, c.fim), c.expected) << c.re << " " << c.fre;
}

} // namespace
