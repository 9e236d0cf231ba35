// The control: its constituents, initialisation, resizing, the model it shows,
// and the pass-through of the grid's events.
#include "tessara/Tessara.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QWhatsThis>

#include "CellEditor.h"
#include "GridView.h"
#include "KeyCodes.h"
#include "TessaraPrivate.h"

namespace tessara {

TessaraPrivate::TessaraPrivate(Tessara& owner) : q(owner) {}

Tessara::Tessara(QWidget* parent) : Tessara(nullptr, parent) {}

Tessara::Tessara(GridModel* model, QWidget* parent)
    : QWidget(parent), d(std::make_unique<TessaraPrivate>(*this)) {
    d->attach(model);
}

Tessara::~Tessara() {
    d->detach();
}

void TessaraPrivate::detach() {
    if (!grid)
        return;
    QObject::disconnect(model, nullptr, &q, nullptr);
    // The editor first: its loss of focus must find the grid and the model still there.
    delete edt;
    edt = nullptr;
    delete grid;
    grid = nullptr;
}

void TessaraPrivate::attach(GridModel* shared) {
    ownModel.reset(shared ? nullptr : new GridModel);
    model = shared ? shared : ownModel.get();
    undoStep = UndoStep();
    grid = new GridView(*model, &q);
    edt = new CellEditor(*this, q);
    q.setFocusProxy(grid);
    grid->show();
    model->setMeasureFont(q.font());
    model->setLogicalDpi(q.logicalDpiX());

    Tessara* t = &q;
    QObject::connect(model, &GridModel::ErrorMsg, t, &Tessara::ErrorMsg);
    QObject::connect(model, &GridModel::EnterCell, t, &Tessara::EnterCell);
    QObject::connect(model, &GridModel::RowColChange, t, &Tessara::RowColChange);
    QObject::connect(model, &GridModel::RowColChange, t, &Tessara::contentChanged);
    QObject::connect(model, &GridModel::SelChange, t, &Tessara::SelChange);
    QObject::connect(model, &GridModel::cellsChanged, t, &Tessara::contentChanged);
    QObject::connect(model, &GridModel::restructured, t, &Tessara::shapeChanged);
    QObject::connect(model, &GridModel::fixedChanged, t, &Tessara::fixedChanged);
    QObject::connect(model, &GridModel::appearanceChanged, t, &Tessara::appearanceChanged);
    QObject::connect(model, &GridModel::LeaveCell, t, [this] { onGridLeaveCell(); });
    QObject::connect(model, &GridModel::aboutToRestructure, t, [this] { endEditBeforeRestructure(); });
    QObject::connect(model, &GridModel::focusRequested, t, [this] { grid->setFocus(Qt::OtherFocusReason); });
    // A shared model that goes away leaves the control with a model of its own.
    if (shared)
        QObject::connect(shared, &QObject::destroyed, t, [this] {
            detach();
            model = nullptr;
            attach(nullptr);
        });

    QObject::connect(grid, &GridView::keyDown, t,
                     [this](int code, int shift) { onGridKeyDown(code, shift); });
    QObject::connect(grid, &GridView::keyPress, t, [this](int code) { onGridKeyPress(code); });
    QObject::connect(grid, &GridView::keyUp, t,
                     [t](int code, int shift) { emit t->KeyUp(short(code), short(shift)); });
    QObject::connect(grid, &GridView::mouseDown, t, [t](int button, int shift, float x, float y) {
        emit t->MouseDown(short(button), short(shift), x, y);
    });
    QObject::connect(grid, &GridView::mouseUp, t, [t](int button, int shift, float x, float y) {
        emit t->MouseUp(short(button), short(shift), x, y);
    });
    QObject::connect(grid, &GridView::mouseMove, t, [this, t](int button, int shift, float x, float y) {
        model->trapped(QStringLiteral("MSFlexGrid1_MouseMove"),
                       [&] { emit t->MouseMove(short(button), short(shift), x, y); });
    });
    QObject::connect(grid, &GridView::click, t, &Tessara::Click);
    QObject::connect(grid, &GridView::dblClick, t, [this] { onGridDblClick(); });
    QObject::connect(grid, &GridView::gotFocus, t, [this] { onGridGotFocus(); });
    QObject::connect(grid, &GridView::scrolled, t, &Tessara::Scroll);
    QObject::connect(grid, &GridView::scrolled, t, [this] { followEditor(); });
    model->trapped(QStringLiteral("UserControl_Initialize"), [&] { grid->setGeometry(q.rect()); });
}

GridModel& Tessara::model() {
    return *d->model;
}
const GridModel& Tessara::model() const {
    return *d->model;
}

void Tessara::setModel(GridModel* model) {
    if (model && model == d->model)
        return;
    const bool focused = hasFocus();
    d->detach();
    d->attach(model);
    if (focused)
        d->grid->setFocus(Qt::OtherFocusReason);
    emit shapeChanged();
    emit contentChanged();
}

void Tessara::setMessageHook(MessageHook hook) {
    d->messageHook = std::move(hook);
}

QWidget* Tessara::grid() const {
    return d->grid;
}
QLineEdit* Tessara::editor() const {
    return d->edt;
}

// The grid always covers the whole control.
void Tessara::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->model->trapped(QStringLiteral("UserControl_Resize"), [&] {
        d->model->setLogicalDpi(logicalDpiX());
        d->grid->setGeometry(0, 0, width(), height());
    });
}

void Tessara::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        d->model->setMeasureFont(font());
    if (event->type() == QEvent::EnabledChange)
        d->grid->viewport()->update();
}

// --- Forwarded methods ----------------------------------------------------------

void Tessara::AddItem(const QString& item, int index) {
    d->write(u"AddItem", [&] { d->model->AddItem(item, index); });
}

void Tessara::Clear() {
    d->write(u"Clear", [&] { d->model->Clear(); });
}

void Tessara::RemoveItem(int index) {
    d->write(u"RemoveItem", [&] { d->model->RemoveItem(index); });
}

void Tessara::Move(float left, float top, float width, float height) {
    GridView* g = d->grid;
    g->setGeometry(g->pixels(left), g->pixels(top), g->pixels(width), g->pixels(height));
}

void Tessara::Refresh() {
    d->grid->viewport()->repaint();
}

void Tessara::SetFocus() {
    d->grid->setFocus(Qt::OtherFocusReason);
}

void Tessara::ShowWhatsThis() {
    GridView* g = d->grid;
    if (!g->whatsThis().isEmpty())
        QWhatsThis::showText(g->mapToGlobal(QPoint(0, 0)), g->whatsThis(), g);
}

// Position 0 brings the grid to the front of the control, 1 sends it to the back.
void Tessara::ZOrder(int position) {
    if (position == 0)
        d->grid->raise();
    else
        d->grid->lower();
}

// --- The control's operations (each traps its own errors) ---------------------------

void Tessara::SetColWidth(int col, int& w, int minWidth, int maxWidth) {
    d->model->SetColWidth(col, w, minWidth, maxWidth);
}
void Tessara::SetColWidth(int col, const int& w, int minWidth, int maxWidth) {
    int width = w;
    d->model->SetColWidth(col, width, minWidth, maxWidth);
}
void Tessara::AutoColWidth(int col, int minWidth, int maxWidth) {
    d->model->AutoColWidth(col, minWidth, maxWidth);
}
void Tessara::LoadCellPic(const QString& fileName, int r1, int c1) {
    d->model->LoadCellPic(fileName, r1, c1);
}
void Tessara::AlignSel(int alignStyle) {
    d->model->AlignSel(alignStyle);
}
void Tessara::AddRowNumbers() {
    d->model->AddRowNumbers();
}
void Tessara::InsertRows(int r1, int rr) {
    d->model->InsertRows(r1, rr);
}
void Tessara::DeleteRows(int r1, int rr) {
    d->model->DeleteRows(r1, rr);
}
void Tessara::SwapRows(int r1, int r2) {
    d->model->SwapRows(r1, r2);
}
void Tessara::MoveRows(int& r1, int& r2, int r3) {
    d->model->MoveRows(r1, r2, r3);
}
void Tessara::MoveRows(const int& r1, const int& r2, int r3) {
    int first = r1;
    int last = r2;
    d->model->MoveRows(first, last, r3);
}
void Tessara::DeleteSel() {
    d->model->DeleteSel();
}
void Tessara::Paste(QString& s) {
    d->model->Paste(s);
}
void Tessara::Paste(const QString& s) {
    QString rest = s;
    d->model->Paste(rest);
}

// --- Events of the grid -----------------------------------------------------------

void TessaraPrivate::showCantEdit(const QString& text) {
    if (messageHook) {
        messageHook(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tessara"), text, QMessageBox::Ok, &q);
    box.exec();
}

} // namespace tessara
