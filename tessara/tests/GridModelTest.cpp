// The wrapped grid's own members: shape, current cell, selection, text, events.
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "tessara/GridModel.h"

using namespace tessara;
using tessara::test::fillNamed;

namespace {

int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const GridError& e) {
        return e.number;
    }
    return 0;
}

} // namespace

TEST(GridModel, StartsOnCellZeroZeroWithAWideFirstColumnAndTheControlFields) {
    GridModel grid;
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.ColWidth(0), 1030);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_TRUE(grid.Redraw());
    EXPECT_EQ(grid.CellNoEdit, 0x80000016u);
    EXPECT_EQ(grid.CellEdit, 0x80000005u);
    EXPECT_EQ(grid.CantEdit, QStringLiteral("Can't edit that cell"));
}

TEST(GridModel, RejectsOutOfRangeIndexesWithTheGridsNumbers) {
    GridModel grid;
    fillNamed(grid, 3, 2);
    const struct {
        const char* what;
        std::function<void()> action;
        int number;
    } cases[] = {
        {"Row past the end", [&] { grid.setRow(3); }, 30009},
        {"negative Row", [&] { grid.setRow(-1); }, 30009},
        {"Col past the end", [&] { grid.setCol(2); }, 30010},
        {"RowSel past the end", [&] { grid.setRowSel(5); }, 30009},
        {"ColSel negative", [&] { grid.setColSel(-1); }, 30010},
        {"TextMatrix read outside", [&] { (void)grid.TextMatrix(3, 0); }, 381},
        {"TextMatrix write outside", [&] { grid.setTextMatrix(0, 2, QStringLiteral("x")); }, 381},
        {"RowHeight outside", [&] { (void)grid.RowHeight(7); }, 381},
        {"ColWidth outside", [&] { grid.setColWidth(9, 100); }, 381},
        {"negative Rows", [&] { grid.setRows(-2); }, 380},
        {"FixedRows above Rows", [&] { grid.setFixedRows(4); }, 380},
        {"RemoveItem outside", [&] { grid.RemoveItem(3); }, 381},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorNumberOf(c.action), c.number) << c.what;
}

TEST(GridModel, ErrorsCarryTheirDescriptions) {
    EXPECT_EQ(GridError(30009).description, QStringLiteral("Invalid Row value"));
    EXPECT_EQ(GridError(30010).description, QStringLiteral("Invalid Col value"));
    EXPECT_EQ(GridError(6).description, QStringLiteral("Overflow"));
    EXPECT_EQ(GridError(381).description, QStringLiteral("Subscript out of range"));
}

TEST(GridModel, SettingRowOrColCollapsesTheSelection) {
    GridModel grid;
    fillNamed(grid, 6, 4);
    grid.setRow(1);
    grid.setCol(1);
    grid.setRowSel(4);
    grid.setColSel(3);
    EXPECT_EQ(grid.RowSel(), 4);
    grid.setRow(2);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.ColSel(), 1);
}

TEST(GridModel, MovingTheCurrentCellRaisesLeaveBeforeEnter) {
    GridModel grid;
    fillNamed(grid, 4, 3);
    QStringList order;
    QObject::connect(&grid, &GridModel::LeaveCell,
                     [&] { order << QStringLiteral("Leave") + QString::number(grid.Row()); });
    QObject::connect(&grid, &GridModel::EnterCell,
                     [&] { order << QStringLiteral("Enter") + QString::number(grid.Row()); });
    QObject::connect(&grid, &GridModel::RowColChange, [&] { order << QStringLiteral("RowCol"); });
    QObject::connect(&grid, &GridModel::SelChange, [&] { order << QStringLiteral("Sel"); });
    grid.setRow(2);
    EXPECT_EQ(order, QStringList({"Leave0", "Enter2", "RowCol", "Sel"}));
    order.clear();
    grid.setRow(2); // same cell: nothing to report
    EXPECT_TRUE(order.isEmpty());
    grid.setRowSel(3); // only the selection moves
    EXPECT_EQ(order, QStringList({"Sel"}));
}

TEST(GridModel, NumbersWrittenIntoCellsReadBackAsTheirText) {
    GridModel grid;
    const struct {
        double value;
        const char* text;
    } cases[] = {{42, "42"}, {1.5, "1.5"}, {-0.25, "-0.25"}, {1e20, "1E+20"}};
    for (const auto& c : cases) {
        grid.setTextMatrix(1, 1, c.value);
        EXPECT_EQ(grid.TextMatrix(1, 1), QString::fromLatin1(c.text)) << c.value;
    }
}

TEST(GridModel, ShrinkingKeepsTheCurrentCellInside) {
    GridModel grid;
    fillNamed(grid, 10, 5);
    grid.setRow(9);
    grid.setCol(4);
    grid.setRows(4);
    grid.setCols(2);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.TextMatrix(3, 1), QStringLiteral("3,1"));
}

TEST(GridModel, ClearEmptiesTextsButKeepsTheShapeAndCellFormats) {
    GridModel grid;
    fillNamed(grid, 3, 3);
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellBackColor(0xFF);
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.TextMatrix(2, 2), QString());
    EXPECT_EQ(grid.TextMatrix(0, 0), QString());
    EXPECT_EQ(grid.CellBackColor(), 0xFFu);
}

TEST(GridModel, AddItemSplitsTabsIntoColumnsAndInsertsAtTheIndex) {
    GridModel grid;
    fillNamed(grid, 3, 3);
    grid.AddItem(QStringLiteral("a\tb\tc\td"), 1);
    grid.AddItem(QStringLiteral("z"));
    ASSERT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("a"));
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("c"));
    EXPECT_EQ(grid.TextMatrix(2, 0), QStringLiteral("1,0"));
    EXPECT_EQ(grid.TextMatrix(4, 0), QStringLiteral("z"));
    EXPECT_EQ(grid.TextMatrix(4, 1), QString());
    grid.RemoveItem(1);
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("1,0"));
}

TEST(GridModel, ClipReadsAndWritesTheSelectionWithTabsAndReturns) {
    GridModel grid;
    fillNamed(grid, 4, 3);
    grid.setRow(2);
    grid.setCol(2);
    grid.setRowSel(1); // dragged upward and leftward
    grid.setColSel(1);
    EXPECT_EQ(grid.Clip(), QStringLiteral("1,1\t1,2\r2,1\t2,2"));
    grid.setClip(QStringLiteral("a\tb\tc\rd\re"));
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("b"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("d"));
    EXPECT_EQ(grid.TextMatrix(2, 2), QStringLiteral("2,2"));
    EXPECT_EQ(grid.TextMatrix(3, 1), QStringLiteral("3,1"));
}

TEST(GridModel, FormatStringSetsHeadersAlignmentsAndRowTitles) {
    GridModel grid;
    grid.setTextMeasure([](const QString& text) { return 100.0 * double(text.size()); });
    grid.setFormatString(QStringLiteral("<Name|^Age|>Score;|First|Second"));
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.TextMatrix(0, 0), QStringLiteral("Name"));
    EXPECT_EQ(grid.TextMatrix(0, 2), QStringLiteral("Score"));
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("First"));
    EXPECT_EQ(grid.TextMatrix(2, 0), QStringLiteral("Second"));
    EXPECT_EQ(grid.ColAlignment(0), AlignLeftCenter);
    EXPECT_EQ(grid.ColAlignment(1), AlignCenterCenter);
    EXPECT_EQ(grid.ColAlignment(2), AlignRightCenter);
    EXPECT_EQ(grid.ColWidth(2), 500 + 120); // five letters of 100 twips and the padding
    EXPECT_EQ(grid.FormatString(), QStringLiteral("<Name|^Age|>Score;|First|Second"));
}

TEST(GridModel, FillStyleRepeatAppliesCellFormatToTheSelection) {
    GridModel grid;
    fillNamed(grid, 4, 3);
    grid.setRow(1);
    grid.setCol(0);
    grid.setRowSel(2);
    grid.setColSel(1);
    grid.setFillStyle(1);
    grid.setCellBackColor(0x123456);
    EXPECT_EQ(grid.cellBackColorAt(2, 1), 0x123456u);
    EXPECT_EQ(grid.cellBackColorAt(3, 1), 0u);
    grid.setFillStyle(0);
    grid.setCellForeColor(0xFF);
    EXPECT_EQ(grid.cellForeColorAt(1, 0), 0xFFu);
    EXPECT_EQ(grid.cellForeColorAt(2, 1), 0u);
}

TEST(GridModel, RedrawOffHoldsBackRepaintsUntilSwitchedOn) {
    GridModel grid;
    QSignalSpy changed(&grid, &GridModel::changed);
    grid.setRedraw(false);
    grid.setTextMatrix(1, 1, QStringLiteral("x"));
    EXPECT_EQ(changed.count(), 0);
    grid.setRedraw(true);
    EXPECT_EQ(changed.count(), 1);
}

TEST(OleColor, SystemColoursFollowThePaletteAndOthersAreBlueGreenRed) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Midlight, QColor(4, 5, 6));
    EXPECT_EQ(oleToColor(0x80000005u, palette), QColor(1, 2, 3));
    EXPECT_EQ(oleToColor(0x80000016u, palette), QColor(4, 5, 6));
    EXPECT_EQ(oleToColor(0x00FF8040u, palette), QColor(0x40, 0x80, 0xFF));
    EXPECT_EQ(colorToOle(QColor(0x40, 0x80, 0xFF)), 0x00FF8040u);
}
