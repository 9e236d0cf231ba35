// Shape, current cell, selection, cell content and sizes of the grid.
#include "tessara/GridModel.h"

#include <algorithm>

#include "ModelGuards.h"

namespace tessara {

GridModel::GridModel(QObject* parent) : QObject(parent) {
    colWidths_.assign(std::size_t(cols_), -1);
    colAlignments_.assign(std::size_t(cols_), AlignGeneral);
    rows_.assign(2, makeRow());
    // A new control starts on cell (0, 0) with a first column wide enough for a header.
    colWidths_[0] = kInitialCol0Width;
}

GridModel::~GridModel() = default;

GridModel::GridRow GridModel::makeRow() const {
    GridRow row;
    row.cells.resize(std::size_t(cols_));
    return row;
}

void GridModel::notify() {
    if (redraw_)
        emit changed();
}

void GridModel::checkRow(int r) const {
    if (r < 0 || r >= Rows())
        throw GridError(ErrInvalidRow);
}

void GridModel::checkCol(int c) const {
    if (c < 0 || c >= cols_)
        throw GridError(ErrInvalidCol);
}

GridModel::Cell& GridModel::cellRef(int r, int c) {
    if (r < 0 || r >= Rows() || c < 0 || c >= cols_)
        throw GridError(ErrSubscript);
    return rows_[std::size_t(r)].cells[std::size_t(c)];
}

const GridModel::Cell& GridModel::cellRef(int r, int c) const {
    return const_cast<GridModel*>(this)->cellRef(r, c);
}

// --- Shape -------------------------------------------------------------------

void GridModel::setRows(int n) {
    if (n < 0)
        throw GridError(ErrInvalidPropertyValue);
    const Restructure restructure(*this);
    rows_.resize(std::size_t(n), makeRow());
    fixedRows_ = std::min(fixedRows_, n);
    clampCurrent();
    notify();
}

void GridModel::setCols(int n) {
    if (n < 0)
        throw GridError(ErrInvalidPropertyValue);
    const Restructure restructure(*this);
    cols_ = n;
    for (GridRow& row : rows_)
        row.cells.resize(std::size_t(n));
    colWidths_.resize(std::size_t(n), -1);
    colAlignments_.resize(std::size_t(n), AlignGeneral);
    fixedCols_ = std::min(fixedCols_, n);
    clampCurrent();
    notify();
}

void GridModel::setFixedRows(int n) {
    if (n < 0 || n > Rows())
        throw GridError(ErrInvalidPropertyValue);
    const Restructure restructure(*this);
    fixedRows_ = n;
    emit fixedChanged();
    notify();
}

void GridModel::setFixedCols(int n) {
    if (n < 0 || n > cols_)
        throw GridError(ErrInvalidPropertyValue);
    const Restructure restructure(*this);
    fixedCols_ = n;
    emit fixedChanged();
    notify();
}

// Keeps the current cell and the selection inside a grid that shrank.
void GridModel::clampCurrent() {
    const int lastRow = std::max(0, Rows() - 1);
    const int lastCol = std::max(0, cols_ - 1);
    moveCurrent(std::min(row_, lastRow), std::min(col_, lastCol), std::min(rowSel_, lastRow),
                std::min(colSel_, lastCol));
}

// --- Current cell and selection ---------------------------------------------------

void GridModel::moveCurrent(int r, int c, int rowSel, int colSel) {
    const bool cellMoves = r != row_ || c != col_;
    const bool selectionMoves = cellMoves || rowSel != rowSel_ || colSel != colSel_;
    if (cellMoves)
        emit LeaveCell();
    row_ = r;
    col_ = c;
    rowSel_ = rowSel;
    colSel_ = colSel;
    if (cellMoves) {
        emit EnterCell();
        emit RowColChange();
    }
    if (selectionMoves) {
        emit SelChange();
        notify();
    }
}

void GridModel::setRow(int r) {
    checkRow(r);
    moveCurrent(r, col_, r, col_);
}

void GridModel::setCol(int c) {
    checkCol(c);
    moveCurrent(row_, c, row_, c);
}

void GridModel::setRowSel(int r) {
    checkRow(r);
    moveCurrent(row_, col_, r, colSel_);
}

void GridModel::setColSel(int c) {
    checkCol(c);
    moveCurrent(row_, col_, rowSel_, c);
}

void GridModel::setCurrentCell(int r, int c) {
    checkRow(r);
    checkCol(c);
    moveCurrent(r, c, r, c);
}

// --- Cell content --------------------------------------------------------------

QString GridModel::TextMatrix(int r, int c) const {
    return cellRef(r, c).text;
}

void GridModel::setTextMatrix(int r, int c, const QString& text) {
    Cell& cell = cellRef(r, c);
    if (cell.text == text)
        return;
    cell.text = text;
    emit cellsChanged(r, c, r, c);
    notify();
}

void GridModel::setTextMatrix(int r, int c, double value) {
    // The runtime's own number text: up to 15 significant digits, "E" exponent.
    setTextMatrix(r, c, QString::number(value, 'g', 15).replace(QLatin1Char('e'), QLatin1Char('E')));
}

QString GridModel::Text() const {
    return TextMatrix(row_, col_);
}

void GridModel::setText(const QString& text) {
    forFill([&](Cell& cell) { cell.text = text; });
}

template <typename F> void GridModel::forFill(F&& apply) {
    if (fillStyle_ != 1) {
        apply(cellRef(row_, col_));
        emit cellsChanged(row_, col_, row_, col_);
    } else {
        const auto [r1, r2] = std::minmax({row_, rowSel_});
        const auto [c1, c2] = std::minmax({col_, colSel_});
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                apply(cellRef(r, c));
        emit cellsChanged(r1, c1, r2, c2);
    }
    notify();
}

OleColor GridModel::CellBackColor() const {
    return cellRef(row_, col_).back;
}
void GridModel::setCellBackColor(OleColor color) {
    forFill([&](Cell& cell) { cell.back = color; });
}
OleColor GridModel::CellForeColor() const {
    return cellRef(row_, col_).fore;
}
void GridModel::setCellForeColor(OleColor color) {
    forFill([&](Cell& cell) { cell.fore = color; });
}
int GridModel::CellAlignment() const {
    return cellAlignmentAt(row_, col_);
}
void GridModel::setCellAlignment(int alignment) {
    if (alignment < AlignLeftTop || alignment > AlignGeneral)
        throw GridError(ErrInvalidPropertyValue);
    forFill([&](Cell& cell) { cell.alignment = alignment; });
}
QImage GridModel::CellPicture() const {
    return cellRef(row_, col_).picture;
}
void GridModel::setCellPicture(const QImage& picture) {
    forFill([&](Cell& cell) { cell.picture = picture; });
}

OleColor GridModel::cellBackColorAt(int r, int c) const {
    return cellRef(r, c).back;
}
OleColor GridModel::cellForeColorAt(int r, int c) const {
    return cellRef(r, c).fore;
}
int GridModel::cellAlignmentAt(int r, int c) const {
    const int own = cellRef(r, c).alignment;
    return own >= 0 ? own : colAlignments_[std::size_t(c)];
}
QImage GridModel::cellPictureAt(int r, int c) const {
    return cellRef(r, c).picture;
}

// --- Sizes ------------------------------------------------------------------

int GridModel::RowHeight(int r) const {
    if (r < 0 || r >= Rows())
        throw GridError(ErrSubscript);
    const int own = rows_[std::size_t(r)].height;
    return own >= 0 ? own : std::max(kDefaultRowHeight, rowHeightMin_);
}

void GridModel::setRowHeight(int r, int height) {
    if (r < 0 || r >= Rows())
        throw GridError(ErrSubscript);
    if (height < -1)
        throw GridError(ErrInvalidPropertyValue);
    rows_[std::size_t(r)].height = height;
    notify();
}

int GridModel::ColWidth(int c) const {
    if (c < 0 || c >= cols_)
        throw GridError(ErrSubscript);
    const int own = colWidths_[std::size_t(c)];
    return own >= 0 ? own : kDefaultColWidth;
}

void GridModel::setColWidth(int c, int width) {
    if (c < 0 || c >= cols_)
        throw GridError(ErrSubscript);
    if (width < -1)
        throw GridError(ErrInvalidPropertyValue);
    colWidths_[std::size_t(c)] = width;
    notify();
}

int GridModel::ColAlignment(int c) const {
    if (c < 0 || c >= cols_)
        throw GridError(ErrSubscript);
    return colAlignments_[std::size_t(c)];
}

void GridModel::setColAlignment(int c, int alignment) {
    if (c < 0 || c >= cols_)
        throw GridError(ErrSubscript);
    if (alignment < AlignLeftTop || alignment > AlignGeneral)
        throw GridError(ErrInvalidPropertyValue);
    colAlignments_[std::size_t(c)] = alignment;
    notify();
}

void GridModel::setRowHeightMin(int height) {
    if (height < 0)
        throw GridError(ErrInvalidPropertyValue);
    setAppearance(rowHeightMin_, height);
}

void GridModel::setGridLineWidth(int v) {
    if (v < 1 || v > 10)
        throw GridError(ErrInvalidPropertyValue);
    setAppearance(gridLineWidth_, v);
}

// --- Rows added and removed -------------------------------------------------------

void GridModel::AddItem(const QString& item) {
    AddItem(item, Rows());
}

void GridModel::AddItem(const QString& item, int index) {
    if (index < 0 || index > Rows())
        throw GridError(ErrSubscript);
    const Restructure restructure(*this);
    insertEmptyRows(index, 1);
    const QStringList fields = item.split(QLatin1Char('\t'));
    std::vector<Cell>& cells = rows_[std::size_t(index)].cells;
    for (int c = 0; c < cols_ && c < fields.size(); ++c)
        cells[std::size_t(c)].text = fields[c];
}

void GridModel::RemoveItem(int index) {
    if (index < 0 || index >= Rows())
        throw GridError(ErrSubscript);
    const Restructure restructure(*this);
    removeRows(index, 1);
}

// Many rows go in or out in one step: one move of the rows below, however many.
void GridModel::insertEmptyRows(int index, int count) {
    if (index < 0 || index > Rows())
        throw GridError(ErrSubscript);
    rows_.insert(rows_.begin() + index, std::size_t(count), makeRow());
    notify();
}

void GridModel::removeRows(int index, int count) {
    if (index < 0 || index >= Rows())
        throw GridError(ErrSubscript);
    count = std::min(count, Rows() - index);
    rows_.erase(rows_.begin() + index, rows_.begin() + index + count);
    fixedRows_ = std::min(fixedRows_, Rows());
    clampCurrent();
    notify();
}

// Only the texts go: cell colours (and so the marks of cells that may not be
// edited), alignments and pictures stay with their cells.
void GridModel::Clear() {
    const Restructure restructure(*this);
    for (GridRow& row : rows_)
        for (Cell& cell : row.cells)
            cell.text.clear();
    notify();
}

// --- Appearance ------------------------------------------------------------------

void GridModel::setRedraw(bool on) {
    if (redraw_ == on)
        return;
    redraw_ = on;
    emit appearanceChanged();
    notify();
}

void GridModel::setFont(const QFont& font) {
    font_ = font;
    emit appearanceChanged();
    notify();
}

void GridModel::setFont(const QString& faceName) {
    QFont font = font_;
    font.setFamily(faceName);
    setFont(font);
}

void GridModel::setLogicalDpi(double dpi) {
    if (dpi > 0)
        dpi_ = dpi;
}

} // namespace tessara
