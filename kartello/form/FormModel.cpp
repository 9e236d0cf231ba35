#include "form/FormModel.h"
#include "form/ControlNames.h"

#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"

namespace kartello {

namespace {

using K = ControlKind;

QString optionGroup(QStringView name) {
    const qsizetype bar = name.indexOf(u'_');
    return (bar < 0 ? name : name.left(bar)).toString();
}

const QStringList unitList = {"Centimers", "Meters", "Kilometers", "Inches",
                              "Feet",      "Yards",  "Miles",      "Nautical miles"};

// In the order of the graph's class methods: the continuous scale first.
const QStringList classMethodList = {"Continuous", "Equal intervals", "Quantiles", "Natural breaks (Jenks)"};

} // namespace

double FormModel::sizeFactorOf(int unitIndex) {
    static const double factors[] = {5.399568e-06, 0.0005399568, 0.5399555, 1.371487e-05,
                                     0.0001645784, 0.000493738,  0.8689741, 1.0};
    return unitIndex >= 0 && unitIndex < 8 ? factors[unitIndex] : 0;
}

double FormModel::heightFactorOf(int unitIndex) {
    // Metres per unit: the nautical-mile factor over the nautical miles in a metre.
    return sizeFactorOf(unitIndex) / 0.0005399568;
}

FormModel::FormModel(Ui& ui) : ui_(ui) {
    auto c = [this](QStringView name, K kind, QStringView container, const char* caption,
                    const char* toolTip = "") {
        Control control;
        control.name = name.toString();
        control.kind = kind;
        control.container = container.toString();
        control.caption = QString::fromUtf8(caption);
        control.toolTip = QString::fromUtf8(toolTip);
        add(std::move(control));
    };
    // Graph type
    c(ctl::Frame5, K::Frame, u"", "Graph Type");
    c(ctl::Option1_0, K::OptionButton, ctl::Frame5, "Flat", "Flat polygon (clamped to ground)");
    c(ctl::Option1_1, K::OptionButton, ctl::Frame5, "3D polygon");
    c(ctl::Label5, K::Label, ctl::Frame5, "Polygon sides");
    c(ctl::Combo1, K::ComboBox, ctl::Frame5, "",
      "Polygon sides (3-triangle, 4 square, 5 pentagon,... > 20 circle)");
    // Size
    c(ctl::Frame8, K::Frame, u"", "Size");
    c(ctl::Option3_0, K::OptionButton, ctl::Frame8, "According to value", "Variable polygon size");
    c(ctl::Option3_1, K::OptionButton, ctl::Frame8, "Constant", "Constant polygon size");
    c(ctl::Frame10, K::Frame, u"", "Size");
    c(ctl::chKAutoCircleSize, K::CheckBox, ctl::Frame10, "Automatic scale",
      "The application choose the size factor");
    c(ctl::Label1_5, K::Label, ctl::Frame10, "Size factor");
    c(ctl::TxtCircRaio, K::TextBox, ctl::Frame10, "");
    c(ctl::Label1_7, K::Label, ctl::Frame10, "Size",
      "Distance from the center to one vertex of the polygon or radius of the circle");
    c(ctl::txtRaio, K::TextBox, ctl::Frame10, "");
    c(ctl::Label1_8, K::Label, ctl::Frame10, "Unit");
    c(ctl::Combo3, K::ComboBox, ctl::Frame10, "");
    // Height
    c(ctl::Frame13, K::Frame, u"", "Height");
    c(ctl::Option5_0, K::OptionButton, ctl::Frame13, "According to value", "Variable polygon height");
    c(ctl::Option5_1, K::OptionButton, ctl::Frame13, "Constant", "Constant polygon height");
    c(ctl::Frame12, K::Frame, u"", "Height");
    c(ctl::chkAutom, K::CheckBox, ctl::Frame12, "Automatic scale",
      "The application choose the height factor and altitute to add");
    c(ctl::Label1_13, K::Label, ctl::Frame12, "Height factor");
    c(ctl::txtHeightPoly, K::TextBox, ctl::Frame12, "");
    c(ctl::Label1_0, K::Label, ctl::Frame12, "Altitude to add",
      "Constant altitude added to each polygon to fix the color fill");
    c(ctl::txtHeightFixed, K::TextBox, ctl::Frame12, "");
    c(ctl::Label1_12, K::Label, ctl::Frame12, "Height",
      "Height of the polygon (z axis) - overwrite the value parameter of the grid");
    c(ctl::txtHeight, K::TextBox, ctl::Frame12, "");
    c(ctl::Label1_11, K::Label, ctl::Frame12, "Unit");
    c(ctl::Combo4, K::ComboBox, ctl::Frame12, "");
    // Value transform
    c(ctl::Frame11, K::Frame, u"", "Value Transform");
    c(ctl::chkSqr, K::CheckBox, ctl::Frame11, "Sqr (value+1)");
    c(ctl::chkLog, K::CheckBox, ctl::Frame11, "Log (value+1)");
    // Colour
    c(ctl::Frame9, K::Frame, u"", "Color");
    c(ctl::Option4_0, K::OptionButton, ctl::Frame9, "According to value", "Variable fill color");
    c(ctl::Option4_1, K::OptionButton, ctl::Frame9, "Constant", "Constant fill colors");
    c(ctl::Frame6, K::Frame, u"", "Color");
    c(ctl::chkOutlineCS, K::CheckBox, ctl::Frame6, "Outline", "Outline color");
    c(ctl::Picture1_7, K::PictureBox, ctl::Frame6, "");
    c(ctl::Label1_6, K::Label, ctl::Frame6, "Line  Color");
    c(ctl::chkFillCS, K::CheckBox, ctl::Frame6, "Fill", "Constant fill color");
    c(ctl::Picture1_6, K::PictureBox, ctl::Frame6, "");
    c(ctl::Label1_4, K::Label, ctl::Frame6, "Fill Color");
    // Colour scale
    c(ctl::Frame7, K::Frame, u"", "Color scale");
    for (int i = 0; i < 7; ++i)
        c(ctl::element(ctl::Image2, i), K::Image, ctl::Frame7, "", "Click to choose the color scale");
    c(ctl::Image1_0, K::Image, ctl::Frame7, "", "Slect the light and dark colors of the scale and click ok");
    c(ctl::Image1_1, K::Image, ctl::Frame7, "", "Slect the light and dark colors of the scale and click ok");
    c(ctl::Label11_0, K::Label, ctl::Frame7, "Light");
    c(ctl::Label11_1, K::Label, ctl::Frame7, "Dark");
    c(ctl::Label12, K::Label, ctl::Frame7, "Custom color scale");
    c(ctl::comCustomColor, K::CommandButton, ctl::Frame7, "ok");
    c(ctl::Picture4, K::PictureBox, ctl::Frame7, "");
    c(ctl::lblSelected, K::Label, ctl::Frame7, "Selected: 1");
    c(ctl::txtcsMAX, K::TextBox, ctl::Frame7, "", "Enter the maximum and minimum value for the color scale");
    c(ctl::txtcsMIN, K::TextBox, ctl::Frame7, "", "Enter the maximum and minimum value for the color scale");
    c(ctl::autoColoScale, K::CheckBox, ctl::Frame7, "Automatic scale",
      "The application choose the maximum and minimum values of the color scale");
    c(ctl::chKCScale, K::CheckBox, ctl::Frame7, "Show scale in GE",
      "The color scale will be shown in the GE viewer");
    c(ctl::Option7_0, K::OptionButton, ctl::Frame7, "Top", "Position of the color scale in GE viewer");
    c(ctl::Option7_1, K::OptionButton, ctl::Frame7, "Bottom", "Position of the color scale in GE viewer");
    c(ctl::lblClassMethod, K::Label, ctl::Frame7, "Classes");
    c(ctl::cboClassMethod, K::ComboBox, ctl::Frame7, "",
      "A continuous scale, or a few classes of values with one colour each");
    c(ctl::lblClassCount, K::Label, ctl::Frame7, "Number of classes");
    c(ctl::cboClassCount, K::ComboBox, ctl::Frame7, "", "How many classes (3 to 9)");
    c(ctl::chkClassHeight, K::CheckBox, ctl::Frame7, "Height by class",
      "Every place of a class gets the height of the class's largest value");
    // Labels
    c(ctl::Frame3, K::Frame, u"", "Labels");
    c(ctl::Option2_0, K::OptionButton, ctl::Frame3, "Nothing");
    c(ctl::Option2_1, K::OptionButton, ctl::Frame3, "Place name");
    c(ctl::Option2_2, K::OptionButton, ctl::Frame3, "Place value");
    c(ctl::Option2_3, K::OptionButton, ctl::Frame3, "Place name and value");
    c(ctl::Label10, K::Label, ctl::Frame3, "Decimal");
    c(ctl::Combo2, K::ComboBox, ctl::Frame3, "", "Decimal places when display Place's values");
    c(ctl::Label2_1, K::Label, ctl::Frame3, "Font Color");
    c(ctl::Picture1_4, K::PictureBox, ctl::Frame3, "");
    // Grid lines
    c(ctl::Frame1, K::Frame, u"", "Grid");
    c(ctl::chkGrid, K::CheckBox, ctl::Frame1, "Make grid lines");
    c(ctl::Label2_0, K::Label, ctl::Frame1, "Color", "Grid color");
    c(ctl::Picture1_1, K::PictureBox, ctl::Frame1, "");
    // Title
    c(ctl::Frame2, K::Frame, u"", "Title");
    c(ctl::chkSTitle, K::CheckBox, ctl::Frame2, "Show title in GE");
    c(ctl::Text1_0, K::TextBox, ctl::Frame2, "");
    c(ctl::Text1_1, K::TextBox, ctl::Frame2, "");
    c(ctl::comFont, K::CommandButton, ctl::Frame2, "Font");
    c(ctl::comPreviewTitle, K::CommandButton, ctl::Frame2, "Preview Title");
    c(ctl::Picture1_2, K::PictureBox, ctl::Frame2, "");
    c(ctl::Picture1_3, K::PictureBox, ctl::Frame2, "");
    c(ctl::Option6_0, K::OptionButton, ctl::Frame2, "Top", "Position of the title in GE viewer");
    c(ctl::Option6_1, K::OptionButton, ctl::Frame2, "Bottom", "Position of the title in GE viewer");
    // Loose on the window
    c(ctl::chkOpen, K::CheckBox, u"", "Open in GE", "Export the kml file to GE viewer");
    c(ctl::chkNothing, K::CheckBox, u"", "Do nothing (only save as kml)");
    c(ctl::chkFix, K::CheckBox, u"", "Fix shape's draw order",
      "If the  colors are not shown as chosen check here and run again (very slow)");
    c(ctl::chkBmp, K::CheckBox, u"", "Overlays as BMP",
      "Save the title and scale images as BMP instead of PNG");
    c(ctl::Picture2, K::PictureBox, u"", "");
    c(ctl::Label8, K::Label, u"", "X");
    // Place table, status and filter
    c(ctl::Grid1, K::Grid, u"", "");
    c(ctl::Shape1, K::Shape, u"", "");
    c(ctl::Label4, K::Label, u"", "Current file: New File");
    c(ctl::lblNPlaces, K::Label, u"", "N.places: ");
    c(ctl::lblProg, K::Label, u"", "");
    c(ctl::lblShape, K::Label, u"", "Polygon Shape File");
    c(ctl::Label6_0, K::Label, u"", "Filter input file");
    c(ctl::Label6_1, K::Label, u"", "Min");
    c(ctl::Label6_2, K::Label, u"", "Max");
    for (QStringView box :
         {ctl::txtLat_0, ctl::txtLon_0, ctl::txtVal_0, ctl::txtLat_1, ctl::txtLon_1, ctl::txtVal_1})
        c(box, K::TextBox, u"", "");
    c(ctl::ComFilter_0, K::CommandButton, u"", "Filter");
    c(ctl::ComFilter_1, K::CommandButton, u"", "Remove");
    c(ctl::comRow_0, K::CommandButton, u"", "Insert row");
    c(ctl::comRow_1, K::CommandButton, u"", "Delete selected row");
    c(ctl::comRow_2, K::CommandButton, u"", "Paste grid from clipboard");
    c(ctl::comRow_3, K::CommandButton, u"", "Paste values");
    c(ctl::comRow_4, K::CommandButton, u"", "Generate random values");

    // Design-time state: what the readers and ConstR later show or enable
    // starts hidden or disabled.
    for (QStringView n :
         {ctl::Label6_0, ctl::Label6_1, ctl::Label6_2, ctl::lblNPlaces, ctl::chkOpen, ctl::lblShape,
          ctl::chkFix, ctl::Option7_0, ctl::Option7_1, ctl::Option6_0, ctl::Option6_1, ctl::Shape1})
        at(n).visible = false;
    for (QStringView n :
         {ctl::txtLat_0, ctl::txtLon_0, ctl::txtVal_0, ctl::txtLat_1, ctl::txtLon_1, ctl::txtVal_1,
          ctl::ComFilter_0, ctl::ComFilter_1, ctl::comRow_0, ctl::comRow_1, ctl::comRow_2})
        at(n).enabled = false;
    at(ctl::chkOutlineCS).value = 1;
    at(ctl::chkFillCS).value = 1;
    at(ctl::TxtCircRaio).text = QStringLiteral("1");
    at(ctl::txtHeightPoly).text = QStringLiteral("1");
    at(ctl::txtHeightFixed).text = QStringLiteral("0");
    at(ctl::txtcsMAX).text = QStringLiteral("100");
    at(ctl::Picture1_1).backColor = 0xFFFFFF; // grid lines white
    at(ctl::Picture1_2).backColor = 0x000000; // title text black
    at(ctl::Picture1_3).backColor = 0xFFFFFF; // title background white
    at(ctl::Picture1_4).backColor = 0xFFFFFF; // label text white
    at(ctl::Picture1_6).backColor = 0x0000FF; // fill red
    at(ctl::Picture1_7).backColor = 0x000000; // outline black
    titleFont_ = FontChoice{QStringLiteral("Arial"), 8.25, false, false, false};
}

void FormModel::add(Control c) {
    controls_.push_back(std::move(c));
}

bool FormModel::has(QStringView name) const {
    for (const Control& c : controls_)
        if (c.name == name)
            return true;
    return false;
}

const Control& FormModel::control(QStringView name) const {
    for (const Control& c : controls_)
        if (c.name == name)
            return c;
    throw RuntimeError(ErrSubscript);
}

Control& FormModel::at(QStringView name) {
    return const_cast<Control&>(control(name));
}

QStringList FormModel::controlNames() const {
    QStringList names;
    for (const Control& c : controls_)
        names << c.name;
    return names;
}

void FormModel::notify(const QString& name) {
    for (const Listener& l : listeners_)
        l(name);
}

void FormModel::setText(QStringView name, const QString& text) {
    at(name).text = text;
    notify(name.toString());
}

void FormModel::setCaption(QStringView name, const QString& caption) {
    at(name).caption = caption;
    notify(name.toString());
}

void FormModel::setVisible(QStringView name, bool visible) {
    at(name).visible = visible;
    notify(name.toString());
}

void FormModel::setEnabled(QStringView name, bool enabled) {
    at(name).enabled = enabled;
    notify(name.toString());
}

void FormModel::setBackColor(QStringView name, Rgb color) {
    at(name).backColor = color;
    notify(name.toString());
}

void FormModel::setBorderStyle(QStringView name, int style) {
    at(name).borderStyle = style;
    notify(name.toString());
}

void FormModel::setList(QStringView name, const QStringList& items) {
    Control& c = at(name);
    c.list = items;
    c.listIndex = -1;
    notify(c.name);
}

void FormModel::setListIndex(QStringView name, int index) {
    Control& c = at(name);
    if (index < -1 || index >= c.list.size())
        throw RuntimeError(ErrInvalidCall);
    c.listIndex = index;
    if (index >= 0)
        c.text = c.list[index];
    notify(c.name);
}

void FormModel::setTitleFont(const FontChoice& f) {
    titleFont_ = f;
    notify(ctl::Picture2.toString());
}

void FormModel::requestFocus(QStringView name) {
    focusRequest_ = name.toString();
    notify(focusRequest_);
}

void FormModel::show(std::initializer_list<QStringView> names, bool visible) {
    for (QStringView n : names)
        setVisible(n, visible);
}

void FormModel::runHandler(const QString& procedure, const std::function<void()>& body) {
    runProcedure(ui_, Procedure{procedure}, body);
}

// --- start-up -------------------------------------------------------------

void FormModel::startUp() {
    setCaption(ctl::Frame8, QStringLiteral("Size"));
    setVisible(ctl::chkOpen, true);
    colorScaleChoice_ = 1;
    setCaption(ctl::lblSelected, QStringLiteral("Selected: 1"));
    titleFont_ = FontChoice{QStringLiteral("Arial"), 20, true, false, false};
    notify(ctl::Picture2.toString());

    QStringList decimals;
    for (int i = 0; i <= 8; ++i)
        decimals << QString::number(i);
    setList(ctl::Combo2, decimals);
    editText(ctl::Combo2, QStringLiteral("2"));
    setList(ctl::Combo1, {"3", "4", "5", "6", "10", "20", "30", "40", "50"});
    editText(ctl::Combo1, QStringLiteral("4"));
    setList(ctl::Combo3, unitList);
    setText(ctl::Combo3, QStringLiteral("Unit"));
    setList(ctl::Combo4, unitList);
    setText(ctl::Combo4, QStringLiteral("Unit"));

    clickOption(ctl::Option3_0);
    clickOption(ctl::Option4_0);
    clickOption(ctl::Option5_0);

    setList(ctl::cboClassMethod, classMethodList);
    pickListItem(ctl::cboClassMethod, 0);
    QStringList counts;
    for (int n = kMinClassCount; n <= kMaxClassCount; ++n)
        counts << QString::number(n);
    setList(ctl::cboClassCount, counts);
    pickListItem(ctl::cboClassCount, 5 - kMinClassCount);
}

// --- the person's actions ---------------------------------------------------

void FormModel::clickOption(QStringView name) {
    Control& chosen = at(name);
    if (chosen.kind != ControlKind::OptionButton)
        throw RuntimeError(ErrTypeMismatch);
    const QString group = optionGroup(name);
    for (Control& c : controls_)
        if (c.kind == ControlKind::OptionButton && optionGroup(c.name) == group && c.value != 0 &&
            c.name != chosen.name) {
            c.value = 0;
            notify(c.name);
        }
    chosen.value = 1;
    notify(chosen.name);
    onOptionClick(chosen.name);
}

void FormModel::clearOption(QStringView name) {
    at(name).value = 0;
    notify(name.toString());
}

void FormModel::setCheck(QStringView name, int value) {
    Control& c = at(name);
    if (value < 0 || value > 2)
        throw RuntimeError(ErrInvalidCall);
    if (c.value == value)
        return;
    c.value = value;
    notify(c.name);
    onCheckClick(c.name);
}

void FormModel::editText(QStringView name, const QString& text) {
    setText(name, text);
    if (name == ctl::Combo1) {
        runHandler(QStringLiteral("Combo1_Change"), [this, text] {
            if (!isNumber(text)) {
                editText(ctl::Combo1, QStringLiteral("20"));
                return;
            }
            if (readNumber(text) <= 1)
                ui_.messageBox(QStringLiteral("Number of sides invalid.\r\n\r\n1 segment => nothing\r\n"
                                              "2 segments => diagonal line\r\n3 segments => triangles\r\n"
                                              "4 segments => squares\r\n5 segments => pentagon\r\n....\r\n"
                                              "50 segments => almost a circle"),
                               QStringLiteral("Segments"), MsgIcon::Exclamation);
        });
    } else if (name == ctl::Combo2) {
        runHandler(QStringLiteral("Combo2_Change"), [this, text] {
            if (!isNumber(text))
                editText(ctl::Combo2, QStringLiteral("2"));
        });
    }
}

void FormModel::pickListItem(QStringView name, int index) {
    const QString procedure = name.toString() + QStringLiteral("_Click");
    runHandler(procedure, [&] {
        setListIndex(name, index);
        if (name == ctl::Combo3)
            sizeUnitFactor_ = sizeFactorOf(index);
        else if (name == ctl::Combo4)
            heightUnitFactor_ = heightFactorOf(index);
        else if (name == ctl::cboClassMethod)
            for (QStringView classOption : {ctl::cboClassCount, ctl::chkClassHeight})
                setEnabled(classOption, index > 0);
    });
}

void FormModel::clickControl(QStringView name) {
    onPictureClick(name.toString());
}

void FormModel::clickFont() {
    runHandler(QStringLiteral("comFont_Click"), [this] {
        if (std::optional<FontChoice> f = ui_.fontDialog(QStringLiteral("Select Font"), titleFont_))
            setTitleFont(*f);
    });
}

// --- handlers ---------------------------------------------------------------

void FormModel::onOptionClick(const QString& name) {
    const QString group = optionGroup(name);
    runHandler(group + QStringLiteral("_Click"), [&] {
        if (name == ctl::Option1_0) {
            show({ctl::Frame12, ctl::Frame13}, false);
        } else if (name == ctl::Option1_1) {
            show({ctl::Frame11, ctl::Frame12, ctl::Frame13}, true);
        } else if (name == ctl::Option3_0 || name == ctl::Option3_1) {
            const bool variable = name == ctl::Option3_0;
            if (isSet(ctl::Option1_1))
                show({ctl::Label5, ctl::Combo1}, true);
            show({ctl::chKAutoCircleSize, ctl::Label1_5, ctl::TxtCircRaio}, variable);
            show({ctl::Label1_7, ctl::txtRaio, ctl::Label1_8, ctl::Combo3}, !variable);
            if (!variable)
                setCheck(ctl::chKAutoCircleSize, 0);
            setVisible(ctl::Frame10, true);
        } else if (name == ctl::Option5_0 || name == ctl::Option5_1) {
            const bool variable = name == ctl::Option5_0;
            show({ctl::chkAutom, ctl::Label1_13, ctl::txtHeightPoly, ctl::Label1_0, ctl::txtHeightFixed},
                 variable);
            show({ctl::Label1_12, ctl::txtHeight, ctl::Label1_11, ctl::Combo4}, !variable);
            if (!variable)
                setCheck(ctl::chkAutom, 0);
            setVisible(ctl::Frame12, true);
        } else if (name == ctl::Option4_0) {
            setVisible(ctl::chkFillCS, false);
            setCheck(ctl::chkFillCS, 0);
            show({ctl::Label1_4, ctl::Picture1_6}, false);
            show({ctl::Frame7, ctl::Frame6}, true);
        } else if (name == ctl::Option4_1) {
            show({ctl::chkFillCS, ctl::Label1_4, ctl::Picture1_6}, true);
            setVisible(ctl::Frame7, false);
            setVisible(ctl::Frame6, true);
        }
        if (group == ctl::Option1) {
            if (!isShapeMode())
                show({ctl::Frame1, ctl::Frame2, ctl::Frame3}, true);
            setCheck(ctl::chkNothing, 0);
            setVisible(ctl::chkOpen, true);
        }
    });
}

void FormModel::onCheckClick(const QString& name) {
    const bool ticked = value(name) == 1;
    QString procedure = name + QStringLiteral("_Click");
    if (name == ctl::chkOutlineCS)
        procedure = QStringLiteral("chkoutlinecs_Click");
    else if (name == ctl::chkFillCS)
        procedure = QStringLiteral("chkfillcs_Click");
    runHandler(procedure, [&] {
        if (name == ctl::chkOutlineCS) {
            setVisible(ctl::Picture1_7, ticked);
            if (!ticked)
                setCheck(ctl::chkFillCS, 1);
        } else if (name == ctl::chkFillCS) {
            setVisible(ctl::Picture1_6, ticked);
            if (!ticked)
                setCheck(ctl::chkOutlineCS, 1);
        } else if (name == ctl::chkLog && ticked) {
            setCheck(ctl::chkSqr, 0);
        } else if (name == ctl::chkSqr && ticked) {
            setCheck(ctl::chkLog, 0);
        } else if (name == ctl::chKAutoCircleSize) {
            setEnabled(ctl::TxtCircRaio, !ticked);
        } else if (name == ctl::chkAutom) {
            for (QStringView box : {ctl::txtHeightPoly, ctl::txtHeightFixed, ctl::TxtCircRaio})
                setEnabled(box, !ticked);
        } else if (name == ctl::autoColoScale) {
            setEnabled(ctl::txtcsMIN, !ticked);
            setEnabled(ctl::txtcsMAX, !ticked);
        } else if (name == ctl::chKCScale) {
            show({ctl::Option7_0, ctl::Option7_1}, ticked);
        } else if (name == ctl::chkSTitle) {
            if (ticked) {
                if (text(ctl::Text1_0).isEmpty() && text(ctl::Text1_1).isEmpty()) {
                    ui_.messageBox(QStringLiteral("You title is empty!"), QStringLiteral("Warning"),
                                   MsgIcon::Exclamation);
                    setCheck(ctl::chkSTitle, 0);
                    return;
                }
                if (buildTitle)
                    buildTitle();
            }
            show({ctl::Option6_0, ctl::Option6_1}, isChecked(ctl::chkSTitle));
        } else if (name == ctl::chkNothing) {
            if (ticked)
                show({ctl::Option1_0, ctl::Option1_1, ctl::Frame1, ctl::Frame2, ctl::Frame3, ctl::Frame6,
                      ctl::Frame7, ctl::Frame8, ctl::Frame9, ctl::Frame10, ctl::Frame11, ctl::Frame12,
                      ctl::Frame13, ctl::Label5, ctl::Combo1},
                     false);
            else if (value(ctl::chkNothing) == 0)
                onNothingCleared();
        }
    });
}

void FormModel::onNothingCleared() {
    show({ctl::Option1_0, ctl::Option1_1, ctl::Frame1, ctl::Frame2, ctl::Frame3, ctl::Frame6, ctl::Frame7,
          ctl::Frame8, ctl::Frame9, ctl::Frame10, ctl::Frame11, ctl::Frame12, ctl::Frame13, ctl::Label5,
          ctl::Combo1},
         true);
    if (isSet(ctl::Option1_0))
        show({ctl::Frame12, ctl::Frame13}, false);
    if (isShapeMode())
        showPolygon();
}

void FormModel::onPictureClick(const QString& name) {
    if (ctl::isElementOf(name, ctl::Picture1)) {
        runHandler(QStringLiteral("Picture1_Click"), [&] {
            if (std::optional<Rgb> color = ui_.colorDialog(backColor(name)))
                setBackColor(name, *color);
        });
    } else if (ctl::isElementOf(name, ctl::Image2)) {
        runHandler(QStringLiteral("Image2_Click"), [&] {
            const int index = ctl::elementIndex(name, ctl::Image2);
            for (int i = 0; i < 7; ++i)
                setBorderStyle(ctl::element(ctl::Image2, i), i == index ? 1 : 0);
            setBorderStyle(ctl::Picture4, 0);
            colorScaleChoice_ = index + 1;
            setCaption(ctl::lblSelected, QStringLiteral("Selected: %1").arg(index + 1));
        });
    } else if (name == ctl::Picture4) {
        colorScaleChoice_ = 0;
        setCaption(ctl::lblSelected, QStringLiteral("Selected: 8"));
    } else if (name == ctl::Label8) {
        setVisible(ctl::Picture2, false);
    } else {
        throw RuntimeError(ErrInvalidCall);
    }
}

// --- shape layout -------------------------------------------------------------

void FormModel::showPolygon() {
    show({ctl::Label5, ctl::Combo1, ctl::Frame8, ctl::Frame10, ctl::txtLat_0, ctl::txtLon_0, ctl::txtVal_0,
          ctl::txtLat_1, ctl::txtLon_1, ctl::txtVal_1, ctl::ComFilter_0, ctl::ComFilter_1, ctl::Label6_1,
          ctl::Label6_2, ctl::comRow_0, ctl::comRow_1, ctl::comRow_2},
         false);
    setCaption(ctl::Label6_0, QStringLiteral("Shape File"));
    show({ctl::lblShape, ctl::chkFix}, true);
}

void FormModel::showNormal() {
    show({ctl::Label5, ctl::Combo1, ctl::Frame8, ctl::txtLat_0, ctl::txtLon_0, ctl::txtVal_0, ctl::txtLat_1,
          ctl::txtLon_1, ctl::txtVal_1, ctl::ComFilter_0, ctl::ComFilter_1, ctl::Label6_1, ctl::Label6_2,
          ctl::comRow_0, ctl::comRow_1, ctl::comRow_2},
         true);
    setCaption(ctl::Label6_0, QStringLiteral("Filter input file"));
    show({ctl::lblShape, ctl::chkFix}, false);
}

} // namespace kartello
