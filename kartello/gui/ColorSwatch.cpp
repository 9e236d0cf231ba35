#include "ColorSwatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kartello::gui {

ColorSwatch::ColorSwatch(const QString& controlName, QWidget* parent) : QFrame(parent) {
    setObjectName(controlName);
    setCursor(Qt::PointingHandCursor);
    // Reachable by Tab and pressed with Space or Enter, like a button.
    setFocusPolicy(Qt::TabFocus);
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
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
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

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit clicked();
    else
        QFrame::keyPressEvent(event);
}

} // namespace kartello::gui
