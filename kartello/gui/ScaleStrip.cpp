#include "ScaleStrip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kartello::gui {

QColor colorFromValue(quint32 value) {
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

quint32 valueFromColor(const QColor& color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

ScaleStrip::ScaleStrip(const QString& controlName, QWidget* parent) : QFrame(parent) {
    setObjectName(controlName);
    setCursor(Qt::PointingHandCursor);
    // Reachable by Tab and pressed with Space or Enter, like a button.
    setFocusPolicy(Qt::TabFocus);
    setToolTip(tr("Click to choose the color scale"));
}

void ScaleStrip::setColors(const QVector<quint32>& colors) {
    colors_.clear();
    colors_.reserve(colors.size());
    for (quint32 c : colors)
        colors_.append(colorFromValue(c).rgb());
    update();
}

void ScaleStrip::setSelected(bool selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    update();
}

QSize ScaleStrip::sizeHint() const {
    // Twice the line height keeps the proportion of the classic 1560 x 160 twip
    // images readable while following the font size.
    const int h = fontMetrics().height();
    return {h * 8, h * 5 / 6 + 4};
}

void ScaleStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect().adjusted(2, 2, -2, -2);
    const int n = int(colors_.size());
    if (n > 0) {
        // Each entry gets the span from its own left edge to the next one's, so
        // the bars tile the area without gaps at any width.
        for (int k = 0; k < n; ++k) {
            const int x0 = area.left() + area.width() * k / n;
            const int x1 = area.left() + area.width() * (k + 1) / n;
            painter.fillRect(QRect(x0, area.top(), qMax(1, x1 - x0), area.height()), QColor(colors_[k]));
        }
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
    if (selected_) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void ScaleStrip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ScaleStrip::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit clicked();
    else
        QFrame::keyPressEvent(event);
}

} // namespace kartello::gui
