#pragma once
// The Tessara grid control: a widget that shows a GridModel (the wrapped grid,
// "MSFlexGrid1"), edits one cell at a time in place with the text box "Edt", and
// forwards the grid's members and events to its host.
//
// Every member is reachable by name at run time through Qt's meta-object system:
// properties by their names, methods (and the indexed properties TextMatrix and
// RowHeight) as invokable methods, events as signals. Hosts without a window use
// the same grid through model().
#include <QImage>
#include <QWidget>
#include <functional>

#include "tessara/Export.h"
#include "tessara/GridModel.h"
#include "tessara/Identity.h"

class QLineEdit;

namespace tessara {

class GridView;
class CellEditor;

class TESSARA_EXPORT Tessara : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "TessaraOcx.Tessara")
    Q_CLASSINFO("ClassID", "{EAAF7467-B3FD-4CA7-8D66-7A4E6C1D2DC6}")
    Q_CLASSINFO("InterfaceID", "{7C99839E-43FA-482A-8E15-6024E06FAAEE}")
    Q_CLASSINFO("EventsID", "{CC71D215-0285-4F55-B3F2-85556F0B8BDA}")

    Q_PROPERTY(QString Version READ Version)
    Q_PROPERTY(quint32 CellNoEdit READ CellNoEdit WRITE setCellNoEdit)
    Q_PROPERTY(quint32 CellEdit READ CellEdit WRITE setCellEdit)
    Q_PROPERTY(QString CantEdit READ CantEdit WRITE setCantEdit)
    Q_PROPERTY(int AllowUserResizing READ AllowUserResizing WRITE setAllowUserResizing)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 BackColorBkg READ BackColorBkg WRITE setBackColorBkg)
    Q_PROPERTY(quint32 BackColorFixed READ BackColorFixed WRITE setBackColorFixed)
    Q_PROPERTY(quint32 BackColorSel READ BackColorSel WRITE setBackColorSel)
    Q_PROPERTY(int FillStyle READ FillStyle WRITE setFillStyle)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE setFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows)
    Q_PROPERTY(int FocusRect READ FocusRect WRITE setFocusRect)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 ForeColorFixed READ ForeColorFixed WRITE setForeColorFixed)
    Q_PROPERTY(quint32 ForeColorSel READ ForeColorSel WRITE setForeColorSel)
    Q_PROPERTY(QString FormatString READ FormatString WRITE setFormatString)
    Q_PROPERTY(quint32 GridColor READ GridColor WRITE setGridColor)
    Q_PROPERTY(quint32 GridColorFixed READ GridColorFixed WRITE setGridColorFixed)
    Q_PROPERTY(int GridLines READ GridLines WRITE setGridLines)
    Q_PROPERTY(int GridLinesFixed READ GridLinesFixed WRITE setGridLinesFixed)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE setGridLineWidth)
    Q_PROPERTY(int HighLight READ HighLight WRITE setHighLight)
    Q_PROPERTY(int MergeCells READ MergeCells WRITE setMergeCells)
    Q_PROPERTY(int PictureType READ PictureType WRITE setPictureType)
    Q_PROPERTY(bool RightToLeft READ RightToLeft WRITE setRightToLeft)
    Q_PROPERTY(int RowHeightMin READ RowHeightMin WRITE setRowHeightMin)
    Q_PROPERTY(int ScrollBars READ ScrollBars WRITE setScrollBars)
    Q_PROPERTY(bool ScrollTrack READ ScrollTrack WRITE setScrollTrack)
    Q_PROPERTY(int SelectionMode READ SelectionMode WRITE setSelectionMode)
    Q_PROPERTY(int TextStyle READ TextStyle WRITE setTextStyle)
    Q_PROPERTY(int TextStyleFixed READ TextStyleFixed WRITE setTextStyleFixed)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    Q_PROPERTY(quint32 CellBackColor READ CellBackColor WRITE setCellBackColor)
    Q_PROPERTY(quint32 CellForeColor READ CellForeColor WRITE setCellForeColor)
    Q_PROPERTY(int CellAlignment READ CellAlignment WRITE setCellAlignment)
    Q_PROPERTY(QImage CellPicture READ CellPicture WRITE setCellPicture)
    Q_PROPERTY(QString Clip READ Clip WRITE setClip)
    Q_PROPERTY(int Col READ Col WRITE setCol)
    Q_PROPERTY(int Cols READ Cols WRITE setCols)
    Q_PROPERTY(int ColSel READ ColSel WRITE setColSel)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw)
    Q_PROPERTY(int Row READ Row WRITE setRow)
    Q_PROPERTY(int Rows READ Rows WRITE setRows)
    Q_PROPERTY(int RowSel READ RowSel WRITE setRowSel)
    Q_PROPERTY(QString Text READ Text WRITE setText)

public:
    // How the control tells the user a cell may not be edited; by default a
    // message box with an OK button.
    using MessageHook = std::function<void(const QString& text)>;

    explicit Tessara(QWidget* parent = nullptr);
    ~Tessara() override;

    GridModel& model() { return *model_; }
    const GridModel& model() const { return *model_; }
    void setMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }

    // The grid and the editor inside the control (for hosts that lay out or test them).
    QWidget* grid() const;
    QLineEdit* editor() const;

    QString Version() const { return QStringLiteral("1.01"); }

    // --- Fields ---
    OleColor CellNoEdit() const { return model_->CellNoEdit; }
    void setCellNoEdit(OleColor v) { model_->CellNoEdit = v; }
    OleColor CellEdit() const { return model_->CellEdit; }
    void setCellEdit(OleColor v) { model_->CellEdit = v; }
    QString CantEdit() const { return model_->CantEdit; }
    void setCantEdit(const QString& v) { model_->CantEdit = v; }

    // --- Methods forwarded to the grid; their errors reach the caller ---
    Q_INVOKABLE void AddItem(const QString& item, int index = 0) { model_->AddItem(item, index); }
    Q_INVOKABLE void Clear() { model_->Clear(); }
    Q_INVOKABLE void Move(float left, float top = 0, float width = 0, float height = 0);
    Q_INVOKABLE void Refresh();
    Q_INVOKABLE void RemoveItem(int index) { model_->RemoveItem(index); }
    Q_INVOKABLE void SetFocus();
    Q_INVOKABLE void ShowWhatsThis();
    Q_INVOKABLE void ZOrder(int position = 0);

    // --- The control's operations; errors come back only through ErrorMsg ---
    Q_INVOKABLE void SetColWidth(int col, int& w, int minWidth, int maxWidth) {
        model_->SetColWidth(col, w, minWidth, maxWidth);
    }
    Q_INVOKABLE void AutoColWidth(int col, int minWidth = 0, int maxWidth = 0) {
        model_->AutoColWidth(col, minWidth, maxWidth);
    }
    Q_INVOKABLE void LoadCellPic(const QString& fileName, int r1, int c1) {
        model_->LoadCellPic(fileName, r1, c1);
    }
    Q_INVOKABLE void AlignSel(int alignStyle) { model_->AlignSel(alignStyle); }
    Q_INVOKABLE void AddRowNumbers() { model_->AddRowNumbers(); }
    Q_INVOKABLE void InsertRows(int r1, int rr) { model_->InsertRows(r1, rr); }
    Q_INVOKABLE void DeleteRows(int r1, int rr) { model_->DeleteRows(r1, rr); }
    Q_INVOKABLE void SwapRows(int r1, int r2) { model_->SwapRows(r1, r2); }
    Q_INVOKABLE void MoveRows(int& r1, int& r2, int r3) { model_->MoveRows(r1, r2, r3); }
    Q_INVOKABLE void DeleteSel() { model_->DeleteSel(); }
    Q_INVOKABLE void Paste(QString& s) { model_->Paste(s); }

    // --- Indexed properties ---
    Q_INVOKABLE QString TextMatrix(int r, int c) const { return model_->TextMatrix(r, c); }
    Q_INVOKABLE void setTextMatrix(int r, int c, const QString& text) { model_->setTextMatrix(r, c, text); }
    void setTextMatrix(int r, int c, double value) { model_->setTextMatrix(r, c, value); }
    Q_INVOKABLE int RowHeight(int r) const { return model_->RowHeight(r); }
    Q_INVOKABLE void setRowHeight(int r, int height) { model_->setRowHeight(r, height); }
    Q_INVOKABLE int ColWidth(int c) const { return model_->ColWidth(c); }
    Q_INVOKABLE void setColWidth(int c, int width) { model_->setColWidth(c, width); }

    // --- Properties forwarded to the grid ---
    int AllowUserResizing() const { return model_->AllowUserResizing(); }
    void setAllowUserResizing(int v) { model_->setAllowUserResizing(v); }
    OleColor BackColor() const { return model_->BackColor(); }
    void setBackColor(OleColor v) { model_->setBackColor(v); }
    OleColor BackColorBkg() const { return model_->BackColorBkg(); }
    void setBackColorBkg(OleColor v) { model_->setBackColorBkg(v); }
    OleColor BackColorFixed() const { return model_->BackColorFixed(); }
    void setBackColorFixed(OleColor v) { model_->setBackColorFixed(v); }
    OleColor BackColorSel() const { return model_->BackColorSel(); }
    void setBackColorSel(OleColor v) { model_->setBackColorSel(v); }
    int FillStyle() const { return model_->FillStyle(); }
    void setFillStyle(int v) { model_->setFillStyle(v); }
    int FixedCols() const { return model_->FixedCols(); }
    void setFixedCols(int v) { model_->setFixedCols(v); }
    int FixedRows() const { return model_->FixedRows(); }
    void setFixedRows(int v) { model_->setFixedRows(v); }
    int FocusRect() const { return model_->FocusRect(); }
    void setFocusRect(int v) { model_->setFocusRect(v); }
    // The grid's cell font. (The control's own font, QWidget::font(), measures AutoColWidth.)
    QFont Font() const { return model_->Font(); }
    void setFont(const QFont& v) { model_->setFont(v); }
    void setFont(const QString& faceName) { model_->setFont(faceName); }
    OleColor ForeColor() const { return model_->ForeColor(); }
    void setForeColor(OleColor v) { model_->setForeColor(v); }
    OleColor ForeColorFixed() const { return model_->ForeColorFixed(); }
    void setForeColorFixed(OleColor v) { model_->setForeColorFixed(v); }
    OleColor ForeColorSel() const { return model_->ForeColorSel(); }
    void setForeColorSel(OleColor v) { model_->setForeColorSel(v); }
    QString FormatString() const { return model_->FormatString(); }
    void setFormatString(const QString& v) { model_->setFormatString(v); }
    OleColor GridColor() const { return model_->GridColor(); }
    void setGridColor(OleColor v) { model_->setGridColor(v); }
    OleColor GridColorFixed() const { return model_->GridColorFixed(); }
    void setGridColorFixed(OleColor v) { model_->setGridColorFixed(v); }
    int GridLines() const { return model_->GridLines(); }
    void setGridLines(int v) { model_->setGridLines(v); }
    int GridLinesFixed() const { return model_->GridLinesFixed(); }
    void setGridLinesFixed(int v) { model_->setGridLinesFixed(v); }
    int GridLineWidth() const { return model_->GridLineWidth(); }
    void setGridLineWidth(int v) { model_->setGridLineWidth(v); }
    int HighLight() const { return model_->HighLight(); }
    void setHighLight(int v) { model_->setHighLight(v); }
    int MergeCells() const { return model_->MergeCells(); }
    void setMergeCells(int v) { model_->setMergeCells(v); }
    int PictureType() const { return model_->PictureType(); }
    void setPictureType(int v) { model_->setPictureType(v); }
    bool RightToLeft() const { return model_->RightToLeft(); }
    void setRightToLeft(bool v) { model_->setRightToLeft(v); }
    int RowHeightMin() const { return model_->RowHeightMin(); }
    void setRowHeightMin(int v) { model_->setRowHeightMin(v); }
    int ScrollBars() const { return model_->ScrollBars(); }
    void setScrollBars(int v) { model_->setScrollBars(v); }
    bool ScrollTrack() const { return model_->ScrollTrack(); }
    void setScrollTrack(bool v) { model_->setScrollTrack(v); }
    int SelectionMode() const { return model_->SelectionMode(); }
    void setSelectionMode(int v) { model_->setSelectionMode(v); }
    int TextStyle() const { return model_->TextStyle(); }
    void setTextStyle(int v) { model_->setTextStyle(v); }
    int TextStyleFixed() const { return model_->TextStyleFixed(); }
    void setTextStyleFixed(int v) { model_->setTextStyleFixed(v); }
    bool WordWrap() const { return model_->WordWrap(); }
    void setWordWrap(bool v) { model_->setWordWrap(v); }
    OleColor CellBackColor() const { return model_->CellBackColor(); }
    void setCellBackColor(OleColor v) { model_->setCellBackColor(v); }
    OleColor CellForeColor() const { return model_->CellForeColor(); }
    void setCellForeColor(OleColor v) { model_->setCellForeColor(v); }
    int CellAlignment() const { return model_->CellAlignment(); }
    void setCellAlignment(int v) { model_->setCellAlignment(v); }
    QImage CellPicture() const { return model_->CellPicture(); }
    void setCellPicture(const QImage& v) { model_->setCellPicture(v); }
    QString Clip() const { return model_->Clip(); }
    void setClip(const QString& v) { model_->setClip(v); }
    int Col() const { return model_->Col(); }
    void setCol(int v) { model_->setCol(v); }
    int Cols() const { return model_->Cols(); }
    void setCols(int v) { model_->setCols(v); }
    int ColSel() const { return model_->ColSel(); }
    void setColSel(int v) { model_->setColSel(v); }
    bool Redraw() const { return model_->Redraw(); }
    void setRedraw(bool v) { model_->setRedraw(v); }
    int Row() const { return model_->Row(); }
    void setRow(int v) { model_->setRow(v); }
    int Rows() const { return model_->Rows(); }
    void setRows(int v) { model_->setRows(v); }
    int RowSel() const { return model_->RowSel(); }
    void setRowSel(int v) { model_->setRowSel(v); }
    QString Text() const { return model_->Text(); }
    void setText(const QString& v) { model_->setText(v); }

signals:
    // The events of the control, in their interface order.
    void CellEdited();
    void Click();
    // Raised by a custom sort of the grid; this grid has none, so it never comes.
    void Compare(int& row1, int& row2, short& cmp);
    void EnterCell();
    void KeyDown(short keyCode, short shift);
    void KeyUp(short keyCode, short shift);
    void MouseDown(short button, short shift, float x, float y);
    void MouseUp(short button, short shift, float x, float y);
    void MouseMove(short button, short shift, float x, float y);
    void RowColChange();
    void Scroll();
    void SelChange();
    void ErrorMsg(QString source, QString description);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class CellEditor;

    void connectGrid();
    void Resize();
    void focusGrid();
    void showCantEdit(const QString& text);

    // In-place editing (the routines keep the names their error reports use).
    void MSFlexGridEdit(int keyCode, const QString& message);
    void showEditor();
    void moveDownOneRow();
    void TextBoxKeyPress(int& keyAscii);
    void EditKeyCode(int keyCode, int shift);
    void LeaveCell(bool& changed);
    void FocusReceived();

    // Handlers of the grid's and the editor's events.
    void onGridKeyDown(int keyCode, int shift);
    void onGridKeyPress(int keyAscii);
    void onGridDblClick();
    void onGridGotFocus();
    void onGridLeaveCell();
    void onGridMouseMove(int button, int shift, float x, float y);
    void onEditorKey(int keyCode, int shift, int keyAscii);
    void onEditorLostFocus();

    GridModel* model_;
    GridView* grid_;
    CellEditor* edt_;
    MessageHook messageHook_;
};

} // namespace tessara
