// Walking through separated lists of numbers.
#include "probability.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Step {
    double value;
    int pos;
};

std::vector<Step> walk(const char* text, const char* sep, int pos, int count) {
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i) {
        const double v = ExtractSample_PChar(text, &pos, sep);
        steps.push_back({v, pos});
    }
    return steps;
}

TEST(TextWalk, FieldsEmptyFieldsAndTheEnd) {
    const struct {
        const char* text;
        const char* sep;
        int start;
        std::vector<Step> expected;
    } cases[] = {
        {"1;2;;3", ";", 1, {{1, 3}, {2, 5}, {3, 7}, {0, 7}}},
        {"10, 20, 30", ", ", 1, {{10, 5}, {20, 9}, {30, 11}, {0, 11}}},
        {";;5", ";", 1, {{5, 4}, {0, 4}}},
        {"1;2", ";", 3, {{2, 4}}},
        {"1;2", ";", 99, {{0, 4}}},
        {"", ";", 1, {{0, 1}}},
        {"4.5", "", 1, {{4.5, 4}, {0, 4}}}, // an empty separator never occurs
        {"1ab2", "AB", 1, {{0, 0}}},        // case-sensitive: no split, the field is unreadable
    };
    for (const auto& c : cases) {
        if (c.expected[0].pos == 0) {
            int pos = c.start;
            EXPECT_THROW(ExtractSample_PChar(c.text, &pos, c.sep), ProbabilityError) << c.text;
            continue;
        }
        const auto steps = walk(c.text, c.sep, c.start, static_cast<int>(c.expected.size()));
        for (std::size_t i = 0; i < steps.size(); ++i) {
            EXPECT_EQ(steps[i].value, c.expected[i].value) << c.text << " step " << i;
            EXPECT_EQ(steps[i].pos, c.expected[i].pos) << c.text << " step " << i;
        }
    }
}

TEST(TextWalk, PositionBelowOneRaisesOffsetBelowOne) {
    for (int start : {0, -5}) {
        int pos = start;
        try {
            ExtractSample_PChar("1;2", &pos, ";");
            ADD_FAILURE() << "no error";
        } catch (const ProbabilityError& e) {
            EXPECT_STREQ(e.what(), "Offset < 1");
        }
        Cplx r{};
        EXPECT_THROW(ExtractCplx_PChar(&r, "1;2", &pos, ";"), ProbabilityError);
    }
}

TEST(TextWalk, ComplexFields) {
    int pos = 1;
    Cplx r{};
    ExtractCplx_PChar(&r, "3+4i|i||-2", &pos, "|");
    EXPECT_EQ(r.Re, 3);
    EXPECT_EQ(r.Im, 4);
    EXPECT_EQ(pos, 6);
    ExtractCplx_PChar(&r, "3+4i|i||-2", &pos, "|");
    EXPECT_EQ(r.Re, 0);
    EXPECT_EQ(r.Im, 1);
    ExtractCplx_PChar(&r, "3+4i|i||-2", &pos, "|");
    EXPECT_EQ(r.Re, -2);
    EXPECT_EQ(r.Im, 0);
    EXPECT_EQ(pos, 11);
    ExtractCplx_PChar(&r, "3+4i|i||-2", &pos, "|");
    EXPECT_EQ(r.Re, 0);
    EXPECT_EQ(r.Im, 0);
}

TEST(TextWalk, UnreadableFieldLeavesThePositionForTheCaller) {
    int pos = 1;
    EXPECT_THROW(ExtractSample_PChar("x;2", &pos, ";"), ProbabilityError);
    EXPECT_EQ(pos, 1);
}

} // namespace
