#pragma once

#include <QColor>
#include <QFrame>

namespace kartello::gui {

// A clickable colour box: the option swatches Picture1(i) and the two custom
// scale ends Image1(0)/(1). It shows a single border only while the mouse is over
// it, so the user sees which box a click will change.
class ColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColorSwatch(const QString& controlName, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& color);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor color_{Qt::white};
    bool hovered_ = false;
};

} // namespace kartello::gui
