#include <gtest/gtest.h>

#include "engine/clsGrid.h"

using namespace sigillo;

TEST(ClsGrid, HeaderRowsAlternateColoursStartingWithTheSystemColour) {
    clsGrid grid;
    int changes = 0;
    grid.onChanged = [&] {
        ++changes;
    };
    grid.Init();
    grid.AddRow("First", "", true);
    grid.AddRow("Row", "text");
    grid.AddRow("Second", "", true);
    grid.AddRow("Third", "", true);
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(changes, 5);
    struct Expect {
        int row;
        std::optional<uint32_t> back;
    } expects[] = {
        {0, 0x80000001u},
        {1, std::nullopt},
        {2, 0x1B9CFCu},
        {3, 0x80000001u},
    };
    for (const auto& e : expects) {
        for (int col = 0; col < 2; ++col) {
            const GridCell& cell = grid.RowData()[e.row].cells[col];
            EXPECT_EQ(cell.backColor, e.back) << e.row;
            EXPECT_EQ(cell.foreColor, e.back ? std::optional<uint32_t>(0xFFFFFF) : std::nullopt);
        }
    }
    EXPECT_EQ(grid.TextMatrix(1, 0), "Row");
    EXPECT_EQ(grid.TextMatrix(1, 1), "text");
    EXPECT_EQ(grid.TextMatrix(9, 0), "");
    EXPECT_EQ(grid.ColWidth(0), 2000);
    EXPECT_EQ(grid.ColWidth(1), 4200);
    EXPECT_EQ(grid.ColAlignment(0), 1);
    EXPECT_EQ(grid.ColAlignment(1), 1);
}

TEST(ClsGrid, ClearResetsRowsAndTheToggle) {
    clsGrid grid;
    grid.AddRow("Header", "", true);
    EXPECT_TRUE(grid.ColorToggle());
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 0);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_FALSE(grid.ColorToggle());
    grid.AddRow("Again", "", true);
    EXPECT_EQ(grid.RowData()[0].cells[0].backColor, 0x80000001u);
}

TEST(ClsGrid, ShowMsgLeavesOneWideColouredRow) {
    clsGrid grid;
    grid.AddRow("a", "b");
    grid.AddRow("c", "d", true);
    grid.ShowMsg("Something happened");
    ASSERT_EQ(grid.Rows(), 1);
    const GridRow& row = grid.RowData()[0];
    EXPECT_EQ(row.cells[0].text, "Something happened");
    EXPECT_EQ(row.cells[0].backColor, 0x80000001u);
    EXPECT_EQ(row.cells[0].foreColor, 0xFFFFFFu);
    EXPECT_FALSE(row.header);
    EXPECT_EQ(row.cells[1].text, "");
    EXPECT_EQ(grid.ColWidth(0), 20000);
    EXPECT_FALSE(grid.ColorToggle());
}
