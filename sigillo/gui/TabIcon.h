#pragma once

// One of the small picture buttons on each tab page that switch tabs; its
// index's first digit names the target tab (1, 11, 111 the first one).

#include <QWidget>

namespace sigillo {

class TabIcon : public QWidget {
    Q_OBJECT
public:
    TabIcon(int index, QWidget* parent = nullptr);

    int index() const { return index_; }
    QSize sizeHint() const override { return {28, 28}; }

signals:
    void Clicked(int index);
    void GotFocus(int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    int index_;
};

// The picture of the options tab: the program's seal, drawn.
class SealPicture : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {96, 96}; }

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace sigillo
