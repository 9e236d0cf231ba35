#include "runtime/Number.h"
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <string>

using namespace kartello;

TEST(NumberReader, ReadsLeadingNumericPartWithPeriodDecimal) {
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {".", 0},
        {"12", 12},
        {"12.5", 12.5},
        {"  7.25xyz", 7.25},
        {"-0.5", -0.5},
        {"+3", 3},
        {".5", 0.5},
        {"1,234.5", 1},
        {"12,5", 12},
        {"1e3", 1000},
        {"2E-2", 0.02},
        {"1e", 1},
        {"3D2", 300},
        {"38.7167 N", 38.7167},
        {"\t-9.1333", -9.1333},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(readNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(NumberReader, TellsWholeNumbersFromOtherText) {
    struct Case {
        const char* text;
        bool expected;
    } cases[] = {
        {"", false},   {" ", false},   {"12", true},     {" 12.5 ", true}, {"-.5", true},
        {"1e5", true}, {"12a", false}, {"1,5", false},   {"abc", false},   {"--1", false},
        {".", false},  {"+7", true},   {"1.2.3", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(NumberText, WritesGeneralFormatWithFifteenDigits) {
    struct Case {
        double v;
        const char* expected;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-12, "-12"},
        {0.5, "0.5"},
        {38.7167, "38.7167"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {1e20, "1E+20"},
        {0.0001, "0.0001"},
        {0.000015, "1.5E-05"},
        {2.5e-7, "2.5E-07"},
        {1234567.125, "1234567.125"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numberText(c.v), QString::fromLatin1(c.expected)) << c.v;
}

TEST(NumberText, RoundsToDecimalsWithoutTrailingZeros) {
    struct Case {
        double v;
        int decimals;
        const char* expected;
    } cases[] = {
        {-5.42129529814245, 4, "-5.4213"},
        {36.3006708767569, 4, "36.3007"},
        {36.3, 6, "36.3"},
        {12, 4, "12"},
        {0.0117851, 4, "0.0118"},
        {-0.00001, 4, "0"}, // never "-0"
        {-179.99996, 4, "-180"},
        {2.5, 0, "3"}, // halves away from zero
        {1e20, 4, "1E+20"},
    };
    for (const Case& c : cases) {
        char text[kNumberTextMax];
        EXPECT_EQ(QByteArray(text, writeRounded(text, c.v, c.decimals) - text), QByteArray(c.expected))
            << c.v;
    }
}

TEST(NumberText, RefusesNonFiniteValuesWithOverflow) {
    try {
        numberText(1.0 / 0.0 * 1);
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, 6);
    }
}

TEST(PictureFormat, DropsLeadingZeroAndRoundsAtLastDigit) {
    struct Case {
        double v;
        const char* picture;
        const char* expected;
    } cases[] = {
        {38.7167, "###.0000", "38.7167"},
        {0.5, "###.0000", ".5000"},
        {-0.25, "###.000000", "-.250000"},
        {-9.13333333, "###.0000", "-9.1333"},
        {-9.13335, "###.0000", "-9.1334"}, // half away from zero at the last digit
        {1.00005, "###.0000", "1.0001"},
        {9.99996, "###.0000", "10.0000"},
        {1234.5, "###.0000", "1234.5000"},
        {0, "###.0000", ".0000"},
        {0, "#", ""},
        {2.5, "#", "3"},
        {-2.4, "#", "-2"},
        {-0.4, "#", ""},
        {547, "###", "547"},
        {12.345, "###.0", "12.3"},
        {12.35, "###.0", "12.4"},
        {0.125, "###.00", ".13"},
        {99.9995, "###.000", "100.000"},
        {180, "###.000000", "180.000000"},
        {7, "0.00", "7.00"},
        {0.5, "0.0", "0.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatPicture(c.v, QString::fromLatin1(c.picture)), QString::fromLatin1(c.expected))
            << c.v << " " << c.picture;
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    struct Case {
        double v;
        double expected;
    } cases[] = {{0.5, 0},   {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2},
                 {-3.5, -4}, {2.4, 2}, {2.6, 3}, {-0.4, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(roundHalfEven(c.v), c.expected) << c.v;
        EXPECT_EQ(toWhole(c.v), static_cast<long long>(c.expected)) << c.v;
    }
}

TEST(Rounding, WholeNumberOverflowIsError6) {
    for (double v : {2147483647.6, -2147483648.6, 1e300}) {
        try {
            toWhole(v);
            FAIL() << v;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, 6);
        }
    }
    EXPECT_EQ(toWhole(2147483647.4), 2147483647LL);
}

TEST(Rounding, IntIsTheFloor) {
    EXPECT_EQ(intFloor(1.9), 1);
    EXPECT_EQ(intFloor(-1.5), -2);
    EXPECT_EQ(intFloor(-2), -2);
    EXPECT_EQ(intFloor(99.999), 99);
}

TEST(NumberReader, TooSmallIsZeroAndOnlyTooLargeOverflows) {
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"1e-400", 0}, {"-1e-400", 0}, {"0.000001e-399", 0}, {"123e-420", 0}, {"4.9e-324", 4.9e-324},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
    for (const char* text : {"1e400", "-1e400", "0.01e311", "1000000e303"}) {
        try {
            readNumber(QString::fromUtf8(text));
            FAIL() << text;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, 6) << text;
        }
    }
}

// Number text and reading are the same under every locale of the C library:
// the batch command and the window run with the user's LC_NUMERIC in force.
class NumberUnderLocale : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, GetParam()), nullptr)
            << GetParam() << " is missing: scripts/bootstrap.sh generates it";
    }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }
    std::string saved_;
};

TEST_P(NumberUnderLocale, WritesAndReadsWithAPeriod) {
    EXPECT_EQ(numberText(237.5), QStringLiteral("237.5"));
    EXPECT_EQ(numberText(-0.000015), QStringLiteral("-1.5E-05"));
    EXPECT_EQ(numberText(701618.25), QStringLiteral("701618.25"));
    EXPECT_EQ(formatPicture(53.3333, u"###.0000"), QStringLiteral("53.3333"));
    EXPECT_EQ(readNumber(u"237.5"), 237.5);
    EXPECT_EQ(readNumber(u"237,5"), 237);
    EXPECT_TRUE(isNumber(u"-9.1333"));
    EXPECT_FALSE(isNumber(u"-9,1333"));
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberUnderLocale, testing::Values("C", "de_DE.UTF-8", "fr_FR.UTF-8"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });
