// Column widths fitted to their texts and pictures, and pictures loaded into cells.
#include "tessara/GridModel.h"

#include <QFileInfo>
#include <cmath>

#include "Int16.h"

namespace tessara {

namespace {

// Room beside a text and around a picture so that neither touches the grid lines.
constexpr int kTextMargin = 100;
constexpr int kPictureMargin = 10;

} // namespace

void GridModel::SetColWidth(int col, int& w, int minWidth, int maxWidth) {
    trapped(QStringLiteral("SetColWidth"), [&] { setColWidthBody(col, w, minWidth, maxWidth); });
}

// A zero or negative bound is no bound; when the bounds cross, the maximum wins.
void GridModel::setColWidthBody(int col, int& w, int minWidth, int maxWidth) {
    if (minWidth > 0 && w < minWidth)
        w = minWidth;
    if (maxWidth > 0 && w > maxWidth)
        w = maxWidth;
    setColWidth(col, w);
}

void GridModel::AutoColWidth(int col, int minWidth, int maxWidth) {
    trapped(QStringLiteral("AutoColWidth"), [&] { autoColWidthBody(col, minWidth, maxWidth); });
}

void GridModel::autoColWidthBody(int col, int minWidth, int maxWidth) {
    int w = minWidth;
    setCol(col);
    // Each cell is measured where it stands: walking the current row down the
    // column would send the host four events per row and drag the view to the end.
    const TextMeasure measure = textMeasure();
    for (int i = 0; i < Rows(); ++i) {
        w = std::max(w, roundToInt16(measure(TextMatrix(i, col)) + kTextMargin));
        w = std::max(w, roundToInt16(pictureWidthTwips(cellPictureAt(i, col)) + kPictureMargin));
    }
    SetColWidth(col, w, minWidth, maxWidth);
}

void GridModel::LoadCellPic(const QString& fileName, int r1, int c1) {
    trapped(QStringLiteral("LoadCellPic"), [&] {
        setRow(r1);
        setCol(c1);
        if (!QFileInfo(fileName).isFile())
            throw GridError(ErrFileNotFound);
        QImage picture;
        if (!picture.load(fileName))
            throw GridError(ErrInvalidPicture);
        setCellPicture(picture);
        const int h = int(std::lround(pictureHeightTwips(picture) + kPictureMargin));
        if (RowHeight(r1) < h)
            setRowHeight(r1, h);
        AutoColWidth(c1, 0, 0);
    });
}

} // namespace tessara
