#pragma once
// The wrapped grid on screen: paints the visible part of a GridModel, maps
// points to cells, scrolls by whole rows and columns, and turns the user's
// keys and mouse into the grid's own events. Editing is the control's business.
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QRect>
#include <optional>

namespace tessara {

class GridModel;

class GridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit GridView(GridModel& model, QWidget* parent = nullptr);

    GridModel& model() const { return model_; }

    // The cell's rectangle in viewport pixels, scrolled into view first.
    QRect cellRectShown(int r, int c);
    // The cell's rectangle in viewport pixels as it lies now; empty when out of view.
    QRect cellRectInView(int r, int c) const;
    // The cell under a viewport point: {row, col}, -1 where there is none.
    QPoint cellAt(const QPoint& viewportPoint) const;
    int pixels(double twips) const;
    double twips(double pixels) const;

signals:
    // The grid's events, with Windows key codes and mouse positions in twips.
    void keyDown(int keyCode, int shift);
    void keyPress(int charCode);
    void keyUp(int keyCode, int shift);
    void mouseDown(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void click();
    void dblClick();
    void gotFocus();
    void scrolled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent* event) override;
    // Tab and Shift+Tab move between the cells (the control's business), not out of the grid.
    bool event(QEvent* event) override;

private:
    void onModelChanged();
    void onCurrentCellMoved();
    // Model changes come in bursts (a reader fills thousands of cells); the view
    // catches up once, when control returns to the event loop or before it is used.
    void scheduleSettle();
    void settle();
    void updateScrollBars();
    void scrollToCell(int r, int c);
    bool navigate(const QKeyEvent& event);
    void selectFromPress(int r, int c, bool extend);
    void applySelectionMode();
    // Extends a drag selection to a point, scrolling when it lies past an edge.
    void dragTo(const QPoint& point);
    int lastRowInView() const;
    int lastColInView() const;
    int rowTop(int r) const;  // viewport y of a visible row, -1 when hidden
    int colLeft(int c) const; // viewport x of a visible column, -1 when hidden
    int fixedHeight() const;
    int fixedWidth() const;
    int lastTopRow() const;
    int lastLeftCol() const;
    void paintCell(QPainter& painter, const QRect& rect, int r, int c) const;
    void emitMouse(void (GridView::*signal)(int, int, float, float), const QMouseEvent& event,
                   Qt::MouseButtons buttons);

    // A column's right edge in the fixed rows, or a row's bottom edge in the fixed
    // columns, that the user may drag when AllowUserResizing permits it.
    struct Grip {
        bool column;
        int index;
        int startPos = 0;
        int startSize = 0;
    };
    std::optional<Grip> gripAt(const QPoint& point) const;
    void resizeTo(const Grip& grip, const QPoint& point);

    GridModel& model_;
    std::optional<Grip> resizing_;
    int topRow_ = 0;  // first scrollable row shown
    int leftCol_ = 0; // first scrollable column shown
    bool dragging_ = false;
    bool afterDoubleClick_ = false;
    QPoint dragPoint_;
    QBasicTimer dragScroll_;
    bool layoutPending_ = false;
    bool followPending_ = false;
    bool settleQueued_ = false;
};

} // namespace tessara
