#include "GridView.h"

#include <QAccessible>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <utility>

#include "CellAlignment.h"
#include "GridAccessible.h"
#include "KeyCodes.h"
#include "tessara/GridModel.h"

namespace tessara {

namespace {

constexpr int kTextMarginPx = 3;

bool isUserFocus(Qt::FocusReason reason) {
    // Switching windows or closing a popup is no focus change inside the form.
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

GridView::GridView(GridModel& model, QWidget* parent) : QAbstractScrollArea(parent), model_(model) {
    setObjectName(QStringLiteral("MSFlexGrid1"));
    GridAccessible::install();
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    topRow_ = model_.FixedRows();
    leftCol_ = model_.FixedCols();
    connect(&model_, &GridModel::changed, this, &GridView::onModelChanged);
    connect(&model_, &GridModel::RowColChange, this, &GridView::onCurrentCellMoved);
    updateScrollBars();
}

int GridView::pixels(double twips) const {
    return int(std::lround(twips / model_.twipsPerPixel()));
}
double GridView::twips(double pixels) const {
    return pixels * model_.twipsPerPixel();
}

int GridView::fixedHeight() const {
    int h = 0;
    for (int r = 0; r < model_.FixedRows(); ++r)
        h += pixels(model_.RowHeight(r));
    return h;
}

int GridView::fixedWidth() const {
    int w = 0;
    for (int c = 0; c < model_.FixedCols(); ++c)
        w += pixels(model_.ColWidth(c));
    return w;
}

// The largest top row that still fills the viewport down to the last row.
int GridView::lastTopRow() const {
    const int available = viewport()->height() - fixedHeight();
    int top = model_.Rows() - 1;
    int used = 0;
    while (top >= model_.FixedRows()) {
        used += pixels(model_.RowHeight(top));
        if (used > available)
            break;
        --top;
    }
    return std::max(model_.FixedRows(), std::min(top + 1, model_.Rows() - 1));
}

int GridView::lastLeftCol() const {
    const int available = viewport()->width() - fixedWidth();
    int left = model_.Cols() - 1;
    int used = 0;
    while (left >= model_.FixedCols()) {
        used += pixels(model_.ColWidth(left));
        if (used > available)
            break;
        --left;
    }
    return std::max(model_.FixedCols(), std::min(left + 1, model_.Cols() - 1));
}

int GridView::rowTop(int r) const {
    if (r < 0 || r >= model_.Rows())
        return -1;
    int y = 0;
    if (r < model_.FixedRows()) {
        for (int i = 0; i < r; ++i)
            y += pixels(model_.RowHeight(i));
        return y;
    }
    if (r < topRow_)
        return -1;
    y = fixedHeight();
    for (int i = topRow_; i < r; ++i) {
        y += pixels(model_.RowHeight(i));
        if (y >= viewport()->height())
            return -1;
    }
    return y;
}

int GridView::colLeft(int c) const {
    if (c < 0 || c >= model_.Cols())
        return -1;
    int x = 0;
    if (c < model_.FixedCols()) {
        for (int i = 0; i < c; ++i)
            x += pixels(model_.ColWidth(i));
        return x;
    }
    if (c < leftCol_)
        return -1;
    x = fixedWidth();
    for (int i = leftCol_; i < c; ++i) {
        x += pixels(model_.ColWidth(i));
        if (x >= viewport()->width())
            return -1;
    }
    return x;
}

void GridView::updateScrollBars() {
    const int policy = model_.ScrollBars();
    setHorizontalScrollBarPolicy(policy & 1 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(policy & 2 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const int maxTop = lastTopRow();
    const int maxLeft = lastLeftCol();
    topRow_ = std::clamp(topRow_, model_.FixedRows(), maxTop);
    leftCol_ = std::clamp(leftCol_, model_.FixedCols(), maxLeft);
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    const QSignalBlocker blockV(vertical);
    const QSignalBlocker blockH(horizontal);
    vertical->setRange(0, maxTop - model_.FixedRows());
    vertical->setPageStep(std::max(1, viewport()->height() / std::max(1, pixels(kDefaultRowHeight))));
    vertical->setValue(topRow_ - model_.FixedRows());
    horizontal->setRange(0, maxLeft - model_.FixedCols());
    horizontal->setPageStep(1);
    horizontal->setValue(leftCol_ - model_.FixedCols());
}

void GridView::scrollContentsBy(int, int) {
    topRow_ = model_.FixedRows() + verticalScrollBar()->value();
    leftCol_ = model_.FixedCols() + horizontalScrollBar()->value();
    viewport()->update();
    emit scrolled();
}

void GridView::scrollToCell(int r, int c) {
    int top = topRow_;
    if (r >= model_.FixedRows() && r < model_.Rows()) {
        if (r < top) {
            top = r;
        } else {
            const int available = viewport()->height() - fixedHeight();
            int used = pixels(model_.RowHeight(r));
            int first = r;
            while (first - 1 >= top && used + pixels(model_.RowHeight(first - 1)) <= available)
                used += pixels(model_.RowHeight(--first));
            top = std::max(top, first);
        }
    }
    int left = leftCol_;
    if (c >= model_.FixedCols() && c < model_.Cols()) {
        if (c < left) {
            left = c;
        } else {
            const int available = viewport()->width() - fixedWidth();
            int used = pixels(model_.ColWidth(c));
            int first = c;
            while (first - 1 >= left && used + pixels(model_.ColWidth(first - 1)) <= available)
                used += pixels(model_.ColWidth(--first));
            left = std::max(left, first);
        }
    }
    if (top != topRow_ || left != leftCol_) {
        topRow_ = top;
        leftCol_ = left;
        updateScrollBars();
        viewport()->update();
        emit scrolled();
    }
}

QRect GridView::cellRectShown(int r, int c) {
    settle();
    scrollToCell(r, c);
    return cellRectInView(r, c);
}

QRect GridView::cellRectInView(int r, int c) const {
    const int y = rowTop(r);
    const int x = colLeft(c);
    if (x < 0 || y < 0)
        return QRect();
    return QRect(x, y, pixels(model_.ColWidth(c)), pixels(model_.RowHeight(r)));
}

int GridView::lastRowInView() const {
    int y = fixedHeight();
    int r = topRow_;
    while (r + 1 < model_.Rows() && y + pixels(model_.RowHeight(r)) < viewport()->height())
        y += pixels(model_.RowHeight(r++));
    return r;
}

int GridView::lastColInView() const {
    int x = fixedWidth();
    int c = leftCol_;
    while (c + 1 < model_.Cols() && x + pixels(model_.ColWidth(c)) < viewport()->width())
        x += pixels(model_.ColWidth(c++));
    return c;
}

namespace {

// The index under a position along one axis: fixed entries first, then the
// scrollable ones from the first shown.
template <typename Size> int indexAt(int pos, int count, int fixed, int firstShown, Size size) {
    int edge = 0;
    for (int i = 0; i < count && edge <= pos; ++i) {
        if (i >= fixed && i < firstShown)
            i = firstShown;
        if (i >= count)
            break;
        const int extent = size(i);
        if (pos >= edge && pos < edge + extent)
            return i;
        edge += extent;
    }
    return -1;
}

} // namespace

QPoint GridView::cellAt(const QPoint& point) const {
    const int r = indexAt(point.y(), model_.Rows(), model_.FixedRows(), topRow_,
                          [&](int i) { return pixels(model_.RowHeight(i)); });
    const int c = indexAt(point.x(), model_.Cols(), model_.FixedCols(), leftCol_,
                          [&](int i) { return pixels(model_.ColWidth(i)); });
    if (r < 0 || c < 0)
        return QPoint(-1, -1);
    return QPoint(r, c);
}

void GridView::onModelChanged() {
    layoutPending_ = true;
    scheduleSettle();
}

void GridView::onCurrentCellMoved() {
    followPending_ = true;
    scheduleSettle();
    // A screen reader follows the current cell as it follows the focus.
    if (QAccessible::isActive() && hasFocus() && model_.Cols() > 0) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(model_.Row() * model_.Cols() + model_.Col());
        QAccessible::updateAccessibility(&event);
    }
}

void GridView::scheduleSettle() {
    if (settleQueued_)
        return;
    settleQueued_ = true;
    QMetaObject::invokeMethod(this, &GridView::settle, Qt::QueuedConnection);
}

void GridView::settle() {
    settleQueued_ = false;
    if (layoutPending_) {
        layoutPending_ = false;
        updateScrollBars();
        viewport()->update();
    }
    if (followPending_) {
        followPending_ = false;
        scrollToCell(model_.Row(), model_.Col());
    }
}

void GridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

// --- Painting: only the rows and columns that the viewport shows. ---------------

void GridView::paintEvent(QPaintEvent*) {
    settle();
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.fillRect(viewport()->rect(), oleToColor(model_.BackColorBkg(), pal));
    painter.setFont(model_.Font());
    const int height = viewport()->height();
    const int width = viewport()->width();
    int y = 0;
    for (int r = 0; r < model_.Rows() && y < height; ++r) {
        if (r >= model_.FixedRows() && r < topRow_)
            r = topRow_;
        const int h = pixels(model_.RowHeight(r));
        int x = 0;
        for (int c = 0; c < model_.Cols() && x < width; ++c) {
            if (c >= model_.FixedCols() && c < leftCol_)
                c = leftCol_;
            const int w = pixels(model_.ColWidth(c));
            if (w > 0 && h > 0)
                paintCell(painter, QRect(x, y, w, h), r, c);
            x += w;
        }
        y += h;
    }
}

void GridView::paintCell(QPainter& painter, const QRect& rect, int r, int c) const {
    const QPalette& pal = palette();
    const bool fixed = r < model_.FixedRows() || c < model_.FixedCols();
    const bool current = r == model_.Row() && c == model_.Col();
    const auto [r1, r2] = std::minmax({model_.Row(), model_.RowSel()});
    const auto [c1, c2] = std::minmax({model_.Col(), model_.ColSel()});
    const bool highlightOn = model_.HighLight() == 1 || (model_.HighLight() == 2 && hasFocus());
    const bool selected = !fixed && !current && highlightOn && r >= r1 && r <= r2 && c >= c1 && c <= c2;

    const OleColor ownBack = model_.cellBackColorAt(r, c);
    const OleColor ownFore = model_.cellForeColorAt(r, c);
    OleColor back = ownBack ? ownBack : (fixed ? model_.BackColorFixed() : model_.BackColor());
    OleColor fore = ownFore ? ownFore : (fixed ? model_.ForeColorFixed() : model_.ForeColor());
    if (selected) {
        back = model_.BackColorSel();
        fore = model_.ForeColorSel();
    }
    painter.fillRect(rect, oleToColor(back, pal));
    // A disabled grid shows its texts greyed, whatever colours the host gave them.
    const QColor foreground =
        isEnabled() ? oleToColor(fore, pal) : pal.color(QPalette::Disabled, QPalette::Text);

    const QImage picture = model_.cellPictureAt(r, c);
    painter.save();
    painter.setClipRect(rect);
    if (!picture.isNull())
        painter.drawImage(rect.topLeft(), picture);
    const QString text = model_.TextMatrix(r, c);
    if (!text.isEmpty()) {
        painter.setPen(foreground);
        int flags = int(textAlignment(model_.cellAlignmentAt(r, c), text));
        if (model_.WordWrap())
            flags |= Qt::TextWordWrap;
        painter.drawText(rect.adjusted(kTextMarginPx, 0, -kTextMarginPx, 0), flags, text);
    }
    painter.restore();

    const int lines = fixed ? model_.GridLinesFixed() : model_.GridLines();
    if (lines != 0) {
        painter.setPen(QPen(oleToColor(fixed ? model_.GridColorFixed() : model_.GridColor(), pal),
                            model_.GridLineWidth()));
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    if (current && !fixed && model_.FocusRect() != 0) {
        QPen pen(oleToColor(model_.ForeColor(), pal), model_.FocusRect() == 2 ? 2 : 1,
                 model_.FocusRect() == 1 ? Qt::DotLine : Qt::SolidLine);
        painter.setPen(pen);
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
}

// --- Keyboard ------------------------------------------------------------------

void GridView::keyPressEvent(QKeyEvent* event) {
    emit keyDown(virtualKeyCode(*event), shiftMask(event->modifiers()));
    navigate(*event);
    const int character = characterCode(*event);
    if (character >= 0)
        emit keyPress(character);
    event->accept();
}

bool GridView::event(QEvent* event) {
    if (tabDirection(*event)) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void GridView::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        emit keyUp(virtualKeyCode(*event), shiftMask(event->modifiers()));
    event->accept();
}

// The grid's own movement keys; Shift extends the selection instead.
bool GridView::navigate(const QKeyEvent& event) {
    const int rows = model_.Rows();
    const int cols = model_.Cols();
    if (rows <= model_.FixedRows() || cols <= model_.FixedCols())
        return false;
    const bool extend = event.modifiers() & Qt::ShiftModifier;
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    int r = extend ? model_.RowSel() : model_.Row();
    int c = extend ? model_.ColSel() : model_.Col();
    const int page = std::max(1, verticalScrollBar()->pageStep());
    switch (event.key()) {
    case Qt::Key_Up:
        --r;
        break;
    case Qt::Key_Down:
        ++r;
        break;
    case Qt::Key_Left:
        --c;
        break;
    case Qt::Key_Right:
        ++c;
        break;
    case Qt::Key_PageUp:
        r -= page;
        break;
    case Qt::Key_PageDown:
        r += page;
        break;
    case Qt::Key_Home:
        c = model_.FixedCols();
        if (ctrl)
            r = model_.FixedRows();
        break;
    case Qt::Key_End:
        c = cols - 1;
        if (ctrl)
            r = rows - 1;
        break;
    default:
        return false;
    }
    r = std::clamp(r, std::min(model_.FixedRows(), extend ? model_.RowSel() : model_.Row()), rows - 1);
    c = std::clamp(c, std::min(model_.FixedCols(), extend ? model_.ColSel() : model_.Col()), cols - 1);
    if (extend) {
        model_.setRowSel(r);
        model_.setColSel(c);
        scrollToCell(r, c);
    } else {
        model_.setCurrentCell(r, c);
    }
    applySelectionMode();
    return true;
}

// --- Mouse -------------------------------------------------------------------

void GridView::emitMouse(void (GridView::*signal)(int, int, float, float), const QMouseEvent& event,
                         Qt::MouseButtons buttons) {
    const QPointF at = event.position();
    emit(this->*signal)(buttonMask(buttons), shiftMask(event.modifiers()), float(twips(at.x())),
                        float(twips(at.y())));
}

// A click on a header selects its whole column (or row); a click on a cell makes
// it current, or with Shift extends the selection to it.
void GridView::selectFromPress(int r, int c, bool extend) {
    const int fr = model_.FixedRows();
    const int fc = model_.FixedCols();
    const int rows = model_.Rows();
    const int cols = model_.Cols();
    if (rows <= fr || cols <= fc)
        return;
    if (r < fr && c < fc) {
        model_.setCurrentCell(fr, fc);
        model_.setRowSel(rows - 1);
        model_.setColSel(cols - 1);
    } else if (r < fr) {
        model_.setCurrentCell(fr, c);
        model_.setRowSel(rows - 1);
    } else if (c < fc) {
        model_.setCurrentCell(r, fc);
        model_.setColSel(cols - 1);
    } else if (extend) {
        model_.setRowSel(r);
        model_.setColSel(c);
    } else {
        model_.setCurrentCell(r, c);
    }
    applySelectionMode();
}

// SelectionMode 1 makes every selection the user makes span whole rows, 2 whole columns.
void GridView::applySelectionMode() {
    const int mode = model_.SelectionMode();
    const int fr = model_.FixedRows();
    const int fc = model_.FixedCols();
    const int rows = model_.Rows();
    const int cols = model_.Cols();
    if ((mode != 1 && mode != 2) || rows <= fr || cols <= fc)
        return;
    const int row = model_.Row();
    const int rowSel = model_.RowSel();
    const int col = model_.Col();
    const int colSel = model_.ColSel();
    if (mode == 1 && (col != fc || colSel != cols - 1)) {
        model_.setCurrentCell(row, fc);
        model_.setRowSel(rowSel);
        model_.setColSel(cols - 1);
    } else if (mode == 2 && (row != fr || rowSel != rows - 1)) {
        model_.setCurrentCell(fr, col);
        model_.setColSel(colSel);
        model_.setRowSel(rows - 1);
    }
}

std::optional<GridView::Grip> GridView::gripAt(const QPoint& point) const {
    constexpr int kReach = 3; // pixels either side of an edge that still grab it
    const int allowed = model_.AllowUserResizing();
    if ((allowed & 1) && point.y() < fixedHeight()) {
        int x = 0;
        for (int c = 0; c < model_.Cols() && x <= point.x() + kReach; ++c) {
            if (c >= model_.FixedCols() && c < leftCol_)
                c = leftCol_;
            x += pixels(model_.ColWidth(c));
            if (std::abs(point.x() - x) <= kReach)
                return Grip{true, c, point.x(), pixels(model_.ColWidth(c))};
        }
    }
    if ((allowed & 2) && point.x() < fixedWidth()) {
        int y = 0;
        for (int r = 0; r < model_.Rows() && y <= point.y() + kReach; ++r) {
            if (r >= model_.FixedRows() && r < topRow_)
                r = topRow_;
            y += pixels(model_.RowHeight(r));
            if (std::abs(point.y() - y) <= kReach)
                return Grip{false, r, point.y(), pixels(model_.RowHeight(r))};
        }
    }
    return std::nullopt;
}

void GridView::resizeTo(const Grip& grip, const QPoint& point) {
    const int size = std::max(0, grip.startSize + (grip.column ? point.x() : point.y()) - grip.startPos);
    const int inTwips = int(std::lround(twips(size)));
    if (grip.column)
        model_.setColWidth(grip.index, inTwips);
    else
        model_.setRowHeight(grip.index, inTwips);
}

void GridView::mousePressEvent(QMouseEvent* event) {
    settle();
    if (event->button() == Qt::LeftButton)
        resizing_ = gripAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && !resizing_) {
        const QPoint cell = cellAt(event->position().toPoint());
        if (cell.x() >= 0)
            selectFromPress(cell.x(), cell.y(), event->modifiers() & Qt::ShiftModifier);
        dragging_ = cell.x() >= model_.FixedRows() && cell.y() >= model_.FixedCols();
    }
    emitMouse(&GridView::mouseDown, *event, event->button());
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    settle();
    const QPoint at = event->position().toPoint();
    if (resizing_) {
        resizeTo(*resizing_, at);
    } else if (event->buttons() == Qt::NoButton) {
        const std::optional<Grip> grip = gripAt(at);
        if (grip)
            viewport()->setCursor(grip->column ? Qt::SplitHCursor : Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
    }
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        dragTo(at);
    emitMouse(&GridView::mouseMove, *event, event->buttons());
}

// Past the last row or column shown (or before the first) the selection grows by
// one and the view scrolls after it; the timer keeps going while the button is held.
void GridView::dragTo(const QPoint& point) {
    dragPoint_ = point;
    const QRect inside = viewport()->rect().adjusted(fixedWidth(), fixedHeight(), 0, 0);
    // Each axis on its own: the row under the point's height, the column under its width.
    int r = cellAt(QPoint(inside.left(), point.y())).x();
    int c = cellAt(QPoint(point.x(), inside.top())).y();
    if (r < 0)
        r = model_.RowSel();
    if (c < 0)
        c = model_.ColSel();
    if (point.y() > inside.bottom())
        r = std::min(model_.Rows() - 1, lastRowInView() + 1);
    else if (point.y() < inside.top())
        r = std::max(model_.FixedRows(), topRow_ - 1);
    if (point.x() > inside.right())
        c = std::min(model_.Cols() - 1, lastColInView() + 1);
    else if (point.x() < inside.left())
        c = std::max(model_.FixedCols(), leftCol_ - 1);
    const bool outside = !inside.contains(point);
    if (outside && !dragScroll_.isActive())
        dragScroll_.start(50, this);
    else if (!outside)
        dragScroll_.stop();
    if (r < model_.FixedRows() || c < model_.FixedCols() || (r == model_.RowSel() && c == model_.ColSel()))
        return;
    model_.setRowSel(r);
    model_.setColSel(c);
    applySelectionMode();
    scrollToCell(r, c);
}

void GridView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != dragScroll_.timerId())
        return QAbstractScrollArea::timerEvent(event);
    if (dragging_)
        dragTo(dragPoint_);
    else
        dragScroll_.stop();
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    dragScroll_.stop();
    resizing_.reset();
    emitMouse(&GridView::mouseUp, *event, event->button());
    // The release that ends a double click is no second click.
    if (event->button() == Qt::LeftButton && !std::exchange(afterDoubleClick_, false))
        emit click();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        afterDoubleClick_ = true;
        emit dblClick();
    }
}

void GridView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    if (isUserFocus(event->reason()))
        emit gotFocus();
}

} // namespace tessara
