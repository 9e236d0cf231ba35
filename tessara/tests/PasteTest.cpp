// Paste: line and field splitting, the start cell, cells that may not be edited,
// and a grid that never grows.
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "PasteSplit.h"
#include "tessara/GridModel.h"

using namespace tessara;
using tessara::test::fillNamed;

namespace {

struct CellText {
    int r;
    int c;
    const char* text;
};

struct PasteCase {
    const char* what;
    const char* pasted;
    int startRow;
    int startCol;
    std::vector<CellText> expected; // every other cell keeps its "r,c"
};

} // namespace

TEST(Paste, WritesFieldsAndLinesFromTheCurrentCell) {
    const PasteCase cases[] = {
        {"tab and CR LF", "a\tb\r\nx", 1, 1, {{1, 1, "a"}, {1, 2, "b"}, {2, 1, "x"}}},
        {"fields past the last column are dropped", "a\tb\tx\ty", 1, 1, {{1, 1, "a"}, {1, 2, "b"}}},
        {"empty field between tabs writes empty", "a\t\tc", 1, 0, {{1, 0, "a"}, {1, 1, ""}, {1, 2, "c"}}},
        {"trailing tab writes nothing more", "a\t", 1, 0, {{1, 0, "a"}}},
        {"empty line still uses a row", "a\r\n\r\nb", 1, 0, {{1, 0, "a"}, {3, 0, "b"}}},
        {"blanks round fields are dropped", " a \t b \r\n c ", 1, 0, {{1, 0, "a"}, {1, 1, "b"}, {2, 0, "c"}}},
        {"bare carriage returns split", "a\rb", 1, 0, {{1, 0, "a"}, {2, 0, "b"}}},
        {"bare line feeds split", "a\nb", 1, 0, {{1, 0, "a"}, {2, 0, "b"}}},
        {"with a pair anywhere only pairs split", "a\nb\r\nc", 1, 0, {{1, 0, "a\nb"}, {2, 0, "c"}}},
        {"lines past the last row are dropped", "a\rb\rc\rd", 2, 0, {{2, 0, "a"}, {3, 0, "b"}}},
        {"leading tab gives an empty first field", "\ta", 1, 0, {{1, 0, ""}, {1, 1, "a"}}},
        {"a lone field without separators is taken whole", "  x  ", 1, 0, {{1, 0, "  x  "}}},
        {"tabs are not blanks", "a\t \tb", 1, 0, {{1, 0, "a"}, {1, 1, ""}, {1, 2, "b"}}},
        {"nothing to paste", "", 1, 0, {}},
    };
    for (const PasteCase& pc : cases) {
        GridModel grid;
        fillNamed(grid, 4, 3);
        grid.setRow(pc.startRow);
        grid.setCol(pc.startCol);
        QString s = QString::fromUtf8(pc.pasted);
        grid.Paste(s);
        EXPECT_TRUE(s.isEmpty()) << pc.what;
        EXPECT_EQ(grid.Rows(), 4) << pc.what;
        EXPECT_EQ(grid.Cols(), 3) << pc.what;
        EXPECT_EQ(grid.Row(), pc.startRow) << pc.what;
        EXPECT_EQ(grid.Col(), pc.startCol) << pc.what;
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c) {
                QString want = QString::number(r) + QLatin1Char(',') + QString::number(c);
                for (const CellText& e : pc.expected)
                    if (e.r == r && e.c == c)
                        want = QString::fromUtf8(e.text);
                EXPECT_EQ(grid.TextMatrix(r, c), want) << pc.what << " at " << r << "," << c;
            }
        }
    }
}

TEST(Paste, SkipsCellsThatMayNotBeEditedButUsesUpTheirColumn) {
    GridModel grid;
    fillNamed(grid, 3, 3);
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellBackColor(grid.CellNoEdit);
    grid.setCol(0);
    QString s = QStringLiteral("a\tb\tc");
    grid.Paste(s);
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("a"));
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("1,1"));
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("c"));
}

TEST(Paste, IntoAnEmptyGridReportsTheRowError) {
    GridModel grid;
    tessara::test::ErrorLog log(grid);
    grid.setRows(0);
    QString s = QStringLiteral("a");
    grid.Paste(s);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].first, QStringLiteral("Error 30009 has occured in Tessara.ocx, Paste"));
    EXPECT_EQ(log.reports[0].second, QStringLiteral("Invalid Row value"));
}

TEST(PasteSplit, TakesLinesAtTheFirstPairThenReturnThenLineFeed) {
    const struct {
        const char* text;
        std::vector<const char*> lines;
    } cases[] = {
        {"a\r\nb", {"a", "b"}},       {"a\rb\r\nc", {"a\rb", "c"}}, {"a\rb\nc", {"a", "b", "c"}},
        {"a\nb\nc", {"a", "b", "c"}}, {" a \r\n  b  ", {"a", "b"}}, {"a\r\n", {"a"}},
        {"only", {"only"}},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        LineSplitter splitter(text);
        std::vector<QString> got;
        while (!splitter.atEnd())
            got.push_back(splitter.nextLine().toString());
        std::vector<QString> want;
        for (const char* line : c.lines)
            want.push_back(QString::fromUtf8(line));
        EXPECT_EQ(got, want) << c.text;
    }
}

TEST(PasteSplit, TakesFieldsAtTabsTrimmingBlanksOnly) {
    const struct {
        const char* line;
        const char* field;
        const char* rest;
    } cases[] = {
        {"a\tb", "a", "b"}, {" a \t b ", "a", "b"}, {"a", "a", ""}, {" a ", " a ", ""}, {"\t\tb", "", "\tb"},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.line);
        QStringView line(text);
        EXPECT_EQ(nextField(line).toString(), QString::fromUtf8(c.field)) << c.line;
        EXPECT_EQ(line.toString(), QString::fromUtf8(c.rest)) << c.line;
    }
}
