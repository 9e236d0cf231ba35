#pragma once
// The Tessara grid control: a widget that shows a GridModel (the wrapped grid,
// "MSFlexGrid1"), edits one cell at a time in place with the text box "Edt", and
// forwards the grid's members and events to its host.
//
// Every member is reachable by name at run time through Qt's meta-object system:
// properties by their names (each with a change signal), methods (and the indexed
// properties TextMatrix and RowHeight) as invokable methods, events as signals.
// No exception leaves this interface: a member that fails reports through
// ErrorMsg and returns (a read gives an empty value). Hosts without a window use
// the same grid through model(), whose members throw GridError.
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "tessara/Export.h"
#include "tessara/GridModel.h"
#include "tessara/Identity.h"

class QLineEdit;

namespace tessara {

class TessaraPrivate;

class TESSARA_EXPORT Tessara : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "TessaraOcx.Tessara")
    Q_CLASSINFO("ClassID", "{EAAF7467-B3FD-4CA7-8D66-7A4E6C1D2DC6}")
    Q_CLASSINFO("InterfaceID", "{7C99839E-43FA-482A-8E15-6024E06FAAEE}")
    Q_CLASSINFO("EventsID", "{CC71D215-0285-4F55-B3F2-85556F0B8BDA}")

    Q_PROPERTY(QString Version READ Version CONSTANT)
    Q_PROPERTY(quint32 CellNoEdit READ CellNoEdit WRITE setCellNoEdit NOTIFY fieldsChanged)
    Q_PROPERTY(quint32 CellEdit READ CellEdit WRITE setCellEdit NOTIFY fieldsChanged)
    Q_PROPERTY(QString CantEdit READ CantEdit WRITE setCantEdit NOTIFY fieldsChanged)
    Q_PROPERTY(
        int AllowUserResizing READ AllowUserResizing WRITE setAllowUserResizing NOTIFY appearanceChanged)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY appearanceChanged)
    Q_PROPERTY(quint32 BackColorBkg READ BackColorBkg WRITE setBackColorBkg NOTIFY appearanceChanged)
    Q_PROPERTY(quint32 BackColorFixed READ BackColorFixed WRITE setBackColorFixed NOTIFY appearanceChanged)
    Q_PROPERTY(quint32 BackColorSel READ BackColorSel WRITE setBackColorSel NOTIFY appearanceChanged)
    Q_PROPERTY(int FillStyle READ FillStyle WRITE setFillStyle NOTIFY appearanceChanged)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE setFixedCols NOTIFY fixedChanged)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows NOTIFY fixedChanged)
    Q_PROPERTY(int FocusRect READ FocusRect WRITE setFocusRect NOTIFY appearanceChanged)
    Q_PROPERTY(QFont Font READ Font WRITE setFont NOTIFY appearanceChanged)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor NOTIFY appearanceChanged)
    Q_PROPERTY(quint32 ForeColorFixed READ ForeColorFixed WRITE setForeColorFixed NOTIFY appearanceChanged)
    Q_PROPERTY(quint32 ForeColorSel READ ForeColorSel WRITE setForeColorSel NOTIFY appearanceChanged)
    Q_PROPERTY(QString FormatString READ FormatString WRITE setFormatString NOTIFY contentChanged)
    Q_PROPERTY(quint32 GridColor READ GridColor WRITE setGridColor NOTIFY appearanceChanged)
    Q_PROPERTY(quint32 GridColorFixed READ GridColorFixed WRITE setGridColorFixed NOTIFY appearanceChanged)
    Q_PROPERTY(int GridLines READ GridLines WRITE setGridLines NOTIFY appearanceChanged)
    Q_PROPERTY(int GridLinesFixed READ GridLinesFixed WRITE setGridLinesFixed NOTIFY appearanceChanged)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE setGridLineWidth NOTIFY appearanceChanged)
    Q_PROPERTY(int HighLight READ HighLight WRITE setHighLight NOTIFY appearanceChanged)
    Q_PROPERTY(int MergeCells READ MergeCells WRITE setMergeCells NOTIFY appearanceChanged)
    Q_PROPERTY(int PictureType READ PictureType WRITE setPictureType NOTIFY appearanceChanged)
    Q_PROPERTY(bool RightToLeft READ RightToLeft WRITE setRightToLeft NOTIFY appearanceChanged)
    Q_PROPERTY(int RowHeightMin READ RowHeightMin WRITE setRowHeightMin NOTIFY appearanceChanged)
    Q_PROPERTY(int ScrollBars READ ScrollBars WRITE setScrollBars NOTIFY appearanceChanged)
    Q_PROPERTY(bool ScrollTrack READ ScrollTrack WRITE setScrollTrack NOTIFY appearanceChanged)
    Q_PROPERTY(int SelectionMode READ SelectionMode WRITE setSelectionMode NOTIFY appearanceChanged)
    Q_PROPERTY(int TextStyle READ TextStyle WRITE setTextStyle NOTIFY appearanceChanged)
    Q_PROPERTY(int TextStyleFixed READ TextStyleFixed WRITE setTextStyleFixed NOTIFY appearanceChanged)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap NOTIFY appearanceChanged)
    Q_PROPERTY(quint32 CellBackColor READ CellBackColor WRITE setCellBackColor NOTIFY contentChanged)
    Q_PROPERTY(quint32 CellForeColor READ CellForeColor WRITE setCellForeColor NOTIFY contentChanged)
    Q_PROPERTY(int CellAlignment READ CellAlignment WRITE setCellAlignment NOTIFY contentChanged)
    Q_PROPERTY(QImage CellPicture READ CellPicture WRITE setCellPicture NOTIFY contentChanged)
    Q_PROPERTY(QString Clip READ Clip WRITE setClip NOTIFY contentChanged)
    Q_PROPERTY(int Col READ Col WRITE setCol NOTIFY RowColChange)
    Q_PROPERTY(int Cols READ Cols WRITE setCols NOTIFY shapeChanged)
    Q_PROPERTY(int ColSel READ ColSel WRITE setColSel NOTIFY SelChange)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw NOTIFY appearanceChanged)
    Q_PROPERTY(int Row READ Row WRITE setRow NOTIFY RowColChange)
    Q_PROPERTY(int Rows READ Rows WRITE setRows NOTIFY shapeChanged)
    Q_PROPERTY(int RowSel READ RowSel WRITE setRowSel NOTIFY SelChange)
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY contentChanged)

public:
    // How the control tells the user a cell may not be edited; by default a
    // message box with an OK button.
    using MessageHook = std::function<void(const QString& text)>;

    explicit Tessara(QWidget* parent = nullptr);
    // Shows a model that the host owns and may share with other views; the
    // model must outlive the control (or be replaced with setModel first).
    explicit Tessara(GridModel* model, QWidget* parent = nullptr);
    ~Tessara() override;

    GridModel& model();
    const GridModel& model() const;
    // Shows another model (the host's, not taken over); nullptr gives the control
    // a fresh model of its own. An open edit ends first.
    void setModel(GridModel* model);
    void setMessageHook(MessageHook hook);

    // The grid and the editor inside the control (for hosts that lay out or test them).
    QWidget* grid() const;
    QLineEdit* editor() const;

    QString Version() const { return QStringLiteral("1.01"); }

    // --- Fields ---
    OleColor CellNoEdit() const;
    void setCellNoEdit(ColorValue v);
    OleColor CellEdit() const;
    void setCellEdit(ColorValue v);
    QString CantEdit() const;
    void setCantEdit(const QString& v);

    // --- Methods forwarded to the grid ---
    Q_INVOKABLE void AddItem(const QString& item, int index = 0);
    Q_INVOKABLE void Clear();
    Q_INVOKABLE void Move(float left, float top = 0, float width = 0, float height = 0);
    Q_INVOKABLE void Refresh();
    Q_INVOKABLE void RemoveItem(int index);
    Q_INVOKABLE void SetFocus();
    Q_INVOKABLE void ShowWhatsThis();
    Q_INVOKABLE void ZOrder(int position = 0);

    // --- The control's operations ---
    // The by-reference forms hand the result back (the clamped width, the ordered
    // block, the unread rest of the text); the value forms take plain arguments.
    Q_INVOKABLE void SetColWidth(int col, int& w, int minWidth, int maxWidth);
    Q_INVOKABLE void SetColWidth(int col, const int& w, int minWidth, int maxWidth);
    Q_INVOKABLE void AutoColWidth(int col, int minWidth = 0, int maxWidth = 0);
    Q_INVOKABLE void LoadCellPic(const QString& fileName, int r1, int c1);
    Q_INVOKABLE void AlignSel(int alignStyle);
    Q_INVOKABLE void AddRowNumbers();
    Q_INVOKABLE void InsertRows(int r1, int rr);
    Q_INVOKABLE void DeleteRows(int r1, int rr);
    Q_INVOKABLE void SwapRows(int r1, int r2);
    Q_INVOKABLE void MoveRows(int& r1, int& r2, int r3);
    Q_INVOKABLE void MoveRows(const int& r1, const int& r2, int r3);
    Q_INVOKABLE void DeleteSel();
    Q_INVOKABLE void Paste(QString& s);
    Q_INVOKABLE void Paste(const QString& s);

    // --- Indexed properties ---
    Q_INVOKABLE QString TextMatrix(int r, int c) const;
    Q_INVOKABLE void setTextMatrix(int r, int c, const QString& text);
    void setTextMatrix(int r, int c, double value);
    Q_INVOKABLE int RowHeight(int r) const;
    Q_INVOKABLE void setRowHeight(int r, int height);
    Q_INVOKABLE int ColWidth(int c) const;
    Q_INVOKABLE void setColWidth(int c, int width);

    // --- Properties forwarded to the grid ---
    int AllowUserResizing() const;
    void setAllowUserResizing(int v);
    OleColor BackColor() const;
    void setBackColor(ColorValue v);
    OleColor BackColorBkg() const;
    void setBackColorBkg(ColorValue v);
    OleColor BackColorFixed() const;
    void setBackColorFixed(ColorValue v);
    OleColor BackColorSel() const;
    void setBackColorSel(ColorValue v);
    int FillStyle() const;
    void setFillStyle(int v);
    int FixedCols() const;
    void setFixedCols(int v);
    int FixedRows() const;
    void setFixedRows(int v);
    int FocusRect() const;
    void setFocusRect(int v);
    QFont Font() const;
    void setFont(const QFont& v);
    OleColor ForeColor() const;
    void setForeColor(ColorValue v);
    OleColor ForeColorFixed() const;
    void setForeColorFixed(ColorValue v);
    OleColor ForeColorSel() const;
    void setForeColorSel(ColorValue v);
    QString FormatString() const;
    void setFormatString(const QString& v);
    OleColor GridColor() const;
    void setGridColor(ColorValue v);
    OleColor GridColorFixed() const;
    void setGridColorFixed(ColorValue v);
    int GridLines() const;
    void setGridLines(int v);
    int GridLinesFixed() const;
    void setGridLinesFixed(int v);
    int GridLineWidth() const;
    void setGridLineWidth(int v);
    int HighLight() const;
    void setHighLight(int v);
    int MergeCells() const;
    void setMergeCells(int v);
    int PictureType() const;
    void setPictureType(int v);
    bool RightToLeft() const;
    void setRightToLeft(bool v);
    int RowHeightMin() const;
    void setRowHeightMin(int v);
    int ScrollBars() const;
    void setScrollBars(int v);
    bool ScrollTrack() const;
    void setScrollTrack(bool v);
    int SelectionMode() const;
    void setSelectionMode(int v);
    int TextStyle() const;
    void setTextStyle(int v);
    int TextStyleFixed() const;
    void setTextStyleFixed(int v);
    bool WordWrap() const;
    void setWordWrap(bool v);
    OleColor CellBackColor() const;
    void setCellBackColor(ColorValue v);
    OleColor CellForeColor() const;
    void setCellForeColor(ColorValue v);
    int CellAlignment() const;
    void setCellAlignment(int v);
    QImage CellPicture() const;
    void setCellPicture(const QImage& v);
    QString Clip() const;
    void setClip(const QString& v);
    int Col() const;
    void setCol(int v);
    int Cols() const;
    void setCols(int v);
    int ColSel() const;
    void setColSel(int v);
    bool Redraw() const;
    void setRedraw(bool v);
    int Row() const;
    void setRow(int v);
    int Rows() const;
    void setRows(int v);
    int RowSel() const;
    void setRowSel(int v);
    QString Text() const;
    void setText(const QString& v);
    // Writing a name sets the face of the grid's font. (The control's own font,
    // QWidget::font(), measures AutoColWidth.)
    void setFont(const QString& faceName);

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

    // Change notifications of the properties.
    void fieldsChanged();
    void shapeChanged();
    void fixedChanged();
    void contentChanged();
    void appearanceChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TessaraPrivate;
    std::unique_ptr<TessaraPrivate> d;
};

} // namespace tessara
