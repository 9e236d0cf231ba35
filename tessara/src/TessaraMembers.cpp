// The members of the control that stand for the grid's own: each one reports a
// failure through ErrorMsg under its own name and returns, so that no exception
// reaches the host (a slot, a property set by name, a form loader).
#include "TessaraPrivate.h"

namespace tessara {

OleColor Tessara::CellNoEdit() const {
    return d->model->CellNoEdit;
}
void Tessara::setCellNoEdit(ColorValue v) {
    d->model->CellNoEdit = v.ole;
    emit fieldsChanged();
}
OleColor Tessara::CellEdit() const {
    return d->model->CellEdit;
}
void Tessara::setCellEdit(ColorValue v) {
    d->model->CellEdit = v.ole;
    emit fieldsChanged();
}
QString Tessara::CantEdit() const {
    return d->model->CantEdit;
}
void Tessara::setCantEdit(const QString& v) {
    d->model->CantEdit = v;
    emit fieldsChanged();
}

QString Tessara::TextMatrix(int r, int c) const {
    return d->read(u"TextMatrix", [&] { return d->model->TextMatrix(r, c); });
}
void Tessara::setTextMatrix(int r, int c, const QString& text) {
    d->write(u"TextMatrix", [&] { d->model->setTextMatrix(r, c, text); });
}
void Tessara::setTextMatrix(int r, int c, double value) {
    d->write(u"TextMatrix", [&] { d->model->setTextMatrix(r, c, value); });
}
int Tessara::RowHeight(int r) const {
    return d->read(u"RowHeight", [&] { return d->model->RowHeight(r); });
}
void Tessara::setRowHeight(int r, int height) {
    d->write(u"RowHeight", [&] { d->model->setRowHeight(r, height); });
}
int Tessara::ColWidth(int c) const {
    return d->read(u"ColWidth", [&] { return d->model->ColWidth(c); });
}
void Tessara::setColWidth(int c, int width) {
    d->write(u"ColWidth", [&] { d->model->setColWidth(c, width); });
}
void Tessara::setFont(const QString& faceName) {
    d->write(u"Font", [&] { d->model->setFont(faceName); });
}

int Tessara::AllowUserResizing() const {
    return d->read(u"AllowUserResizing", [&] { return d->model->AllowUserResizing(); });
}
void Tessara::setAllowUserResizing(int v) {
    d->write(u"AllowUserResizing", [&] { d->model->setAllowUserResizing(v); });
}

OleColor Tessara::BackColor() const {
    return d->read(u"BackColor", [&] { return d->model->BackColor(); });
}
void Tessara::setBackColor(ColorValue v) {
    d->write(u"BackColor", [&] { d->model->setBackColor(v.ole); });
}

OleColor Tessara::BackColorBkg() const {
    return d->read(u"BackColorBkg", [&] { return d->model->BackColorBkg(); });
}
void Tessara::setBackColorBkg(ColorValue v) {
    d->write(u"BackColorBkg", [&] { d->model->setBackColorBkg(v.ole); });
}

OleColor Tessara::BackColorFixed() const {
    return d->read(u"BackColorFixed", [&] { return d->model->BackColorFixed(); });
}
void Tessara::setBackColorFixed(ColorValue v) {
    d->write(u"BackColorFixed", [&] { d->model->setBackColorFixed(v.ole); });
}

OleColor Tessara::BackColorSel() const {
    return d->read(u"BackColorSel", [&] { return d->model->BackColorSel(); });
}
void Tessara::setBackColorSel(ColorValue v) {
    d->write(u"BackColorSel", [&] { d->model->setBackColorSel(v.ole); });
}

int Tessara::FillStyle() const {
    return d->read(u"FillStyle", [&] { return d->model->FillStyle(); });
}
void Tessara::setFillStyle(int v) {
    d->write(u"FillStyle", [&] { d->model->setFillStyle(v); });
}

int Tessara::FixedCols() const {
    return d->read(u"FixedCols", [&] { return d->model->FixedCols(); });
}
void Tessara::setFixedCols(int v) {
    d->write(u"FixedCols", [&] { d->model->setFixedCols(v); });
}

int Tessara::FixedRows() const {
    return d->read(u"FixedRows", [&] { return d->model->FixedRows(); });
}
void Tessara::setFixedRows(int v) {
    d->write(u"FixedRows", [&] { d->model->setFixedRows(v); });
}

int Tessara::FocusRect() const {
    return d->read(u"FocusRect", [&] { return d->model->FocusRect(); });
}
void Tessara::setFocusRect(int v) {
    d->write(u"FocusRect", [&] { d->model->setFocusRect(v); });
}

QFont Tessara::Font() const {
    return d->read(u"Font", [&] { return d->model->Font(); });
}
void Tessara::setFont(const QFont& v) {
    d->write(u"Font", [&] { d->model->setFont(v); });
}

OleColor Tessara::ForeColor() const {
    return d->read(u"ForeColor", [&] { return d->model->ForeColor(); });
}
void Tessara::setForeColor(ColorValue v) {
    d->write(u"ForeColor", [&] { d->model->setForeColor(v.ole); });
}

OleColor Tessara::ForeColorFixed() const {
    return d->read(u"ForeColorFixed", [&] { return d->model->ForeColorFixed(); });
}
void Tessara::setForeColorFixed(ColorValue v) {
    d->write(u"ForeColorFixed", [&] { d->model->setForeColorFixed(v.ole); });
}

OleColor Tessara::ForeColorSel() const {
    return d->read(u"ForeColorSel", [&] { return d->model->ForeColorSel(); });
}
void Tessara::setForeColorSel(ColorValue v) {
    d->write(u"ForeColorSel", [&] { d->model->setForeColorSel(v.ole); });
}

QString Tessara::FormatString() const {
    return d->read(u"FormatString", [&] { return d->model->FormatString(); });
}
void Tessara::setFormatString(const QString& v) {
    d->write(u"FormatString", [&] { d->model->setFormatString(v); });
}

OleColor Tessara::GridColor() const {
    return d->read(u"GridColor", [&] { return d->model->GridColor(); });
}
void Tessara::setGridColor(ColorValue v) {
    d->write(u"GridColor", [&] { d->model->setGridColor(v.ole); });
}

OleColor Tessara::GridColorFixed() const {
    return d->read(u"GridColorFixed", [&] { return d->model->GridColorFixed(); });
}
void Tessara::setGridColorFixed(ColorValue v) {
    d->write(u"GridColorFixed", [&] { d->model->setGridColorFixed(v.ole); });
}

int Tessara::GridLines() const {
    return d->read(u"GridLines", [&] { return d->model->GridLines(); });
}
void Tessara::setGridLines(int v) {
    d->write(u"GridLines", [&] { d->model->setGridLines(v); });
}

int Tessara::GridLinesFixed() const {
    return d->read(u"GridLinesFixed", [&] { return d->model->GridLinesFixed(); });
}
void Tessara::setGridLinesFixed(int v) {
    d->write(u"GridLinesFixed", [&] { d->model->setGridLinesFixed(v); });
}

int Tessara::GridLineWidth() const {
    return d->read(u"GridLineWidth", [&] { return d->model->GridLineWidth(); });
}
void Tessara::setGridLineWidth(int v) {
    d->write(u"GridLineWidth", [&] { d->model->setGridLineWidth(v); });
}

int Tessara::HighLight() const {
    return d->read(u"HighLight", [&] { return d->model->HighLight(); });
}
void Tessara::setHighLight(int v) {
    d->write(u"HighLight", [&] { d->model->setHighLight(v); });
}

int Tessara::MergeCells() const {
    return d->read(u"MergeCells", [&] { return d->model->MergeCells(); });
}
void Tessara::setMergeCells(int v) {
    d->write(u"MergeCells", [&] { d->model->setMergeCells(v); });
}

int Tessara::PictureType() const {
    return d->read(u"PictureType", [&] { return d->model->PictureType(); });
}
void Tessara::setPictureType(int v) {
    d->write(u"PictureType", [&] { d->model->setPictureType(v); });
}

bool Tessara::RightToLeft() const {
    return d->read(u"RightToLeft", [&] { return d->model->RightToLeft(); });
}
void Tessara::setRightToLeft(bool v) {
    d->write(u"RightToLeft", [&] { d->model->setRightToLeft(v); });
}

int Tessara::RowHeightMin() const {
    return d->read(u"RowHeightMin", [&] { return d->model->RowHeightMin(); });
}
void Tessara::setRowHeightMin(int v) {
    d->write(u"RowHeightMin", [&] { d->model->setRowHeightMin(v); });
}

int Tessara::ScrollBars() const {
    return d->read(u"ScrollBars", [&] { return d->model->ScrollBars(); });
}
void Tessara::setScrollBars(int v) {
    d->write(u"ScrollBars", [&] { d->model->setScrollBars(v); });
}

bool Tessara::ScrollTrack() const {
    return d->read(u"ScrollTrack", [&] { return d->model->ScrollTrack(); });
}
void Tessara::setScrollTrack(bool v) {
    d->write(u"ScrollTrack", [&] { d->model->setScrollTrack(v); });
}

int Tessara::SelectionMode() const {
    return d->read(u"SelectionMode", [&] { return d->model->SelectionMode(); });
}
void Tessara::setSelectionMode(int v) {
    d->write(u"SelectionMode", [&] { d->model->setSelectionMode(v); });
}

int Tessara::TextStyle() const {
    return d->read(u"TextStyle", [&] { return d->model->TextStyle(); });
}
void Tessara::setTextStyle(int v) {
    d->write(u"TextStyle", [&] { d->model->setTextStyle(v); });
}

int Tessara::TextStyleFixed() const {
    return d->read(u"TextStyleFixed", [&] { return d->model->TextStyleFixed(); });
}
void Tessara::setTextStyleFixed(int v) {
    d->write(u"TextStyleFixed", [&] { d->model->setTextStyleFixed(v); });
}

bool Tessara::WordWrap() const {
    return d->read(u"WordWrap", [&] { return d->model->WordWrap(); });
}
void Tessara::setWordWrap(bool v) {
    d->write(u"WordWrap", [&] { d->model->setWordWrap(v); });
}

OleColor Tessara::CellBackColor() const {
    return d->read(u"CellBackColor", [&] { return d->model->CellBackColor(); });
}
void Tessara::setCellBackColor(ColorValue v) {
    d->write(u"CellBackColor", [&] { d->model->setCellBackColor(v.ole); });
}

OleColor Tessara::CellForeColor() const {
    return d->read(u"CellForeColor", [&] { return d->model->CellForeColor(); });
}
void Tessara::setCellForeColor(ColorValue v) {
    d->write(u"CellForeColor", [&] { d->model->setCellForeColor(v.ole); });
}

int Tessara::CellAlignment() const {
    return d->read(u"CellAlignment", [&] { return d->model->CellAlignment(); });
}
void Tessara::setCellAlignment(int v) {
    d->write(u"CellAlignment", [&] { d->model->setCellAlignment(v); });
}

QImage Tessara::CellPicture() const {
    return d->read(u"CellPicture", [&] { return d->model->CellPicture(); });
}
void Tessara::setCellPicture(const QImage& v) {
    d->write(u"CellPicture", [&] { d->model->setCellPicture(v); });
}

QString Tessara::Clip() const {
    return d->read(u"Clip", [&] { return d->model->Clip(); });
}
void Tessara::setClip(const QString& v) {
    d->write(u"Clip", [&] { d->model->setClip(v); });
}

int Tessara::Col() const {
    return d->read(u"Col", [&] { return d->model->Col(); });
}
void Tessara::setCol(int v) {
    d->write(u"Col", [&] { d->model->setCol(v); });
}

int Tessara::Cols() const {
    return d->read(u"Cols", [&] { return d->model->Cols(); });
}
void Tessara::setCols(int v) {
    d->write(u"Cols", [&] { d->model->setCols(v); });
}

int Tessara::ColSel() const {
    return d->read(u"ColSel", [&] { return d->model->ColSel(); });
}
void Tessara::setColSel(int v) {
    d->write(u"ColSel", [&] { d->model->setColSel(v); });
}

bool Tessara::Redraw() const {
    return d->read(u"Redraw", [&] { return d->model->Redraw(); });
}
void Tessara::setRedraw(bool v) {
    d->write(u"Redraw", [&] { d->model->setRedraw(v); });
}

int Tessara::Row() const {
    return d->read(u"Row", [&] { return d->model->Row(); });
}
void Tessara::setRow(int v) {
    d->write(u"Row", [&] { d->model->setRow(v); });
}

int Tessara::Rows() const {
    return d->read(u"Rows", [&] { return d->model->Rows(); });
}
void Tessara::setRows(int v) {
    d->write(u"Rows", [&] { d->model->setRows(v); });
}

int Tessara::RowSel() const {
    return d->read(u"RowSel", [&] { return d->model->RowSel(); });
}
void Tessara::setRowSel(int v) {
    d->write(u"RowSel", [&] { d->model->setRowSel(v); });
}

QString Tessara::Text() const {
    return d->read(u"Text", [&] { return d->model->Text(); });
}
void Tessara::setText(const QString& v) {
    d->write(u"Text", [&] { d->model->setText(v); });
}

} // namespace tessara
