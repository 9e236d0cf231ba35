#pragma once
// The names of the controls of the main window Main, one constant per control,
// so that the logic cannot name a control that does not exist. A control of a
// control array is named "Array_i" and its comment gives the array form
// Array(i). The string form of a name is what the outside world sees: the
// object names of the widgets, and the names given to "--set" in batch mode.
// Each comment says what the control is on the window.
#include <QString>
#include <QStringView>

namespace kartello::ctl {

// --- Frames ---
// "Grid" frame of the grid lines
inline constexpr QStringView Frame1 = u"Frame1";
// "Title" frame
inline constexpr QStringView Frame2 = u"Frame2";
// "Labels" frame of the place labels
inline constexpr QStringView Frame3 = u"Frame3";
// "Graph Type" frame
inline constexpr QStringView Frame5 = u"Frame5";
// "Color" frame of the outline and constant fill colours
inline constexpr QStringView Frame6 = u"Frame6";
// "Color scale" frame
inline constexpr QStringView Frame7 = u"Frame7";
// "Size" frame: size by value or constant
inline constexpr QStringView Frame8 = u"Frame8";
// "Color" frame: fill colour by value or constant
inline constexpr QStringView Frame9 = u"Frame9";
// "Size" frame of the size factor, or of the size and its unit
inline constexpr QStringView Frame10 = u"Frame10";
// "Value Transform" frame
inline constexpr QStringView Frame11 = u"Frame11";
// "Height" frame of the height factor, or of the height and its unit
inline constexpr QStringView Frame12 = u"Frame12";
// "Height" frame: height by value or constant
inline constexpr QStringView Frame13 = u"Frame13";

// --- Option buttons: one group per control array, one chosen at a time ---
// Option1(0): "Flat", Graph Type frame (Frame5)
inline constexpr QStringView Option1_0 = u"Option1_0";
// Option1(1): "3D polygon", Graph Type frame (Frame5)
inline constexpr QStringView Option1_1 = u"Option1_1";
// Option2(0): "Nothing", Labels frame (Frame3)
inline constexpr QStringView Option2_0 = u"Option2_0";
// Option2(1): "Place name", Labels frame (Frame3)
inline constexpr QStringView Option2_1 = u"Option2_1";
// Option2(2): "Place value", Labels frame (Frame3)
inline constexpr QStringView Option2_2 = u"Option2_2";
// Option2(3): "Place name and value", Labels frame (Frame3)
inline constexpr QStringView Option2_3 = u"Option2_3";
// Option3(0): "According to value", Size frame (Frame8)
inline constexpr QStringView Option3_0 = u"Option3_0";
// Option3(1): "Constant", Size frame (Frame8)
inline constexpr QStringView Option3_1 = u"Option3_1";
// Option4(0): "According to value", Color frame (Frame9)
inline constexpr QStringView Option4_0 = u"Option4_0";
// Option4(1): "Constant", Color frame (Frame9)
inline constexpr QStringView Option4_1 = u"Option4_1";
// Option5(0): "According to value", Height frame (Frame13)
inline constexpr QStringView Option5_0 = u"Option5_0";
// Option5(1): "Constant", Height frame (Frame13)
inline constexpr QStringView Option5_1 = u"Option5_1";
// Option6(0): "Top", Title frame (Frame2)
inline constexpr QStringView Option6_0 = u"Option6_0";
// Option6(1): "Bottom", Title frame (Frame2)
inline constexpr QStringView Option6_1 = u"Option6_1";
// Option7(0): "Top", Color scale frame (Frame7)
inline constexpr QStringView Option7_0 = u"Option7_0";
// Option7(1): "Bottom", Color scale frame (Frame7)
inline constexpr QStringView Option7_1 = u"Option7_1";

// --- Check boxes ---
// "Automatic scale", Color scale frame (Frame7)
inline constexpr QStringView autoColoScale = u"autoColoScale";
// "Automatic scale", Size frame (Frame10)
inline constexpr QStringView chKAutoCircleSize = u"chKAutoCircleSize";
// "Automatic scale", Height frame (Frame12)
inline constexpr QStringView chkAutom = u"chkAutom";
// "Overlays as BMP"
inline constexpr QStringView chkBmp = u"chkBmp";
// "Show scale in GE", Color scale frame (Frame7)
inline constexpr QStringView chKCScale = u"chKCScale";
// "Height by class", Color scale frame (Frame7)
inline constexpr QStringView chkClassHeight = u"chkClassHeight";
// "Fill", Color frame (Frame6)
inline constexpr QStringView chkFillCS = u"chkFillCS";
// "Fix shape's draw order"
inline constexpr QStringView chkFix = u"chkFix";
// "Make grid lines", Grid frame (Frame1)
inline constexpr QStringView chkGrid = u"chkGrid";
// "Log (value+1)", Value Transform frame (Frame11)
inline constexpr QStringView chkLog = u"chkLog";
// "Do nothing (only save as kml)"
inline constexpr QStringView chkNothing = u"chkNothing";
// "Open in GE"
inline constexpr QStringView chkOpen = u"chkOpen";
// "Outline", Color frame (Frame6)
inline constexpr QStringView chkOutlineCS = u"chkOutlineCS";
// "Sqr (value+1)", Value Transform frame (Frame11)
inline constexpr QStringView chkSqr = u"chkSqr";
// "Show title in GE", Title frame (Frame2)
inline constexpr QStringView chkSTitle = u"chkSTitle";

// --- Combo boxes ---
// number of classes (3 to 9), Color scale frame (Frame7)
inline constexpr QStringView cboClassCount = u"cboClassCount";
// continuous scale or class method, Color scale frame (Frame7)
inline constexpr QStringView cboClassMethod = u"cboClassMethod";
// number of polygon sides, typed or picked, Graph Type frame (Frame5)
inline constexpr QStringView Combo1 = u"Combo1";
// decimal places of the value labels, Labels frame (Frame3)
inline constexpr QStringView Combo2 = u"Combo2";
// unit of the constant size, Size frame (Frame10)
inline constexpr QStringView Combo3 = u"Combo3";
// unit of the constant height, Height frame (Frame12)
inline constexpr QStringView Combo4 = u"Combo4";

// --- Text boxes ---
// Text1(0): first title line, Title frame (Frame2)
inline constexpr QStringView Text1_0 = u"Text1_0";
// Text1(1): second title line, Title frame (Frame2)
inline constexpr QStringView Text1_1 = u"Text1_1";
// size factor, Size frame (Frame10)
inline constexpr QStringView TxtCircRaio = u"TxtCircRaio";
// colour scale maximum, Color scale frame (Frame7)
inline constexpr QStringView txtcsMAX = u"txtcsMAX";
// colour scale minimum, Color scale frame (Frame7)
inline constexpr QStringView txtcsMIN = u"txtcsMIN";
// constant polygon height, Height frame (Frame12)
inline constexpr QStringView txtHeight = u"txtHeight";
// altitude added to every polygon, Height frame (Frame12)
inline constexpr QStringView txtHeightFixed = u"txtHeightFixed";
// height factor, Height frame (Frame12)
inline constexpr QStringView txtHeightPoly = u"txtHeightPoly";
// txtLat(0): filter minimum latitude
inline constexpr QStringView txtLat_0 = u"txtLat_0";
// txtLat(1): filter maximum latitude
inline constexpr QStringView txtLat_1 = u"txtLat_1";
// txtLon(0): filter minimum longitude
inline constexpr QStringView txtLon_0 = u"txtLon_0";
// txtLon(1): filter maximum longitude
inline constexpr QStringView txtLon_1 = u"txtLon_1";
// constant polygon size, Size frame (Frame10)
inline constexpr QStringView txtRaio = u"txtRaio";
// txtVal(0): filter minimum value
inline constexpr QStringView txtVal_0 = u"txtVal_0";
// txtVal(1): filter maximum value
inline constexpr QStringView txtVal_1 = u"txtVal_1";

// --- Labels ---
// "Number of classes", Color scale frame (Frame7)
inline constexpr QStringView lblClassCount = u"lblClassCount";
// "Classes", Color scale frame (Frame7)
inline constexpr QStringView lblClassMethod = u"lblClassMethod";
// Label1(0): "Altitude to add", Height frame (Frame12)
inline constexpr QStringView Label1_0 = u"Label1_0";
// Label1(4): "Fill Color", Color frame (Frame6)
inline constexpr QStringView Label1_4 = u"Label1_4";
// Label1(5): "Size factor", Size frame (Frame10)
inline constexpr QStringView Label1_5 = u"Label1_5";
// Label1(6): "Line  Color", Color frame (Frame6)
inline constexpr QStringView Label1_6 = u"Label1_6";
// Label1(7): "Size", Size frame (Frame10)
inline constexpr QStringView Label1_7 = u"Label1_7";
// Label1(8): "Unit", Size frame (Frame10)
inline constexpr QStringView Label1_8 = u"Label1_8";
// Label1(11): "Unit", Height frame (Frame12)
inline constexpr QStringView Label1_11 = u"Label1_11";
// Label1(12): "Height", Height frame (Frame12)
inline constexpr QStringView Label1_12 = u"Label1_12";
// Label1(13): "Height factor", Height frame (Frame12)
inline constexpr QStringView Label1_13 = u"Label1_13";
// Label2(0): "Color", Grid frame (Frame1)
inline constexpr QStringView Label2_0 = u"Label2_0";
// Label2(1): "Font Color", Labels frame (Frame3)
inline constexpr QStringView Label2_1 = u"Label2_1";
// "Current file: ..." above the place table
inline constexpr QStringView Label4 = u"Label4";
// "Polygon sides", Graph Type frame (Frame5)
inline constexpr QStringView Label5 = u"Label5";
// Label6(0): "Filter input file" heading of the filter
inline constexpr QStringView Label6_0 = u"Label6_0";
// Label6(1): "Min" row of the filter
inline constexpr QStringView Label6_1 = u"Label6_1";
// Label6(2): "Max" row of the filter
inline constexpr QStringView Label6_2 = u"Label6_2";
// "X" closing the title preview
inline constexpr QStringView Label8 = u"Label8";
// "Decimal", Labels frame (Frame3)
inline constexpr QStringView Label10 = u"Label10";
// Label11(0): "Light", Color scale frame (Frame7)
inline constexpr QStringView Label11_0 = u"Label11_0";
// Label11(1): "Dark", Color scale frame (Frame7)
inline constexpr QStringView Label11_1 = u"Label11_1";
// "Custom color scale", Color scale frame (Frame7)
inline constexpr QStringView Label12 = u"Label12";
// "N.places: ..." below the place table
inline constexpr QStringView lblNPlaces = u"lblNPlaces";
// reading progress below the place table
inline constexpr QStringView lblProg = u"lblProg";
// "Selected: n" of the colour scale choice, Color scale frame (Frame7)
inline constexpr QStringView lblSelected = u"lblSelected";
// "Polygon Shape File" below the place table
inline constexpr QStringView lblShape = u"lblShape";

// --- Picture boxes (colour swatches and the title preview) ---
// Picture1(1): grid line colour, Grid frame (Frame1)
inline constexpr QStringView Picture1_1 = u"Picture1_1";
// Picture1(2): title text colour, Title frame (Frame2)
inline constexpr QStringView Picture1_2 = u"Picture1_2";
// Picture1(3): title background colour, Title frame (Frame2)
inline constexpr QStringView Picture1_3 = u"Picture1_3";
// Picture1(4): label text colour, Labels frame (Frame3)
inline constexpr QStringView Picture1_4 = u"Picture1_4";
// Picture1(6): constant fill colour, Color frame (Frame6)
inline constexpr QStringView Picture1_6 = u"Picture1_6";
// Picture1(7): outline colour, Color frame (Frame6)
inline constexpr QStringView Picture1_7 = u"Picture1_7";
// the title preview (also names the title font)
inline constexpr QStringView Picture2 = u"Picture2";
// the custom colour scale, chosen by a click, Color scale frame (Frame7)
inline constexpr QStringView Picture4 = u"Picture4";

// --- Images (colour scale pictures) ---
// Image1(0): light end of the custom colour scale, Color scale frame (Frame7)
inline constexpr QStringView Image1_0 = u"Image1_0";
// Image1(1): dark end of the custom colour scale, Color scale frame (Frame7)
inline constexpr QStringView Image1_1 = u"Image1_1";
// Image2(0): preset colour scale 1, Color scale frame (Frame7)
inline constexpr QStringView Image2_0 = u"Image2_0";
// Image2(1): preset colour scale 2, Color scale frame (Frame7)
inline constexpr QStringView Image2_1 = u"Image2_1";
// Image2(2): preset colour scale 3, Color scale frame (Frame7)
inline constexpr QStringView Image2_2 = u"Image2_2";
// Image2(3): preset colour scale 4, Color scale frame (Frame7)
inline constexpr QStringView Image2_3 = u"Image2_3";
// Image2(4): preset colour scale 5, Color scale frame (Frame7)
inline constexpr QStringView Image2_4 = u"Image2_4";
// Image2(5): preset colour scale 6, Color scale frame (Frame7)
inline constexpr QStringView Image2_5 = u"Image2_5";
// Image2(6): preset colour scale 7, Color scale frame (Frame7)
inline constexpr QStringView Image2_6 = u"Image2_6";

// --- Command buttons ---
// "ok", Color scale frame (Frame7)
inline constexpr QStringView comCustomColor = u"comCustomColor";
// ComFilter(0): "Filter"
inline constexpr QStringView ComFilter_0 = u"ComFilter_0";
// ComFilter(1): "Remove"
inline constexpr QStringView ComFilter_1 = u"ComFilter_1";
// "Font", Title frame (Frame2)
inline constexpr QStringView comFont = u"comFont";
// "Preview Title", Title frame (Frame2)
inline constexpr QStringView comPreviewTitle = u"comPreviewTitle";
// comRow(0): "Insert row"
inline constexpr QStringView comRow_0 = u"comRow_0";
// comRow(1): "Delete selected row"
inline constexpr QStringView comRow_1 = u"comRow_1";
// comRow(2): "Paste grid from clipboard"
inline constexpr QStringView comRow_2 = u"comRow_2";
// comRow(3): "Paste values"
inline constexpr QStringView comRow_3 = u"comRow_3";
// comRow(4): "Generate random values"
inline constexpr QStringView comRow_4 = u"comRow_4";

// --- The place table ---
// the place table
inline constexpr QStringView Grid1 = u"Grid1";

// --- Shapes ---
// line above the place table
inline constexpr QStringView Shape1 = u"Shape1";

// --- Control arrays, by the name of the array ---
// Option1(0..1): the graph type group
inline constexpr QStringView Option1 = u"Option1";
// Picture1(1..4, 6, 7): the colour swatches
inline constexpr QStringView Picture1 = u"Picture1";
// Image1(0..1): the two ends of the custom colour scale
inline constexpr QStringView Image1 = u"Image1";
// Image2(0..6): the preset colour scales
inline constexpr QStringView Image2 = u"Image2";
// comRow(0..4): the place table buttons
inline constexpr QStringView comRow = u"comRow";
// ComFilter(0..1): "Filter" and "Remove"
inline constexpr QStringView ComFilter = u"ComFilter";

// Whether name is an element of the control array ("Image2_3" of Image2).
inline bool isElementOf(QStringView name, QStringView array) {
    return name.size() > array.size() && name.startsWith(array) && name[array.size()] == u'_';
}

// The index written after the array name ("Image2_3" gives 3); 0 when it is no number.
inline int elementIndex(QStringView name, QStringView array, bool* ok = nullptr) {
    return name.mid(array.size() + 1).toInt(ok);
}

// The name of element index of the control array (Image2, 3 gives "Image2_3").
inline QString element(QStringView array, int index) {
    return array.toString() + u'_' + QString::number(index);
}

} // namespace kartello::ctl
