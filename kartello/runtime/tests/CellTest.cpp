#include "runtime/Cell.h"

#include <gtest/gtest.h>

using namespace kartello;

TEST(Cell, HoldsEmptyNumberOrText) {
    Cell e, n(2.5), t(QStringLiteral("Lisbon"));
    EXPECT_TRUE(e.isEmpty());
    EXPECT_TRUE(n.isNumber());
    EXPECT_TRUE(t.isText());
    EXPECT_EQ(e.toText(), QString());
    EXPECT_EQ(n.toText(), QStringLiteral("2.5"));
    EXPECT_EQ(Cell(QStringLiteral("12abc")).toNumber(), 12);
    EXPECT_EQ(e.toNumber(), 0);
}

TEST(Cell, ComparesNumbersNumericallyTextsByCodesAndNumbersFirst) {
    struct Case {
        Cell a;
        Cell b;
        int expected;
    } cases[] = {
        {Cell(9.0), Cell(10.0), -1},   {Cell(10.0), Cell(9.0), 1}, {Cell(3.0), Cell(3.0), 0},
        {Cell("9"), Cell("10"), 1},                                // text: "1" < "9"
        {Cell("10"), Cell("100"), -1}, {Cell("B"), Cell("a"), -1}, // case-sensitive by character code
        {Cell(1000.0), Cell("1"), -1},                             // any number before any text
        {Cell("1"), Cell(-5.0), 1},    {Cell(), Cell(0.0), 0},     {Cell(), Cell(-1.0), 1},
        {Cell(), Cell(""), 0},         {Cell(), Cell("a"), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cell::compare(c.a, c.b), c.expected)
            << c.a.toText().toStdString() << " vs " << c.b.toText().toStdString();
}
