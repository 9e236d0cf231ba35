// Class breaks worked out by hand from the rules of each method, the class
// colours, the legend's range texts and the legend image.
#include "graph/Classes.h"
#include "GuiEnvironment.h"
#include "ParamName.h"
#include "graph/Overlays.h"

#include <QLocale>
#include <algorithm>
#include <bit>
#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace kartello;

namespace {

const testing::Environment* const gui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

struct BreakCase {
    const char* name;
    ClassMethod method;
    std::vector<double> values;
    int count;
    double min;
    std::vector<double> upper;
};

class BreaksTest : public testing::TestWithParam<BreakCase> {};

TEST_P(BreaksTest, BreaksAsWorkedOutByHand) {
    const BreakCase& c = GetParam();
    const ClassBreaks b = classBreaks(c.method, c.values, c.count);
    EXPECT_EQ(b.min, c.min) << c.name;
    ASSERT_EQ(b.upper.size(), c.upper.size()) << c.name;
    for (size_t k = 0; k < c.upper.size(); ++k)
        EXPECT_NEAR(b.upper[k], c.upper[k], 1e-12) << c.name << " class " << k;
}

using M = ClassMethod;

INSTANTIATE_TEST_SUITE_P(
    Cases, BreaksTest,
    testing::Values(
        // Width (10 - 0) / 5 = 2.
        BreakCase{"equal, 0 to 10 in 5", M::EqualIntervals, {10, 0, 5, 1}, 5, 0, {2, 4, 6, 8, 10}},
        // Two values, three classes: the middle one stays empty.
        BreakCase{"equal, 2 values", M::EqualIntervals, {1, 2}, 3, 1, {1 + 1.0 / 3, 1 + 2.0 / 3, 2}},
        BreakCase{"equal, all equal", M::EqualIntervals, {7, 7, 7}, 4, 7, {7}},
        // Ten values in three: the first ceil(10/3) = 4, then ceil(20/3) = 7.
        BreakCase{"quantiles, 1 to 10 in 3", M::Quantiles, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 3, 1, {4, 7, 10}},
        // Breaks after the 2nd and the 4th value both fall on a 1: the ties
        // stay in one class.
        BreakCase{"quantiles, ties", M::Quantiles, {1, 1, 1, 1, 2, 3}, 3, 1, {1, 3}},
        BreakCase{"quantiles, two distinct values in 5", M::Quantiles, {4, 9, 9, 4}, 5, 4, {4, 9}},
        // Three clusters: squared deviations 2 + 2 + 0; any other split costs more.
        BreakCase{"jenks, three clusters", M::NaturalBreaks, {12, 1, 20, 3, 11, 2, 10}, 3, 1, {3, 12, 20}},
        // {1,1,1} | {5,6,7,7,7} costs 0 + 3.2; {1,1,1,5} | {6,7,7,7} costs 12 + 0.75.
        BreakCase{"jenks, ties", M::NaturalBreaks, {1, 1, 1, 5, 6, 7, 7, 7}, 2, 1, {1, 7}},
        // {0,1} | {5} | {9,10}: 0.5 + 0 + 0.5; {0,1,5} | {9} | {10} costs 14.
        BreakCase{"jenks, middle value alone", M::NaturalBreaks, {0, 1, 5, 9, 10}, 3, 0, {1, 5, 10}},
        BreakCase{"jenks, fewer distinct values than classes", M::NaturalBreaks, {4, 4, 9}, 3, 4, {4, 9}},
        BreakCase{"jenks, all equal", M::NaturalBreaks, {2, 2}, 3, 2, {2}},
        BreakCase{"continuous has no classes", M::Continuous, {1, 2, 3}, 3, 0, {}},
        BreakCase{"no values", M::NaturalBreaks, {}, 3, 0, {}}),
    indexName);

// Sum of squared deviations from the class means when values are split at
// the given upper bounds.
double groupingCost(const std::vector<double>& sorted, const std::vector<double>& upper) {
    double total = 0;
    size_t from = 0;
    for (const double u : upper) {
        size_t to = from;
        double sum = 0;
        while (to < sorted.size() && sorted[to] <= u)
            sum += sorted[to++];
        const double mean = sum / double(to - from);
        for (size_t i = from; i < to; ++i)
            total += (sorted[i] - mean) * (sorted[i] - mean);
        from = to;
    }
    return total;
}

// Every grouping of the distinct values into the same number of runs, tried.
double leastCostByTrial(const std::vector<double>& sorted, size_t classes) {
    std::vector<double> distinct = sorted;
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    double least = std::numeric_limits<double>::infinity();
    const size_t m = distinct.size();
    for (unsigned mask = 0; mask < (1u << (m - 1)); ++mask) {
        if (size_t(std::popcount(mask)) != classes - 1)
            continue;
        std::vector<double> upper;
        for (size_t i = 0; i + 1 < m; ++i)
            if (mask & (1u << i))
                upper.push_back(distinct[i]);
        upper.push_back(distinct.back());
        least = std::min(least, groupingCost(sorted, upper));
    }
    return least;
}

TEST(Classes, NaturalBreaksCostNoMoreThanAnyGroupingTried) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        std::vector<double> values(2 + rng() % 11);
        for (double& v : values)
            v = double(rng() % 13) * (round % 2 ? 1.0 : 0.37); // ties on purpose
        const int count = 2 + int(rng() % 4);
        const ClassBreaks b = naturalBreaks(values, count);
        std::sort(values.begin(), values.end());
        std::vector<double> distinct = values;
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        ASSERT_EQ(b.upper.size(), std::min(size_t(count), distinct.size())) << "round " << round;
        ASSERT_EQ(b.upper.back(), values.back());
        EXPECT_NEAR(groupingCost(values, b.upper), leastCostByTrial(values, b.upper.size()), 1e-9)
            << "round " << round;
    }
}

struct LegendCase {
    const char* name;
    ClassBreaks shown;
    QStringList labels;
};

class LegendLabelTest : public testing::TestWithParam<LegendCase> {};

TEST_P(LegendLabelTest, RangeTextsWithAPointUnderACommaLocale) {
    const LegendCase& c = GetParam();
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const QStringList labels = classLabels(c.shown);
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(before);
    EXPECT_EQ(labels, c.labels) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LegendLabelTest,
    testing::Values(
        // Largest bound 10: one decimal at most, none needed.
        LegendCase{"whole bounds", {0, {2, 4, 10}}, {"0 \u2013 2", "2 \u2013 4", "4 \u2013 10"}},
        // Below 1: two decimals.
        LegendCase{"fractions", {0, {0.25, 0.5}}, {"0 \u2013 0.25", "0.25 \u2013 0.5"}},
        // Past 100 no decimals, but 100.4 would read as 100: one more.
        LegendCase{"bounds kept apart", {100, {100.4, 101}}, {"100 \u2013 100.4", "100.4 \u2013 101"}},
        // 1 to 10: one decimal, halves to even (3.25 -> 3.2).
        LegendCase{"negative and rounded",
                   {-5, {3.25, 6.6666666666666, 10}},
                   {"-5 \u2013 3.2", "3.2 \u2013 6.7", "6.7 \u2013 10"}},
        LegendCase{"one class", {7, {7}}, {"7 \u2013 7"}}),
    indexName);

TEST(Classes, LegendShowsEachClassColourLargestOnTopAndKeepsTheTextInside) {
    ColorTable t{};
    InicolorScale(7, t); // grey ramp: entry i is (i, i, i)
    for (const double big : {10.0, 98765432109876.0}) {
        const ClassBreaks shown{-big, {0, big / 2, big}};
        const QImage img = ClassLegend(t, shown);
        const int rows = 3;
        // Swatch centres, top row first: class 2 (entry 0), 1 (128), 0 (255).
        const int expected[] = {0, 128, 255};
        for (int r = 0; r < rows; ++r) {
            const int y = img.height() * (2 * r + 1) / (2 * rows);
            EXPECT_EQ(img.pixelColor(12, y).red(), expected[r]) << big << " row " << r;
        }
        // Nothing is drawn in the last two columns: the text ends inside.
        for (const int x : {img.width() - 2, img.width() - 1})
            for (int y = 0; y < img.height(); ++y)
                ASSERT_EQ(img.pixelColor(x, y), QColor(Qt::white)) << big << " at " << x << "," << y;
    }
}

} // namespace
