// Arbitrary format strings, clip text and added items: nothing may crash and
// the grid stays consistent (every cell in range readable).
#include <cstdint>

#include "tessara/GridModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    tessara::GridModel grid;
    grid.setTextMeasure([](const QString& s) { return 100.0 * double(s.size()); });
    try {
        switch (data[0] % 3) {
        case 0:
            grid.setFormatString(text);
            break;
        case 1:
            grid.setRows(6);
            grid.setCols(4);
            grid.setRow(1);
            grid.setCol(1);
            grid.setRowSel(5);
            grid.setColSel(3);
            grid.setClip(text);
            (void)grid.Clip();
            break;
        default:
            grid.AddItem(text, 1);
            break;
        }
    } catch (const tessara::GridError&) {
        return 0;
    }
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c)
            (void)grid.TextMatrix(r, c);
    return 0;
}
