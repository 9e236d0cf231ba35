#include "ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace kartello::gui {

ColorSwatch::ColorSwatch(const QString& controlName, QWidget* parent) : QFrame(parent) {
    setObjectName(controlName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ColorSwatch::setColor(const QColor& color) {
    if (color == color_)
        return;
    color_ = color;
    update();
}

QSize ColorSwatch::sizeHint() const {
    const int side = fontMetrics().height() + 6;
    return {side * 2, side};
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    // A thin outline keeps a white swatch visible on a light window; the hover
    // border is drawn stronger on top of it.
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hovered_) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void ColorSwatch::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

void ColorSwatch::leaveEvent(QEvent*) {
    hovered_ = false;
    update();
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace kartello::gui
