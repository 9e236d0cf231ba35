#pragma once
// Value classes: the places grouped into a few ranges, each drawn in one
// colour (and, on request, one height), as an alternative to the continuous
// colour scale. The breaks are pure functions of the values.
#include <span>
#include <vector>

namespace kartello {

// List order of the method choice in the window and the options file.
enum class ClassMethod { Continuous = 0, EqualIntervals = 1, Quantiles = 2, NaturalBreaks = 3 };

// The classes of a value set: class 0 runs from min to upper[0], class k
// from upper[k - 1] (exclusive) to upper[k] (inclusive); upper.back() is the
// largest value. Empty for an empty set or the continuous method.
struct ClassBreaks {
    double min = 0;
    std::vector<double> upper;

    int count() const { return int(upper.size()); }
    // The class of a value: the first whose upper bound is not below it
    // (values past either end go to the end class).
    int classOf(double v) const;
};

// Equal intervals: count classes of equal width between the smallest and the
// largest value (some may hold no value); one class when all values are equal.
ClassBreaks equalIntervalBreaks(std::span<const double> values, int count);

// Quantiles: as near to the same number of values per class as ties allow.
// Equal values never straddle a break, so ties and sets with few distinct
// values give fewer classes.
ClassBreaks quantileBreaks(std::span<const double> values, int count);

// Natural breaks (Jenks): the grouping of the sorted values into at most
// count runs with the least sum of squared deviations from the class means,
// found exactly by dynamic programming over the distinct values
// (O(count x m log m) for m distinct values). At most as many classes as
// distinct values.
ClassBreaks naturalBreaks(std::span<const double> values, int count);

// The breaks of a method, for at most count classes.
ClassBreaks classBreaks(ClassMethod method, std::span<const double> values, int count);

// The colour-scale entry of class k of count: evenly spaced from entry 255
// (the smallest values' colour) for class 0 to entry 0 for the largest
// class, as the continuous scale runs; entry 128 when there is one class.
int classColorIndex(int k, int count);

} // namespace kartello
