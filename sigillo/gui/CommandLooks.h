#pragma once

// The six state bitmaps of the Command button, drawn by the program itself,
// and the way one of them is laid around the button's edges.

#include "gui/CommandState.h"

#include <QImage>

class QPainter;
class QRect;

namespace sigillo {

// A small square frame picture; its corners are kept as they are and its
// edges are stretched along the button, leaving the middle to the gradient.
const QImage& CommandBitmap(CommandLook look);

// Size of one corner piece in the bitmap and on the button, in pixels.
constexpr int kCommandCorner = 4;

// Paints the bitmap in eight pieces: four corners and four stretched edges.
void PaintCommandFrame(QPainter& painter, const QRect& target, const QImage& bitmap);

} // namespace sigillo
