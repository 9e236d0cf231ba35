// A screen reader's view of the control: walked from the control down to each cell.
#include <QAccessible>
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "tessara/Tessara.h"

using namespace tessara;

namespace {

QAccessibleInterface* findTable(QAccessibleInterface* node) {
    if (!node)
        return nullptr;
    if (node->role() == QAccessible::Table)
        return node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* found = findTable(node->child(i)))
            return found;
    return nullptr;
}

} // namespace

TEST(Accessibility, TheTreeShowsATableOfCellsWithTextRowAndColumn) {
    Tessara control;
    control.resize(400, 200);
    test::fillNamed(control.model(), 4, 3, 1, 1);
    control.show();
    QAccessibleInterface* table = findTable(QAccessible::queryAccessibleInterface(&control));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->childCount(), 12);

    const struct {
        int child;
        QAccessible::Role role;
        const char* text;
        int row, column;
    } cases[] = {
        {1, QAccessible::ColumnHeader, "0,1", -1, 0},
        {3, QAccessible::RowHeader, "1,0", 0, -1},
        {4, QAccessible::Cell, "1,1", 0, 0},
        {11, QAccessible::Cell, "3,2", 2, 1},
    };
    for (const auto& c : cases) {
        QAccessibleInterface* cell = table->child(c.child);
        ASSERT_NE(cell, nullptr) << c.child;
        EXPECT_EQ(cell->role(), c.role) << c.child;
        EXPECT_EQ(cell->text(QAccessible::Name), QString::fromLatin1(c.text)) << c.child;
        EXPECT_EQ(cell->parent(), table);
        EXPECT_EQ(table->indexOfChild(cell), c.child);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        ASSERT_NE(place, nullptr);
        EXPECT_EQ(place->rowIndex(), c.row) << c.child;
        EXPECT_EQ(place->columnIndex(), c.column) << c.child;
    }

    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("2,1"));
    EXPECT_EQ(grid->columnDescription(1), QStringLiteral("0,2"));

    // The tree follows the grid: a deleted row is gone from it.
    control.DeleteRows(1, 1);
    EXPECT_EQ(table->childCount(), 9);
    EXPECT_EQ(grid->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("2,1"));
}
