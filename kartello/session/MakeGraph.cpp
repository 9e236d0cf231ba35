#include "session/MakeGraph.h"
#include "form/ControlNames.h"

#include "form/FormModel.h"
#include "graph/Generator.h"
#include "graph/Saving.h"
#include "places/ShapeHooks.h"
#include "places/Validation.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"
#include "session/Main.h"

#include <algorithm>

namespace kartello {

namespace {

LabelKind labelKindOf(const FormModel& form) {
    if (form.isSet(ctl::Option2_1))
        return LabelKind::Name;
    if (form.isSet(ctl::Option2_2))
        return LabelKind::Value;
    if (form.isSet(ctl::Option2_3))
        return LabelKind::NameAndValue;
    return LabelKind::Nothing;
}

// faZ steps 3 and 4: the table is checked, then copied into the store
// (table columns 2 and 3 are store columns 3 and 2); an empty value becomes 0.
bool copyTableIntoStore(Main& main) {
    PlaceContext ctx = main.placeContext();
    if (!validaGrid(ctx))
        return false;
    main.ui.setBusy(true);
    tessara::GridModel& grid = main.grid;
    PlaceStore& store = main.places.placeData;
    for (int i = 0; i <= main.places.lastPlace; ++i) {
        main.ui.yieldToWindow();
        const int r = i + 1;
        if (r >= grid.Rows())
            throw RuntimeError(ErrSubscript);
        if (grid.TextMatrix(r, 3).isEmpty())
            grid.setTextMatrix(r, 3, QStringLiteral("0"));
        store.at(i, ColLatitude) = Cell(grid.TextMatrix(r, 0));
        store.at(i, ColLongitude) = Cell(grid.TextMatrix(r, 1));
        store.at(i, ColName) = Cell(grid.TextMatrix(r, 2));
        store.at(i, ColValue) = Cell(grid.TextMatrix(r, 3));
    }
    return true;
}

} // namespace

GraphOptions graphOptionsOf(const FormModel& form) {
    GraphOptions o;
    o.flat = form.isSet(ctl::Option1_0);
    o.threeD = form.isSet(ctl::Option1_1);
    o.sidesText = form.text(ctl::Combo1);
    o.sizeByValue = form.isSet(ctl::Option3_0);
    o.sizeConstant = form.isSet(ctl::Option3_1);
    o.autoSize = form.isChecked(ctl::chKAutoCircleSize);
    o.sizeFactorText = form.text(ctl::TxtCircRaio);
    o.sizeText = form.text(ctl::txtRaio);
    o.sizeUnitFactor = form.sizeUnitFactor();
    o.heightByValue = form.isSet(ctl::Option5_0);
    o.heightConstant = form.isSet(ctl::Option5_1);
    o.autoHeight = form.isChecked(ctl::chkAutom);
    o.autoHeightVisible = form.isVisible(ctl::chkAutom);
    o.heightFactorText = form.text(ctl::txtHeightPoly);
    o.altitudeToAddText = form.text(ctl::txtHeightFixed);
    o.heightText = form.text(ctl::txtHeight);
    o.heightUnitFactor = form.heightUnitFactor();
    o.logTransform = form.isChecked(ctl::chkLog);
    o.sqrTransform = form.isChecked(ctl::chkSqr);
    o.colorByValue = form.isSet(ctl::Option4_0);
    o.colorConstant = form.isSet(ctl::Option4_1);
    o.outline = form.isChecked(ctl::chkOutlineCS);
    o.colorScaleChoice = form.colorScaleChoice();
    o.autoColorScale = form.isChecked(ctl::autoColoScale);
    o.scaleMinText = form.text(ctl::txtcsMIN);
    o.scaleMaxText = form.text(ctl::txtcsMAX);
    o.showScale = form.isChecked(ctl::chKCScale);
    o.scaleTop = form.isSet(ctl::Option7_0);
    o.gridColor = form.backColor(ctl::Picture1_1);
    o.titleFontColor = form.backColor(ctl::Picture1_2);
    o.titleBackColor = form.backColor(ctl::Picture1_3);
    o.labelColor = form.backColor(ctl::Picture1_4);
    o.fillColor = form.backColor(ctl::Picture1_6);
    o.outlineColor = form.backColor(ctl::Picture1_7);
    o.labels = labelKindOf(form);
    o.decimalsText = form.text(ctl::Combo2);
    o.grid = form.isChecked(ctl::chkGrid);
    o.showTitle = form.isChecked(ctl::chkSTitle);
    o.title1 = form.text(ctl::Text1_0);
    o.title2 = form.text(ctl::Text1_1);
    o.titleTop = form.isSet(ctl::Option6_0);
    o.titleFont = form.titleFont();
    o.openInViewer = form.isChecked(ctl::chkOpen);
    o.nothing = form.isChecked(ctl::chkNothing);
    o.fixShapes = form.isChecked(ctl::chkFix);
    o.bmpOverlays = form.isChecked(ctl::chkBmp);
    o.classMethod = ClassMethod(std::clamp(form.listIndex(ctl::cboClassMethod), 0, 3));
    o.classCount = int(readNumber(form.text(ctl::cboClassCount)));
    o.classHeight = form.isChecked(ctl::chkClassHeight);
    return o;
}

void writeBack(FormModel& form, const GraphOptions& before, const GraphOptions& after) {
    const auto text = [&](QStringView name, const QString& was, const QString& now) {
        if (was != now)
            form.setText(name, now);
    };
    text(ctl::txtcsMIN, before.scaleMinText, after.scaleMinText);
    text(ctl::txtcsMAX, before.scaleMaxText, after.scaleMaxText);
    text(ctl::txtHeightFixed, before.altitudeToAddText, after.altitudeToAddText);
    text(ctl::txtHeightPoly, before.heightFactorText, after.heightFactorText);
    text(ctl::TxtCircRaio, before.sizeFactorText, after.sizeFactorText);
    if (before.logTransform && !after.logTransform)
        form.setCheck(ctl::chkLog, 0);
    if (before.sqrTransform && !after.sqrTransform)
        form.setCheck(ctl::chkSqr, 0);
}

bool customColorScale(FormModel& form, Ui& ui, GraphState& state) {
    if (!runProcedure(ui, Procedure{QStringLiteral("comCustomColor")}, [&] {
            BlendColors(form.backColor(ctl::Image1_1), form.backColor(ctl::Image1_0), 256, state.colorScale);
        }))
        return false;
    form.clickControl(ctl::Picture4);
    return true;
}

bool faZ(Main& main, GraphState& state, ArcSinLink& arcSin) {
    PlaceSet& set = main.places;
    ShapeHooks hooks;
    bool copied = true;
    if (!runProcedure(main.ui, Procedure{QStringLiteral("faZ"), QStringLiteral(". Please review your data")},
                      [&] {
                          if (set.shapeMode) {
                              PlaceContext ctx = main.placeContext();
                              hooks = shapeHooksFor(ctx);
                          } else {
                              copied = copyTableIntoStore(main);
                          }
                      }) ||
        !copied)
        return false;
    const GraphOptions before = graphOptionsOf(main.form);
    GraphOptions options = before;
    PlaceRange range{set.placeData, set.lastPlace};
    GraphRun run{options, range, state, main.ui, arcSin, set.shapeMode, &hooks};
    const bool made = generateGraph(run);
    writeBack(main.form, before, options);
    if (!made)
        return false;
    SaveContext save{state, options, main.ui, set.currentFile, set.graphBaseName};
    const bool saved = guarda(save);
    main.ui.setBusy(false);
    return saved;
}

} // namespace kartello
