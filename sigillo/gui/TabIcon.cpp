#include "gui/TabIcon.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace sigillo {
namespace {

int TargetTab(int index) {
    while (index >= 10)
        index /= 10;
    return index - 1;
}

void DrawPage(QPainter& p, const QRectF& r) {
    QPainterPath page;
    const qreal fold = r.width() * 0.3;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
    for (int i = 1; i <= 3; ++i) {
        const qreal y = r.top() + fold + i * (r.height() - fold) / 4.5;
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

} // namespace

TabIcon::TabIcon(int index, QWidget* parent) : QWidget(parent), index_(index) {
    setObjectName(QStringLiteral("picTabIcon_%1").arg(index));
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    static const char* const tips[] = {"File Info", "File Comparison", "Options & Help"};
    setToolTip(QString::fromLatin1(tips[TargetTab(index)]));
    setFixedSize(sizeHint());
}

void TabIcon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1C, 0x3C, 0x8C), 1.2));
    const QRectF area = QRectF(rect()).adjusted(4, 3, -4, -3);
    switch (TargetTab(index_)) {
    case 0: // one document with a lens
        DrawPage(p, area.adjusted(0, 0, -5, 0));
        p.setBrush(QColor(0xF8, 0xB3, 0x30));
        p.drawEllipse(QPointF(area.right() - 5, area.bottom() - 6), 4.5, 4.5);
        break;
    case 1: // two documents side by side
        DrawPage(p, QRectF(area.left(), area.top(), area.width() * 0.58, area.height() * 0.85));
        DrawPage(p, QRectF(area.left() + area.width() * 0.42, area.top() + area.height() * 0.15,
                           area.width() * 0.58, area.height() * 0.85));
        break;
    default: { // a question mark in a circle
        p.setBrush(QColor(0x98, 0xB4, 0xF0));
        p.drawEllipse(area);
        QFont f = font();
        f.setBold(true);
        f.setPixelSize(static_cast<int>(area.height() * 0.7));
        p.setFont(f);
        p.drawText(area, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
}

void TabIcon::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Clicked(index_);
}

void TabIcon::focusInEvent(QFocusEvent*) {
    emit GotFocus(index_);
}

void SealPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height()) - 4;
    const QRectF seal((width() - side) / 2, (height() - side) / 2, side, side);
    QRadialGradient wax(seal.center(), side / 2);
    wax.setColorAt(0, QColor(0xD0, 0x30, 0x30));
    wax.setColorAt(1, QColor(0x80, 0x10, 0x10));
    p.setPen(Qt::NoPen);
    p.setBrush(wax);
    p.drawEllipse(seal);
    p.setPen(QPen(QColor(0xF0, 0xC0, 0xB0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(seal.adjusted(side * 0.12, side * 0.12, -side * 0.12, -side * 0.12));
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(static_cast<int>(side * 0.45));
    p.setFont(f);
    p.drawText(seal, Qt::AlignCenter, QStringLiteral("S"));
}

} // namespace sigillo
