// Arbitrary text pasted into grids of arbitrary shape: nothing may crash, the
// grid never grows or shrinks, and the pasted string is always consumed.
#include <cstdint>
#include <cstdlib>

#include "tessara/GridModel.h"

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6)
        return 0;
    const int rows = data[0] % 40;
    const int cols = data[1] % 12;
    tessara::GridModel grid;
    grid.setRows(rows);
    grid.setCols(cols);
    grid.setFixedRows(std::min(rows, data[2] % 3));
    grid.setFixedCols(std::min(cols, data[3] % 3));
    if (rows > 0 && cols > 0) {
        grid.setRow(data[4] % rows);
        grid.setCol(data[5] % cols);
        // Every third cell of the start row may not be edited.
        for (int c = 0; c < cols; c += 3)
            grid.setTextMatrix(grid.Row(), c, QStringLiteral("keep"));
        grid.setCellBackColor(grid.CellNoEdit);
    }
    const int row = grid.Row();
    const int col = grid.Col();
    const QString noEditText = rows > 0 && cols > 0 ? grid.Text() : QString();
    int reports = 0;
    QObject::connect(&grid, &tessara::GridModel::ErrorMsg, [&] { ++reports; });

    QString pasted = QString::fromUtf8(reinterpret_cast<const char*>(data + 6), qsizetype(size - 6));
    grid.Paste(pasted);

    require(grid.Rows() == rows);
    require(grid.Cols() == cols);
    if (rows > 0 && cols > 0) {
        require(reports == 0);
        require(pasted.isEmpty());
        require(grid.Row() == row && grid.Col() == col);
        require(grid.Text() == noEditText);
        require(grid.Redraw());
    }
    return 0;
}
