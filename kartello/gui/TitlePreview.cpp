#include "TitlePreview.h"
#include "form/ControlNames.h"

#include <QMouseEvent>
#include <QPixmap>

namespace kartello::gui {

TitlePreview::TitlePreview(QWidget* parent) : QLabel(parent), closeLabel_(new QLabel(this)) {
    setObjectName(ctl::Picture2);
    setFrameShape(QFrame::Box);
    setCursor(Qt::OpenHandCursor);
    setToolTip(tr("Drag the title preview anywhere on the window"));
    closeLabel_->setObjectName(ctl::Label8);
    closeLabel_->setText("x");
    closeLabel_->setAlignment(Qt::AlignCenter);
    closeLabel_->setCursor(Qt::PointingHandCursor);
    closeLabel_->setToolTip(tr("Close the preview"));
    closeLabel_->setStyleSheet("QLabel { background: palette(window); border: 1px solid palette(mid); }");
    closeLabel_->installEventFilter(this);
    hide();
}

void TitlePreview::setTitleImage(const QImage& image) {
    setPixmap(QPixmap::fromImage(image));
    resize(image.size() + QSize(2 * frameWidth(), 2 * frameWidth()));
    placeCloseLabel();
}

void TitlePreview::placeCloseLabel() {
    const int side = fontMetrics().height();
    closeLabel_->resize(side, side);
    closeLabel_->move(width() - side - 1, 1);
    closeLabel_->raise();
}

void TitlePreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    grabPoint_ = event->position().toPoint();
    startPos_ = pos();
    raise();
    setCursor(Qt::ClosedHandCursor);
}

void TitlePreview::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return;
    move(mapToParent(event->position().toPoint()) - grabPoint_);
}

void TitlePreview::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
    const QPoint dropPoint = mapToParent(event->position().toPoint());
    move(acceptsDropAt(dropPoint) ? dropPoint - grabPoint_ : startPos_);
}

bool TitlePreview::acceptsDropAt(const QPoint& parentPos) const {
    QWidget* host = parentWidget();
    if (!host || !host->rect().contains(parentPos))
        return false;
    // The hit test must see what lies under the preview, not the preview.
    auto* self = const_cast<TitlePreview*>(this);
    self->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QWidget* hit = host->childAt(parentPos);
    self->setAttribute(Qt::WA_TransparentForMouseEvents, false);

    // A control whose inner parts are widgets of their own (the table) takes
    // every drop inside it.
    for (QWidget* w = hit; w && w != host; w = w->parentWidget())
        if (w->objectName() == ctl::Grid1)
            return dropTargets_.contains(ctl::Grid1);
    // Otherwise the drop belongs to the nearest control with a name; unnamed
    // layout boxes count as the window.
    for (QWidget* w = hit ? hit : host; w; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (w != host && (name.isEmpty() || name.startsWith("qt_")))
            continue;
        return dropTargets_.contains(name);
    }
    return false;
}

bool TitlePreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == closeLabel_ && event->type() == QEvent::MouseButtonRelease) {
        emit closeClicked();
        return true;
    }
    if (watched == closeLabel_ && event->type() == QEvent::MouseButtonPress)
        return true;
    return QLabel::eventFilter(watched, event);
}

} // namespace kartello::gui
