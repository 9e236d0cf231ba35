#pragma once
// The headless grid: the cells, current cell, selection and sizes of the wrapped
// grid, together with the control's own row, selection, sizing and paste
// operations. It needs QtCore and QtGui only, so a host without windows (a
// batch command, a test) drives exactly the grid that the Tessara widget shows.
//
// Member names are the grid's own: a property X is X() / setX(value). Plain grid
// members raise GridError to the caller; the control operations (SetColWidth ...
// Paste) trap their errors and report them only through ErrorMsg.
#include <QFont>
#include <QImage>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "tessara/Export.h"
#include "tessara/GridError.h"
#include "tessara/OleColor.h"

namespace tessara {

// Cell alignment values of the grid (general: text left, numbers right).
enum CellAlignmentValue : int {
    AlignLeftTop = 0,
    AlignLeftCenter = 1,
    AlignLeftBottom = 2,
    AlignCenterTop = 3,
    AlignCenterCenter = 4,
    AlignCenterBottom = 5,
    AlignRightTop = 6,
    AlignRightCenter = 7,
    AlignRightBottom = 8,
    AlignGeneral = 9,
};

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultColWidth = 960;  // twips: 64 pixels at 96 dpi
inline constexpr int kDefaultRowHeight = 300; // twips: 20 pixels at 96 dpi
inline constexpr int kInitialCol0Width = 1030;

class TESSARA_EXPORT GridModel : public QObject {
    Q_OBJECT
public:
    // Width in twips of a text as the control's drawing font sets it.
    using TextMeasure = std::function<double(const QString&)>;

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    // --- Shape -----------------------------------------------------------
    int Rows() const { return int(rows_.size()); }
    void setRows(int n);
    int Cols() const { return cols_; }
    void setCols(int n);
    int FixedRows() const { return fixedRows_; }
    void setFixedRows(int n);
    int FixedCols() const { return fixedCols_; }
    void setFixedCols(int n);

    // --- Current cell and selection ---------------------------------------
    // Setting Row or Col also collapses the selection onto the current cell.
    int Row() const { return row_; }
    void setRow(int r);
    int Col() const { return col_; }
    void setCol(int c);
    int RowSel() const { return rowSel_; }
    void setRowSel(int r);
    int ColSel() const { return colSel_; }
    void setColSel(int c);
    // Moves the current cell to (r, c) in one step: one LeaveCell, one EnterCell.
    void setCurrentCell(int r, int c);

    // --- Cell content ------------------------------------------------------
    QString TextMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString& text);
    // A number is stored as its text ("1.5", "42").
    void setTextMatrix(int r, int c, double value);
    QString Text() const;
    void setText(const QString& text);

    // Current-cell formatting; with FillStyle 1 a write applies to the whole selection.
    // A colour of 0 means "the grid's default colour".
    OleColor CellBackColor() const;
    void setCellBackColor(OleColor color);
    OleColor CellForeColor() const;
    void setCellForeColor(OleColor color);
    int CellAlignment() const;
    void setCellAlignment(int alignment);
    QImage CellPicture() const;
    void setCellPicture(const QImage& picture);

    // The same, for any cell without moving the current cell.
    OleColor cellBackColorAt(int r, int c) const;
    OleColor cellForeColorAt(int r, int c) const;
    int cellAlignmentAt(int r, int c) const;
    QImage cellPictureAt(int r, int c) const;

    // --- Sizes (twips) -------------------------------------------------------
    int RowHeight(int r) const;
    void setRowHeight(int r, int height); // -1 restores the default
    int ColWidth(int c) const;
    void setColWidth(int c, int width); // -1 restores the default
    int ColAlignment(int c) const;
    void setColAlignment(int c, int alignment);
    int RowHeightMin() const { return rowHeightMin_; }
    void setRowHeightMin(int height);

    // --- Whole-grid text -------------------------------------------------------
    // Clip: the selected cells, fields separated by tabs, rows by carriage returns.
    QString Clip() const;
    void setClip(const QString& text);
    // FormatString: column headers and alignments ("<left|^centre|>right"), then
    // after ";" the row headers.
    QString FormatString() const { return formatString_; }
    void setFormatString(const QString& format);

    void AddItem(const QString& item);            // appends a row
    void AddItem(const QString& item, int index); // inserts a row at index (0..Rows)
    void RemoveItem(int index);
    void Clear(); // empties every cell's text; shape and cell formats stay

    // --- Appearance (kept for the view; OLE colours) -----------------------------
    bool Redraw() const { return redraw_; }
    void setRedraw(bool on);
    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor v) { setAppearance(backColor_, v); }
    OleColor BackColorBkg() const { return backColorBkg_; }
    void setBackColorBkg(OleColor v) { setAppearance(backColorBkg_, v); }
    OleColor BackColorFixed() const { return backColorFixed_; }
    void setBackColorFixed(OleColor v) { setAppearance(backColorFixed_, v); }
    OleColor BackColorSel() const { return backColorSel_; }
    void setBackColorSel(OleColor v) { setAppearance(backColorSel_, v); }
    OleColor ForeColor() const { return foreColor_; }
    void setForeColor(OleColor v) { setAppearance(foreColor_, v); }
    OleColor ForeColorFixed() const { return foreColorFixed_; }
    void setForeColorFixed(OleColor v) { setAppearance(foreColorFixed_, v); }
    OleColor ForeColorSel() const { return foreColorSel_; }
    void setForeColorSel(OleColor v) { setAppearance(foreColorSel_, v); }
    OleColor GridColor() const { return gridColor_; }
    void setGridColor(OleColor v) { setAppearance(gridColor_, v); }
    OleColor GridColorFixed() const { return gridColorFixed_; }
    void setGridColorFixed(OleColor v) { setAppearance(gridColorFixed_, v); }
    int GridLines() const { return gridLines_; }
    void setGridLines(int v) { setAppearance(gridLines_, v); }
    int GridLinesFixed() const { return gridLinesFixed_; }
    void setGridLinesFixed(int v) { setAppearance(gridLinesFixed_, v); }
    int GridLineWidth() const { return gridLineWidth_; }
    void setGridLineWidth(int v);
    int FillStyle() const { return fillStyle_; }
    void setFillStyle(int v) { setAppearance(fillStyle_, v); }
    int FocusRect() const { return focusRect_; }
    void setFocusRect(int v) { setAppearance(focusRect_, v); }
    int HighLight() const { return highLight_; }
    void setHighLight(int v) { setAppearance(highLight_, v); }
    int MergeCells() const { return mergeCells_; }
    void setMergeCells(int v) { setAppearance(mergeCells_, v); }
    int PictureType() const { return pictureType_; }
    void setPictureType(int v) { setAppearance(pictureType_, v); }
    bool RightToLeft() const { return rightToLeft_; }
    void setRightToLeft(bool v) { setAppearance(rightToLeft_, v); }
    int ScrollBars() const { return scrollBars_; }
    void setScrollBars(int v) { setAppearance(scrollBars_, v); }
    bool ScrollTrack() const { return scrollTrack_; }
    void setScrollTrack(bool v) { setAppearance(scrollTrack_, v); }
    int SelectionMode() const { return selectionMode_; }
    void setSelectionMode(int v) { setAppearance(selectionMode_, v); }
    int TextStyle() const { return textStyle_; }
    void setTextStyle(int v) { setAppearance(textStyle_, v); }
    int TextStyleFixed() const { return textStyleFixed_; }
    void setTextStyleFixed(int v) { setAppearance(textStyleFixed_, v); }
    bool WordWrap() const { return wordWrap_; }
    void setWordWrap(bool v) { setAppearance(wordWrap_, v); }
    int AllowUserResizing() const { return allowUserResizing_; }
    void setAllowUserResizing(int v) { setAppearance(allowUserResizing_, v); }
    // The grid's cell font; writing a name sets its face.
    QFont Font() const { return font_; }
    void setFont(const QFont& font);
    void setFont(const QString& faceName);

    // --- The control's fields ----------------------------------------------
    // A cell whose CellBackColor equals CellNoEdit may not be edited, is skipped
    // by Paste and keeps its text on DeleteSel.
    OleColor CellNoEdit = kSys3DLight;
    // Offered to the host for editable cells; the grid itself never reads it.
    OleColor CellEdit = kSysWindow;
    QString CantEdit = QStringLiteral("Can't edit that cell");

    // --- The control's operations (errors trapped, reported via ErrorMsg) -------
    void SetColWidth(int col, int& w, int minWidth, int maxWidth);
    void AutoColWidth(int col, int minWidth = 0, int maxWidth = 0);
    void LoadCellPic(const QString& fileName, int r1, int c1);
    void AlignSel(int alignStyle);
    void AddRowNumbers();
    void InsertRows(int r1, int rr);
    void DeleteRows(int r1, int rr);
    void SwapRows(int r1, int r2);
    void MoveRows(int& r1, int& r2, int r3);
    void DeleteSel();
    void Paste(QString& s);

    // Reports a trapped error: ErrorMsg("Error <n> has occured in Tessara.ocx, <routine>",
    // description); error 94 is swallowed.
    void reportError(const GridError& error, const QString& routine);
    // Runs one trapped routine: a GridError (or lack of memory) ends it and is reported.
    template <typename F> void trapped(const QString& routine, F&& body);

    // --- Text measurement for AutoColWidth and FormatString ----------------------
    // The control's drawing font and resolution; the widget keeps them in step.
    QFont measureFont() const { return measureFont_; }
    void setMeasureFont(const QFont& font) { measureFont_ = font; }
    double logicalDpi() const { return dpi_; }
    void setLogicalDpi(double dpi);
    double twipsPerPixel() const { return kTwipsPerInch / dpi_; }
    // Replaces the font measurement (for hosts with their own metrics, and tests).
    void setTextMeasure(TextMeasure measure) { measure_ = std::move(measure); }
    double textWidthTwips(const QString& text) const;
    // The measurement in force, ready for many texts.
    TextMeasure textMeasure() const;
    // Width in twips of a picture from its own resolution.
    static double pictureWidthTwips(const QImage& picture);
    static double pictureHeightTwips(const QImage& picture);

signals:
    // The grid's events.
    void LeaveCell();
    void EnterCell();
    void RowColChange();
    void SelChange();
    // The control's trapped-error report.
    void ErrorMsg(QString source, QString description);
    // The operation wants the grid to have the keyboard focus (InsertRows, DeleteRows, MoveRows).
    void focusRequested();
    // Content, shape or appearance changed; the view repaints when Redraw is on.
    void changed();
    // An operation is about to change the rows, the columns, their count or many
    // cells at once: an open in-place edit must end now, while its cell is still
    // where the editor thinks it is. restructured() follows when the change is over
    // (also when it failed half-way). Nested operations announce themselves once.
    void aboutToRestructure();
    void restructured();
    // The texts or formats of the cells r1..r2 x c1..c2 changed.
    void cellsChanged(int r1, int c1, int r2, int c2);
    // The rows and columns that are fixed headers changed.
    void fixedChanged();
    // An appearance property (colours, lines, font ...) changed.
    void appearanceChanged();

private:
    friend class Restructure;
    friend class SuspendedRedraw;

    struct Cell {
        QString text;
        OleColor back = 0;
        OleColor fore = 0;
        int alignment = -1; // unset: the column's alignment
        QImage picture;
    };
    struct GridRow {
        std::vector<Cell> cells;
        int height = -1;
    };

    Cell& cellRef(int r, int c);
    const Cell& cellRef(int r, int c) const;
    void checkRow(int r) const;
    void checkCol(int c) const;
    GridRow makeRow() const;
    template <typename T> void setAppearance(T& field, T value);
    template <typename F> void forFill(F&& apply);
    void moveCurrent(int r, int c, int rowSel, int colSel);
    void clampCurrent();
    void notify();
    void swapRowsUnchecked(int r1, int r2);
    void insertEmptyRows(int index, int count);
    void removeRows(int index, int count);
    void autoColWidthBody(int col, int minWidth, int maxWidth);
    void setColWidthBody(int col, int& w, int minWidth, int maxWidth);

    std::vector<GridRow> rows_;
    std::vector<int> colWidths_;
    std::vector<int> colAlignments_;
    int cols_ = 2;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
    int rowHeightMin_ = 0;
    QString formatString_;
    bool redraw_ = true;

    OleColor backColor_ = kSysWindow;
    OleColor backColorBkg_ = kSysAppWorkspace;
    OleColor backColorFixed_ = kSysButtonFace;
    OleColor backColorSel_ = kSysHighlight;
    OleColor foreColor_ = kSysWindowText;
    OleColor foreColorFixed_ = kSysButtonText;
    OleColor foreColorSel_ = kSysHighlightText;
    OleColor gridColor_ = rgbColor(0xC0, 0xC0, 0xC0);
    OleColor gridColorFixed_ = 0;
    int gridLines_ = 1;
    int gridLinesFixed_ = 2;
    int gridLineWidth_ = 1;
    int fillStyle_ = 0;
    int focusRect_ = 1;
    int highLight_ = 1;
    int mergeCells_ = 0;
    int pictureType_ = 0;
    bool rightToLeft_ = false;
    int scrollBars_ = 3;
    bool scrollTrack_ = false;
    int selectionMode_ = 0;
    int textStyle_ = 0;
    int textStyleFixed_ = 0;
    bool wordWrap_ = false;
    int allowUserResizing_ = 0;
    QFont font_;

    int restructureDepth_ = 0;

    QFont measureFont_;
    double dpi_ = 96.0;
    TextMeasure measure_;
};

template <typename T> void GridModel::setAppearance(T& field, T value) {
    if (field == value)
        return;
    field = value;
    emit appearanceChanged();
    notify();
}

template <typename F> void GridModel::trapped(const QString& routine, F&& body) {
    try {
        body();
    } catch (const GridError& e) {
        reportError(e, routine);
    } catch (const std::bad_alloc&) {
        reportError(GridError(ErrOutOfMemory), routine);
    }
}

} // namespace tessara
