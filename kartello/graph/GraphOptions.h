#pragma once
// Everything graph generation reads from the option controls of the main
// window, as plain values, and the boxes it writes back (automatic factors,
// the colour-scale range, the cleared transforms).
#include "graph/Classes.h"
#include "runtime/Ui.h"

#include <QString>

namespace kartello {

enum class LabelKind { Nothing, Name, Value, NameAndValue }; // Option2(0..3)

struct GraphOptions {
    // Graph type: Option1(0) "Flat", Option1(1) "3D polygon".
    bool flat = false;
    bool threeD = false;
    QString sidesText = QStringLiteral("4"); // Combo1

    // Size: Option3(0) / Option3(1).
    bool sizeByValue = false;
    bool sizeConstant = false;
    bool autoSize = false;  // chKAutoCircleSize
    QString sizeFactorText; // TxtCircRaio, written back by automatic size
    QString sizeText;       // txtRaio
    double sizeUnitFactor = 0;

    // Height: Option5(0) / Option5(1).
    bool heightByValue = false;
    bool heightConstant = false;
    bool autoHeight = false;       // chkAutom
    bool autoHeightVisible = true; // chkAutom is hidden under constant height
    QString heightFactorText;      // txtHeightPoly, written back
    QString altitudeToAddText;     // txtHeightFixed, written back
    QString heightText;            // txtHeight
    double heightUnitFactor = 0;

    // Value transform: chkLog / chkSqr (cleared by generation for negative sets).
    bool logTransform = false;
    bool sqrTransform = false;

    // Colour: Option4(0) / Option4(1), outline, scale.
    bool colorByValue = false;
    bool colorConstant = false;
    bool outline = false; // chkOutlineCS
    int colorScaleChoice = 1;
    bool autoColorScale = false;                  // autoColoScale
    QString scaleMinText;                         // txtcsMIN, written back under automatic range
    QString scaleMaxText = QStringLiteral("100"); // txtcsMAX
    bool showScale = false;                       // chKCScale
    bool scaleTop = false;                        // Option7(0)

    // Swatches Picture1(1), (2), (3), (4), (6), (7).
    Rgb gridColor = 0;
    Rgb titleFontColor = 0;
    Rgb titleBackColor = 0xFFFFFF;
    Rgb labelColor = 0xFFFFFF;
    Rgb fillColor = 0;
    Rgb outlineColor = 0;

    LabelKind labels = LabelKind::Nothing;
    QString decimalsText = QStringLiteral("2"); // Combo2

    bool grid = false; // chkGrid

    bool showTitle = false; // chkSTitle
    QString title1, title2; // Text1(0), Text1(1)
    bool titleTop = false;  // Option6(0)
    FontChoice titleFont{QStringLiteral("Arial"), 20, true, false, false};

    bool openInViewer = false; // chkOpen
    bool nothing = false;      // chkNothing "Do nothing (only save as kml)"
    bool fixShapes = false;    // chkFix
    bool bmpOverlays = false;  // chkBmp: overlay images as BMP instead of PNG

    // Classes in place of the continuous scale (cboClassMethod, cboClassCount),
    // and every place of a class drawn at the class's height (chkClassHeight).
    ClassMethod classMethod = ClassMethod::Continuous;
    int classCount = 5;
    bool classHeight = false;
};

} // namespace kartello
