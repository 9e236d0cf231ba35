#pragma once

#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QStringList>
#include <functional>

namespace kartello::gui {

// The title preview Picture2: shows the drawn title image, carries its close
// label Label8 at the top right, and can be dragged over the main window. A drop
// is kept only on a target the window accepts (the window itself, the grid,
// labels and title frames, and the table); anywhere else the preview goes back.
class TitlePreview : public QLabel {
    Q_OBJECT
public:
    explicit TitlePreview(QWidget* parent);

    void setTitleImage(const QImage& image);

    // Names of the controls a drop may land on; the parent itself counts under
    // the name it carries.
    void setDropTargets(const QStringList& names) { dropTargets_ = names; }

    QLabel* closeLabel() const { return closeLabel_; }

signals:
    void closeClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool acceptsDropAt(const QPoint& parentPos) const;
    void placeCloseLabel();

    QLabel* closeLabel_;
    QStringList dropTargets_;
    QPoint grabPoint_;
    QPoint startPos_;
    bool dragging_ = false;
};

} // namespace kartello::gui
