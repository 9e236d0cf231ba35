#include "graph/Classes.h"

#include "runtime/Number.h"

#include <algorithm>
#include <limits>

namespace kartello {

namespace {

std::vector<double> sortedCopy(std::span<const double> values) {
    std::vector<double> v(values.begin(), values.end());
    std::sort(v.begin(), v.end());
    return v;
}

// The sorted distinct values with how often each occurs.
struct Distinct {
    std::vector<double> value;
    std::vector<double> weight;
};

Distinct distinctValues(const std::vector<double>& sorted) {
    Distinct d;
    for (const double v : sorted) {
        if (!d.value.empty() && d.value.back() == v) {
            d.weight.back() += 1;
        } else {
            d.value.push_back(v);
            d.weight.push_back(1);
        }
    }
    return d;
}

// Sums over runs of distinct values, so that the squared deviation of any
// run costs O(1). The values are taken about their mean, which keeps the
// difference of the two sums from cancelling away for large values.
class RunCost {
public:
    explicit RunCost(const Distinct& d) : w_(1, 0), s1_(1, 0), s2_(1, 0) {
        double total = 0, count = 0;
        for (size_t i = 0; i < d.value.size(); ++i) {
            total += d.value[i] * d.weight[i];
            count += d.weight[i];
        }
        const double mean = count > 0 ? total / count : 0;
        for (size_t i = 0; i < d.value.size(); ++i) {
            const double x = d.value[i] - mean;
            w_.push_back(w_.back() + d.weight[i]);
            s1_.push_back(s1_.back() + d.weight[i] * x);
            s2_.push_back(s2_.back() + d.weight[i] * x * x);
        }
    }

    // Sum of squared deviations from their mean of distinct values [i, j).
    double operator()(size_t i, size_t j) const {
        const double w = w_[j] - w_[i];
        const double s1 = s1_[j] - s1_[i];
        return std::max(0.0, (s2_[j] - s2_[i]) - s1 * s1 / w);
    }

private:
    std::vector<double> w_, s1_, s2_;
};

// One more class: for every end j, the start of the last class that gives
// the least cost. The best start never moves left as j grows (the squared
// deviation of runs obeys the quadrangle inequality), so each row is found
// by divide and conquer in O(m log m) instead of O(m^2).
struct BestSplits {
    const RunCost& cost;
    const std::vector<double>& previous; // least costs with one class fewer
    std::vector<double>& best;
    std::vector<size_t>& start;

    // Ends k + 1..m, where k is the number of classes before the last.
    void fill(size_t k, size_t m) { solve(k + 1, m, k, m - 1); }

    void solve(size_t jLo, size_t jHi, size_t iLo, size_t iHi) {
        if (jLo > jHi)
            return;
        const size_t j = jLo + (jHi - jLo) / 2;
        double least = std::numeric_limits<double>::infinity();
        size_t at = iLo;
        for (size_t i = iLo; i <= std::min(iHi, j - 1); ++i) {
            const double c = previous[i] + cost(i, j);
            if (c < least) {
                least = c;
                at = i;
            }
        }
        best[j] = least;
        start[j] = at;
        if (j > jLo)
            solve(jLo, j - 1, iLo, at);
        solve(j + 1, jHi, at, iHi);
    }
};

} // namespace

int ClassBreaks::classOf(double v) const {
    const auto it = std::lower_bound(upper.begin(), upper.end(), v);
    return std::min(int(it - upper.begin()), count() - 1);
}

ClassBreaks equalIntervalBreaks(std::span<const double> values, int count) {
    if (values.empty() || count < 1)
        return {};
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    ClassBreaks b{*lo, {}};
    if (*lo == *hi)
        return {*lo, {*hi}};
    for (int k = 1; k < count; ++k)
        b.upper.push_back(*lo + (*hi - *lo) * k / count);
    b.upper.push_back(*hi);
    return b;
}

ClassBreaks quantileBreaks(std::span<const double> values, int count) {
    if (values.empty() || count < 1)
        return {};
    const std::vector<double> sorted = sortedCopy(values);
    const size_t n = sorted.size();
    ClassBreaks b{sorted.front(), {}};
    for (int k = 1; k <= count; ++k) {
        // The first ceil(k n / count) values lie in classes 0..k-1.
        const size_t inFirst = (size_t(k) * n + size_t(count) - 1) / size_t(count);
        const double upper = sorted[inFirst - 1];
        if (b.upper.empty() || upper > b.upper.back())
            b.upper.push_back(upper);
    }
    return b;
}

ClassBreaks naturalBreaks(std::span<const double> values, int count) {
    if (values.empty() || count < 1)
        return {};
    const Distinct d = distinctValues(sortedCopy(values));
    const size_t m = d.value.size();
    const size_t classes = std::min(size_t(count), m);
    const RunCost cost(d);
    // best[k][j]: least cost of the first j distinct values in k + 1 classes;
    // start[k][j]: where the last of those classes begins.
    std::vector<std::vector<double>> best(classes, std::vector<double>(m + 1, 0));
    std::vector<std::vector<size_t>> start(classes, std::vector<size_t>(m + 1, 0));
    for (size_t j = 1; j <= m; ++j)
        best[0][j] = cost(0, j);
    for (size_t k = 1; k < classes; ++k)
        BestSplits{cost, best[k - 1], best[k], start[k]}.fill(k, m);
    ClassBreaks b{d.value.front(), std::vector<double>(classes)};
    size_t end = m;
    for (size_t k = classes; k-- > 0;) {
        b.upper[k] = d.value[end - 1];
        end = start[k][end];
    }
    return b;
}

ClassBreaks classBreaks(ClassMethod method, std::span<const double> values, int count) {
    switch (method) {
    case ClassMethod::EqualIntervals:
        return equalIntervalBreaks(values, count);
    case ClassMethod::Quantiles:
        return quantileBreaks(values, count);
    case ClassMethod::NaturalBreaks:
        return naturalBreaks(values, count);
    case ClassMethod::Continuous:
        break;
    }
    return {};
}

int classColorIndex(int k, int count) {
    if (count < 2)
        return 128; // mid-scale, as a continuous scale colours a set of equal values
    return int(roundHalfEven(255.0 * (count - 1 - k) / (count - 1)));
}

} // namespace kartello
