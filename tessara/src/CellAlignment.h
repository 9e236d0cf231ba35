#pragma once
// Where a cell's text sits, from the grid's alignment value (1 left, 4 centred,
// 7 right ...; 9 general: numbers to the right, other text to the left).
#include <QString>
#include <Qt>

namespace tessara {

Qt::Alignment textAlignment(int alignment, const QString& text);

} // namespace tessara
