// Rows inserted, deleted, exchanged and moved; selections cleared, aligned, numbered.
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "tessara/GridModel.h"

using namespace tessara;
using tessara::test::column;
using tessara::test::ErrorLog;
using tessara::test::fillNamed;

namespace {

std::vector<QString> names(std::initializer_list<int> rows) {
    std::vector<QString> out;
    for (int r : rows)
        out.push_back(QString::number(r) + QStringLiteral(",0"));
    return out;
}

} // namespace

TEST(MoveRows, MovesBlocksByPairwiseExchanges) {
    const struct {
        const char* what;
        int r1, r2, r3;
        std::vector<QString> rows; // column 0 afterwards
        int row, rowSel;
    } cases[] = {
        {"rows 2..4 to end at 6", 2, 4, 6, names({0, 1, 6, 5, 2, 3, 4, 7}), 4, 6},
        {"one row up by one", 5, 5, 4, names({0, 1, 2, 3, 5, 4, 6, 7}), 4, 4},
        {"one row down by one", 2, 2, 3, names({0, 1, 3, 2, 4, 5, 6, 7}), 3, 3},
        {"rows 4..5 up to 1", 4, 5, 1, names({0, 4, 5, 3, 1, 2, 6, 7}), 1, 2},
        {"ends given backwards", 4, 2, 6, names({0, 1, 6, 5, 2, 3, 4, 7}), 4, 6},
    };
    for (const auto& c : cases) {
        GridModel grid;
        fillNamed(grid, 8, 3);
        int r1 = c.r1, r2 = c.r2;
        grid.MoveRows(r1, r2, c.r3);
        EXPECT_EQ(column(grid, 0), c.rows) << c.what;
        EXPECT_EQ(grid.Row(), c.row) << c.what;
        EXPECT_EQ(grid.RowSel(), c.rowSel) << c.what;
        EXPECT_EQ(grid.Col(), 0) << c.what;
        EXPECT_EQ(grid.ColSel(), 2) << c.what;
        EXPECT_LE(r1, r2) << c.what;
        EXPECT_TRUE(grid.Redraw()) << c.what;
    }
}

TEST(MoveRows, DoesNothingForATargetInsideTheBlockOrOutsideTheRows) {
    const struct {
        const char* what;
        int r1, r2, r3;
    } cases[] = {
        {"inside the block", 2, 4, 3},
        {"onto a fixed row", 2, 3, 0},
        {"past the last row", 2, 3, 8},
    };
    for (const auto& c : cases) {
        GridModel grid;
        fillNamed(grid, 8, 3);
        grid.setRow(1);
        int r1 = c.r1, r2 = c.r2;
        grid.MoveRows(r1, r2, c.r3);
        EXPECT_EQ(column(grid, 0), names({0, 1, 2, 3, 4, 5, 6, 7})) << c.what;
        EXPECT_EQ(grid.Row(), 1) << c.what;
    }
}

TEST(MoveRows, PutsReversedEndsBackIntoTheCallersVariables) {
    GridModel grid;
    fillNamed(grid, 8, 3);
    int r1 = 4, r2 = 2;
    grid.MoveRows(r1, r2, 3);
    EXPECT_EQ(r1, 2);
    EXPECT_EQ(r2, 4);
}

TEST(SwapRows, ExchangesTextPictureBackColourAndHeightOnly) {
    GridModel grid;
    fillNamed(grid, 5, 2);
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellBackColor(0x0000FF);
    grid.setCellForeColor(0x00FF00);
    grid.setCellAlignment(AlignRightCenter);
    grid.setCellPicture(QImage(4, 4, QImage::Format_RGB32));
    grid.setRowHeight(1, 700);
    grid.SwapRows(1, 3);
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("3,1"));
    EXPECT_EQ(grid.TextMatrix(3, 1), QStringLiteral("1,1"));
    EXPECT_EQ(grid.cellBackColorAt(3, 1), 0x0000FFu);
    EXPECT_FALSE(grid.cellPictureAt(3, 1).isNull());
    EXPECT_TRUE(grid.cellPictureAt(1, 1).isNull());
    EXPECT_EQ(grid.RowHeight(3), 700);
    EXPECT_EQ(grid.RowHeight(1), kDefaultRowHeight);
    EXPECT_EQ(grid.cellForeColorAt(1, 1), 0x00FF00u); // stays with the row position
    EXPECT_EQ(grid.cellAlignmentAt(1, 1), AlignRightCenter);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), grid.FixedCols());
}

TEST(SwapRows, IgnoresEqualFixedOrMissingRowsAndKeepsRedraw) {
    const struct {
        const char* what;
        int r1, r2;
    } cases[] = {{"same row", 3, 3}, {"fixed row", 0, 2}, {"row past the end", 2, 5}};
    for (const bool redraw : {true, false}) {
        for (const auto& c : cases) {
            GridModel grid;
            fillNamed(grid, 5, 2);
            grid.setRedraw(redraw);
            grid.SwapRows(c.r1, c.r2);
            EXPECT_EQ(column(grid, 0), names({0, 1, 2, 3, 4})) << c.what;
            EXPECT_EQ(grid.Redraw(), redraw) << c.what;
        }
    }
}

TEST(InsertRows, InsertsEmptyRowsAndMakesTheFirstCurrent) {
    GridModel grid;
    fillNamed(grid, 4, 3, 1, 1);
    grid.InsertRows(2, 2);
    EXPECT_EQ(column(grid, 0), (std::vector<QString>{"0,0", "1,0", "", "", "2,0", "3,0"}));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
}

TEST(InsertRows, CountAbove32767IsAnOverflowThatPutsRedrawBack) {
    GridModel grid;
    ErrorLog log(grid);
    fillNamed(grid, 3, 2);
    grid.InsertRows(1, 40000);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].first, QStringLiteral("Error 6 has occured in Tessara.ocx, InsertRows"));
    EXPECT_EQ(log.reports[0].second, QStringLiteral("Overflow"));
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_TRUE(grid.Redraw());
}

TEST(DeleteRows, RemovesRowsFromTheGivenOne) {
    const struct {
        const char* what;
        int r1, rr;
        std::vector<QString> rows;
        int row;
    } cases[] = {
        {"two from row 1", 1, 2, names({0, 3, 4}), 1},
        {"the last row", 4, 1, names({0, 1, 2, 3}), 3},
        {"more than there are", 3, 5, names({0, 1, 2}), 2},
        {"none past the end", 7, 1, names({0, 1, 2, 3, 4}), 0},
        {"zero count", 1, 0, names({0, 1, 2, 3, 4}), 0},
    };
    for (const auto& c : cases) {
        GridModel grid;
        ErrorLog log(grid);
        fillNamed(grid, 5, 2);
        grid.DeleteRows(c.r1, c.rr);
        EXPECT_EQ(column(grid, 0), c.rows) << c.what;
        EXPECT_EQ(grid.Row(), c.row) << c.what;
        EXPECT_EQ(grid.Col(), 0) << c.what;
        EXPECT_TRUE(log.reports.empty()) << c.what;
        EXPECT_TRUE(grid.Redraw()) << c.what;
    }
}

TEST(DeleteSel, ClearsTheSameCellsWhicheverWayTheSelectionWasDragged) {
    const struct {
        const char* what;
        int row, col, rowSel, colSel;
    } cases[] = {
        {"down and right", 1, 0, 2, 1},
        {"up and left", 2, 1, 1, 0},
        {"up and right", 2, 0, 1, 1},
    };
    for (const auto& c : cases) {
        GridModel grid;
        fillNamed(grid, 4, 3);
        grid.setRow(c.row);
        grid.setCol(c.col);
        grid.setRowSel(c.rowSel);
        grid.setColSel(c.colSel);
        grid.DeleteSel();
        for (int r = 0; r < 4; ++r) {
            for (int col = 0; col < 3; ++col) {
                const bool inside = r >= 1 && r <= 2 && col <= 1;
                const QString want =
                    inside ? QString() : QString::number(r) + QLatin1Char(',') + QString::number(col);
                EXPECT_EQ(grid.TextMatrix(r, col), want) << c.what << " at " << r << "," << col;
            }
        }
        EXPECT_EQ(grid.Row(), 1) << c.what;
        EXPECT_EQ(grid.Col(), 0) << c.what;
    }
}

TEST(DeleteSel, KeepsTextOfCellsThatMayNotBeEditedButDropsEveryPicture) {
    GridModel grid;
    fillNamed(grid, 3, 2);
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellBackColor(grid.CellNoEdit);
    grid.setCellPicture(QImage(2, 2, QImage::Format_RGB32));
    grid.setCol(0);
    grid.setColSel(1);
    grid.DeleteSel();
    EXPECT_EQ(grid.TextMatrix(1, 0), QString());
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("1,1"));
    EXPECT_TRUE(grid.cellPictureAt(1, 1).isNull());
}

TEST(AddRowNumbers, WritesBlankLedNumbersBelowTheFixedRows) {
    GridModel grid;
    fillNamed(grid, 13, 2);
    grid.AddRowNumbers();
    std::vector<QString> want{"0,0"};
    for (int r = 1; r <= 12; ++r)
        want.push_back(QStringLiteral(" ") + QString::number(r));
    EXPECT_EQ(column(grid, 0), want);
    EXPECT_EQ(grid.TextMatrix(12, 0), QStringLiteral(" 12"));
    EXPECT_EQ(grid.Row(), 12);
    EXPECT_EQ(grid.Col(), 0);
}

TEST(AlignSel, MapsStylesToLeftCentreRightOverTheNormalisedSelection) {
    const struct {
        int style;
        int alignment;
    } cases[] = {{0, 1}, {1, 4}, {2, 7}, {5, 7}};
    for (const auto& c : cases) {
        GridModel grid;
        fillNamed(grid, 4, 3);
        grid.setRow(2);
        grid.setCol(2);
        grid.setRowSel(1); // dragged upward and leftward
        grid.setColSel(1);
        grid.AlignSel(c.style);
        for (int r = 1; r <= 2; ++r)
            for (int col = 1; col <= 2; ++col)
                EXPECT_EQ(grid.cellAlignmentAt(r, col), c.alignment) << c.style;
        EXPECT_EQ(grid.cellAlignmentAt(3, 1), AlignGeneral);
        EXPECT_EQ(grid.Row(), 2);
        EXPECT_EQ(grid.Col(), 2);
    }
}
