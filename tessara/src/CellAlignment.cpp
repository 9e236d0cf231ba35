#include "CellAlignment.h"

#include "tessara/GridModel.h"

namespace tessara {

Qt::Alignment textAlignment(int alignment, const QString& text) {

    if (alignment < AlignLeftTop || alignment > AlignRightBottom) {
        // General: numbers to the right, other text to the left.
        bool number = false;
        text.trimmed().toDouble(&number);
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[alignment / 3] | vertical[alignment % 3];
}

} // namespace tessara
