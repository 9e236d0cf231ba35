// The control: its constituents, initialisation, resizing, forwarding of the
// grid's members and pass-through of the grid's events.
#include "tessara/Tessara.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QWhatsThis>

#include "CellEditor.h"
#include "GridView.h"
#include "KeyCodes.h"

namespace tessara {

Tessara::Tessara(QWidget* parent)
    : QWidget(parent), model_(new GridModel(this)), grid_(new GridView(*model_, this)),
      edt_(new CellEditor(*this)) {
    setFocusProxy(grid_);
    model_->setMeasureFont(font());
    model_->setLogicalDpi(logicalDpiX());
    connectGrid();
    model_->trapped(QStringLiteral("UserControl_Initialize"), [&] { Resize(); });
}

Tessara::~Tessara() = default;

QWidget* Tessara::grid() const {
    return grid_;
}
QLineEdit* Tessara::editor() const {
    return edt_;
}

void Tessara::connectGrid() {
    connect(model_, &GridModel::ErrorMsg, this, &Tessara::ErrorMsg);
    connect(model_, &GridModel::EnterCell, this, &Tessara::EnterCell);
    connect(model_, &GridModel::RowColChange, this, &Tessara::RowColChange);
    connect(model_, &GridModel::SelChange, this, &Tessara::SelChange);
    connect(model_, &GridModel::LeaveCell, this, &Tessara::onGridLeaveCell);
    connect(model_, &GridModel::focusRequested, this, [this] { grid_->setFocus(Qt::OtherFocusReason); });

    connect(grid_, &GridView::keyDown, this, &Tessara::onGridKeyDown);
    connect(grid_, &GridView::keyPress, this, &Tessara::onGridKeyPress);
    connect(grid_, &GridView::keyUp, this,
            [this](int code, int shift) { emit KeyUp(short(code), short(shift)); });
    connect(grid_, &GridView::mouseDown, this, [this](int button, int shift, float x, float y) {
        emit MouseDown(short(button), short(shift), x, y);
    });
    connect(grid_, &GridView::mouseUp, this, [this](int button, int shift, float x, float y) {
        emit MouseUp(short(button), short(shift), x, y);
    });
    connect(grid_, &GridView::mouseMove, this, &Tessara::onGridMouseMove);
    connect(grid_, &GridView::click, this, &Tessara::Click);
    connect(grid_, &GridView::dblClick, this, &Tessara::onGridDblClick);
    connect(grid_, &GridView::gotFocus, this, &Tessara::onGridGotFocus);
    connect(grid_, &GridView::scrolled, this, &Tessara::Scroll);
}

// The grid always covers the whole control.
void Tessara::Resize() {
    grid_->setGeometry(0, 0, width(), height());
}

void Tessara::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    model_->trapped(QStringLiteral("UserControl_Resize"), [&] {
        model_->setLogicalDpi(logicalDpiX());
        Resize();
    });
}

void Tessara::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        model_->setMeasureFont(font());
}

// --- Forwarded methods ----------------------------------------------------------

void Tessara::Move(float left, float top, float width, float height) {
    grid_->setGeometry(grid_->pixels(left), grid_->pixels(top), grid_->pixels(width), grid_->pixels(height));
}

void Tessara::Refresh() {
    grid_->viewport()->repaint();
}

void Tessara::SetFocus() {
    grid_->setFocus(Qt::OtherFocusReason);
}

void Tessara::ShowWhatsThis() {
    if (!grid_->whatsThis().isEmpty())
        QWhatsThis::showText(grid_->mapToGlobal(QPoint(0, 0)), grid_->whatsThis(), grid_);
}

// Position 0 brings the grid to the front of the control, 1 sends it to the back.
void Tessara::ZOrder(int position) {
    if (position == 0)
        grid_->raise();
    else
        grid_->lower();
}

// --- Events of the grid -----------------------------------------------------------

void Tessara::onGridKeyDown(int keyCode, int shift) {
    model_->trapped(QStringLiteral("MSFlexGrid1_KeyDown"), [&] {
        // Delete clears the selection before the host hears of the key.
        if (keyCode == kKeyDelete)
            DeleteSel();
        emit KeyDown(short(keyCode), short(shift));
    });
}

void Tessara::onGridMouseMove(int button, int shift, float x, float y) {
    model_->trapped(QStringLiteral("MSFlexGrid1_MouseMove"),
                    [&] { emit MouseMove(short(button), short(shift), x, y); });
}

void Tessara::showCantEdit(const QString& text) {
    if (messageHook_) {
        messageHook_(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tessara"), text, QMessageBox::Ok, this);
    box.exec();
}

} // namespace tessara
