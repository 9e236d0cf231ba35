#include "gui/CommandLooks.h"

#include <QPainter>
#include <QRect>

#include <array>

namespace sigillo {
namespace {

constexpr int kBitmapSize = 3 * kCommandCorner;

struct FrameColours {
    QColor outer;
    QColor inner; // a second ring just inside the outline; transparent for none
};

FrameColours ColoursOf(CommandLook look) {
    switch (look) {
    case CommandLook::Normal:
        return {QColor(0x70, 0x70, 0x80), QColor(0xFF, 0xFF, 0xFF, 0xB0)};
    case CommandLook::HighLight:
        return {QColor(0x70, 0x70, 0x80), QColor(0xF8, 0xB3, 0x30)};
    case CommandLook::Selected:
        return {QColor(0x1C, 0x3C, 0x8C), QColor(0x98, 0xB4, 0xF0)};
    case CommandLook::HighLightSelect:
        return {QColor(0x1C, 0x3C, 0x8C), QColor(0xF8, 0xB3, 0x30)};
    case CommandLook::Pressed:
        return {QColor(0x30, 0x30, 0x40), QColor(0x80, 0x80, 0x90, 0xC0)};
    case CommandLook::Disable:
        return {QColor(0xC0, 0xC0, 0xC0), QColor(0, 0, 0, 0)};
    }
    return {};
}

QImage DrawBitmap(CommandLook look) {
    QImage image(kBitmapSize, kBitmapSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const FrameColours colours = ColoursOf(look);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours.inner, 1.5));
    painter.drawRoundedRect(QRectF(1.5, 1.5, kBitmapSize - 3, kBitmapSize - 3), 2, 2);
    painter.setPen(QPen(colours.outer, 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, kBitmapSize - 1, kBitmapSize - 1), 3, 3);
    return image;
}

} // namespace

const QImage& CommandBitmap(CommandLook look) {
    static const std::array<QImage, 6> bitmaps = {
        DrawBitmap(CommandLook::Normal),   DrawBitmap(CommandLook::HighLight),
        DrawBitmap(CommandLook::Selected), DrawBitmap(CommandLook::HighLightSelect),
        DrawBitmap(CommandLook::Pressed),  DrawBitmap(CommandLook::Disable),
    };
    return bitmaps[static_cast<std::size_t>(look)];
}

void PaintCommandFrame(QPainter& painter, const QRect& target, const QImage& bitmap) {
    const int c = kCommandCorner;
    const int w = target.width();
    const int h = target.height();
    const int x = target.x();
    const int y = target.y();
    const int edge = bitmap.width() - 2 * c;
    // Corners.
    painter.drawImage(QRect(x, y, c, c), bitmap, QRect(0, 0, c, c));
    painter.drawImage(QRect(x + w - c, y, c, c), bitmap, QRect(c + edge, 0, c, c));
    painter.drawImage(QRect(x, y + h - c, c, c), bitmap, QRect(0, c + edge, c, c));
    painter.drawImage(QRect(x + w - c, y + h - c, c, c), bitmap, QRect(c + edge, c + edge, c, c));
    // Edges, stretched between the corners.
    painter.drawImage(QRect(x + c, y, w - 2 * c, c), bitmap, QRect(c, 0, edge, c));
    painter.drawImage(QRect(x + c, y + h - c, w - 2 * c, c), bitmap, QRect(c, c + edge, edge, c));
    painter.drawImage(QRect(x, y + c, c, h - 2 * c), bitmap, QRect(0, c, c, edge));
    painter.drawImage(QRect(x + w - c, y + c, c, h - 2 * c), bitmap, QRect(c + edge, c, c, edge));
}

} // namespace sigillo
