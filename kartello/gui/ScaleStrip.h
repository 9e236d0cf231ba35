#pragma once

#include <QFrame>
#include <QRgb>
#include <QVector>

namespace kartello::gui {

// A colour scale drawn as 256 bars side by side, index 0 on the left: the seven
// preset images Image2(0..6) and the custom scale preview Picture4. The chosen
// scale carries a border.
class ScaleStrip : public QFrame {
    Q_OBJECT
public:
    explicit ScaleStrip(const QString& controlName, QWidget* parent = nullptr);

    // Colours as red + 256 * green + 65536 * blue, the form the scale tables keep.
    void setColors(const QVector<quint32>& colors);
    const QVector<QRgb>& colors() const { return colors_; }

    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QVector<QRgb> colors_;
    bool selected_ = false;
};

// The colour value red + 256 * green + 65536 * blue as a Qt colour, and back.
QColor colorFromValue(quint32 value);
quint32 valueFromColor(const QColor& color);

} // namespace kartello::gui
