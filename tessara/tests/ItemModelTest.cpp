// The grid as a Qt item model, and one model shared by several views.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTableView>
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "tessara/GridItemModel.h"
#include "tessara/Tessara.h"

using namespace tessara;
using tessara::test::fillNamed;

TEST(GridItemModel, ShowsTheCellsBelowAndRightOfTheFixedOnesWithTheirHeaders) {
    GridModel grid;
    fillNamed(grid, 4, 3, 1, 1);
    GridItemModel items(grid);
    QAbstractItemModelTester tester(&items, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(items.rowCount(), 3);
    EXPECT_EQ(items.columnCount(), 2);
    EXPECT_EQ(items.data(items.index(0, 0)).toString(), QStringLiteral("1,1"));
    EXPECT_EQ(items.data(items.index(2, 1)).toString(), QStringLiteral("3,2"));
    EXPECT_EQ(items.headerData(1, Qt::Horizontal).toString(), QStringLiteral("0,2"));
    EXPECT_EQ(items.headerData(2, Qt::Vertical).toString(), QStringLiteral("3,0"));

    grid.setFixedCols(0);
    EXPECT_EQ(items.columnCount(), 3);
    EXPECT_EQ(items.headerData(0, Qt::Vertical).toInt(), 1);
}

TEST(GridItemModel, FollowsTheGridAndWritesIntoIt) {
    GridModel grid;
    fillNamed(grid, 5, 2);
    GridItemModel items(grid);
    QAbstractItemModelTester tester(&items, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy changed(&items, &QAbstractItemModel::dataChanged);
    grid.setTextMatrix(2, 1, QStringLiteral("new"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), items.index(1, 1));

    grid.InsertRows(1, 3);
    EXPECT_EQ(items.rowCount(), 7);
    grid.DeleteRows(1, 6);
    EXPECT_EQ(items.rowCount(), 1);

    EXPECT_TRUE(items.setData(items.index(0, 0), QStringLiteral("typed")));
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("typed"));
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellBackColor(grid.CellNoEdit);
    EXPECT_FALSE(items.flags(items.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(items.setData(items.index(0, 1), QStringLiteral("refused")));
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("4,1"));
}

TEST(SharedModel, TwoControlsAndATableViewShowOneGrid) {
    GridModel grid;
    fillNamed(grid, 3, 2);
    Tessara first(&grid);
    Tessara second(&grid);
    GridItemModel items(grid);
    QTableView view;
    view.setModel(&items);
    first.setTextMatrix(1, 1, QStringLiteral("shared"));
    EXPECT_EQ(second.TextMatrix(1, 1), QStringLiteral("shared"));
    EXPECT_EQ(view.model()->data(view.model()->index(0, 1)).toString(), QStringLiteral("shared"));
    EXPECT_EQ(&first.model(), &grid);

    // setModel: another grid, then back to one of the control's own.
    GridModel other;
    fillNamed(other, 2, 2);
    first.setModel(&other);
    EXPECT_EQ(first.TextMatrix(1, 1), QStringLiteral("1,1"));
    first.setModel(nullptr);
    EXPECT_NE(&first.model(), &other);
    EXPECT_EQ(first.Rows(), 2); // a fresh grid
}

TEST(SharedModel, AControlOutlivingItsModelGetsOneOfItsOwn) {
    Tessara control;
    {
        GridModel grid;
        fillNamed(grid, 6, 2);
        control.setModel(&grid);
        EXPECT_EQ(control.Rows(), 6);
    }
    EXPECT_EQ(control.Rows(), 2);
}
