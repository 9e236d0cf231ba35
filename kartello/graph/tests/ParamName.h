#pragma once
// Table-driven tests are named by row number, so their names stay the same
// from run to run (the test list is read once and run case by case).
#include <gtest/gtest.h>
#include <string>

struct IndexName {
    template <class T> std::string operator()(const testing::TestParamInfo<T>& info) const {
        return std::to_string(info.index);
    }
};
inline constexpr IndexName indexName{};
