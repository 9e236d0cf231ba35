#include "form/FormModel.h"

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
    auto c = [this](const char* name, K kind, const char* container, const char* caption,
                    const char* toolTip = "") {
        Control ctl;
        ctl.name = QString::fromUtf8(name);
        ctl.kind = kind;
        ctl.container = QString::fromUtf8(container);
        ctl.caption = QString::fromUtf8(caption);
        ctl.toolTip = QString::fromUtf8(toolTip);
        add(std::move(ctl));
    };
    // Graph type
    c("Frame5", K::Frame, "", "Graph Type");
    c("Option1_0", K::OptionButton, "Frame5", "Flat", "Flat polygon (clamped to ground)");
    c("Option1_1", K::OptionButton, "Frame5", "3D polygon");
    c("Label5", K::Label, "Frame5", "Polygon sides");
    c("Combo1", K::ComboBox, "Frame5", "",
      "Polygon sides (3-triangle, 4 square, 5 pentagon,... > 20 circle)");
    // Size
    c("Frame8", K::Frame, "", "Size");
    c("Option3_0", K::OptionButton, "Frame8", "According to value", "Variable polygon size");
    c("Option3_1", K::OptionButton, "Frame8", "Constant", "Constant polygon size");
    c("Frame10", K::Frame, "", "Size");
    c("chKAutoCircleSize", K::CheckBox, "Frame10", "Automatic scale",
      "The application choose the size factor");
    c("Label1_5", K::Label, "Frame10", "Size factor");
    c("TxtCircRaio", K::TextBox, "Frame10", "");
    c("Label1_7", K::Label, "Frame10", "Size",
      "Distance from the center to one vertex of the polygon or radius of the circle");
    c("txtRaio", K::TextBox, "Frame10", "");
    c("Label1_8", K::Label, "Frame10", "Unit");
    c("Combo3", K::ComboBox, "Frame10", "");
    // Height
    c("Frame13", K::Frame, "", "Height");
    c("Option5_0", K::OptionButton, "Frame13", "According to value", "Variable polygon height");
    c("Option5_1", K::OptionButton, "Frame13", "Constant", "Constant polygon height");
    c("Frame12", K::Frame, "", "Height");
    c("chkAutom", K::CheckBox, "Frame12", "Automatic scale",
      "The application choose the height factor and altitute to add");
    c("Label1_13", K::Label, "Frame12", "Height factor");
    c("txtHeightPoly", K::TextBox, "Frame12", "");
    c("Label1_0", K::Label, "Frame12", "Altitude to add",
      "Constant altitude added to each polygon to fix the color fill");
    c("txtHeightFixed", K::TextBox, "Frame12", "");
    c("Label1_12", K::Label, "Frame12", "Height",
      "Height of the polygon (z axis) - overwrite the value parameter of the grid");
    c("txtHeight", K::TextBox, "Frame12", "");
    c("Label1_11", K::Label, "Frame12", "Unit");
    c("Combo4", K::ComboBox, "Frame12", "");
    // Value transform
    c("Frame11", K::Frame, "", "Value Transform");
    c("chkSqr", K::CheckBox, "Frame11", "Sqr (value+1)");
    c("chkLog", K::CheckBox, "Frame11", "Log (value+1)");
    // Colour
    c("Frame9", K::Frame, "", "Color");
    c("Option4_0", K::OptionButton, "Frame9", "According to value", "Variable fill color");
    c("Option4_1", K::OptionButton, "Frame9", "Constant", "Constant fill colors");
    c("Frame6", K::Frame, "", "Color");
    c("chkOutlineCS", K::CheckBox, "Frame6", "Outline", "Outline color");
    c("Picture1_7", K::PictureBox, "Frame6", "");
    c("Label1_6", K::Label, "Frame6", "Line  Color");
    c("chkFillCS", K::CheckBox, "Frame6", "Fill", "Constant fill color");
    c("Picture1_6", K::PictureBox, "Frame6", "");
    c("Label1_4", K::Label, "Frame6", "Fill Color");
    // Colour scale
    c("Frame7", K::Frame, "", "Color scale");
    for (int i = 0; i < 7; ++i)
        c(QStringLiteral("Image2_%1").arg(i).toUtf8().constData(), K::Image, "Frame7", "",
          "Click to choose the color scale");
    c("Image1_0", K::Image, "Frame7", "", "Slect the light and dark colors of the scale and click ok");
    c("Image1_1", K::Image, "Frame7", "", "Slect the light and dark colors of the scale and click ok");
    c("Label11_0", K::Label, "Frame7", "Light");
    c("Label11_1", K::Label, "Frame7", "Dark");
    c("Label12", K::Label, "Frame7", "Custom color scale");
    c("comCustomColor", K::CommandButton, "Frame7", "ok");
    c("Picture4", K::PictureBox, "Frame7", "");
    c("lblSelected", K::Label, "Frame7", "Selected: 1");
    c("txtcsMAX", K::TextBox, "Frame7", "", "Enter the maximum and minimum value for the color scale");
    c("txtcsMIN", K::TextBox, "Frame7", "", "Enter the maximum and minimum value for the color scale");
    c("autoColoScale", K::CheckBox, "Frame7", "Automatic scale",
      "The application choose the maximum and minimum values of the color scale");
    c("chKCScale", K::CheckBox, "Frame7", "Show scale in GE",
      "The color scale will be shown in the GE viewer");
    c("Option7_0", K::OptionButton, "Frame7", "Top", "Position of the color scale in GE viewer");
    c("Option7_1", K::OptionButton, "Frame7", "Bottom", "Position of the color scale in GE viewer");
    c("lblClassMethod", K::Label, "Frame7", "Classes");
    c("cboClassMethod", K::ComboBox, "Frame7", "",
      "A continuous scale, or a few classes of values with one colour each");
    c("lblClassCount", K::Label, "Frame7", "Number of classes");
    c("cboClassCount", K::ComboBox, "Frame7", "", "How many classes (3 to 9)");
    c("chkClassHeight", K::CheckBox, "Frame7", "Height by class",
      "Every place of a class gets the height of the class's largest value");
    // Labels
    c("Frame3", K::Frame, "", "Labels");
    c("Option2_0", K::OptionButton, "Frame3", "Nothing");
    c("Option2_1", K::OptionButton, "Frame3", "Place name");
    c("Option2_2", K::OptionButton, "Frame3", "Place value");
    c("Option2_3", K::OptionButton, "Frame3", "Place name and value");
    c("Label10", K::Label, "Frame3", "Decimal");
    c("Combo2", K::ComboBox, "Frame3", "", "Decimal places when display Place's values");
    c("Label2_1", K::Label, "Frame3", "Font Color");
    c("Picture1_4", K::PictureBox, "Frame3", "");
    // Grid lines
    c("Frame1", K::Frame, "", "Grid");
    c("chkGrid", K::CheckBox, "Frame1", "Make grid lines");
    c("Label2_0", K::Label, "Frame1", "Color", "Grid color");
    c("Picture1_1", K::PictureBox, "Frame1", "");
    // Title
    c("Frame2", K::Frame, "", "Title");
    c("chkSTitle", K::CheckBox, "Frame2", "Show title in GE");
    c("Text1_0", K::TextBox, "Frame2", "");
    c("Text1_1", K::TextBox, "Frame2", "");
    c("comFont", K::CommandButton, "Frame2", "Font");
    c("comPreviewTitle", K::CommandButton, "Frame2", "Preview Title");
    c("Picture1_2", K::PictureBox, "Frame2", "");
    c("Picture1_3", K::PictureBox, "Frame2", "");
    c("Option6_0", K::OptionButton, "Frame2", "Top", "Position of the title in GE viewer");
    c("Option6_1", K::OptionButton, "Frame2", "Bottom", "Position of the title in GE viewer");
    // Loose on the window
    c("chkOpen", K::CheckBox, "", "Open in GE", "Export the kml file to GE viewer");
    c("chkNothing", K::CheckBox, "", "Do nothing (only save as kml)");
    c("chkFix", K::CheckBox, "", "Fix shape's draw order",
      "If the  colors are not shown as chosen check here and run again (very slow)");
    c("chkBmp", K::CheckBox, "", "Overlays as BMP", "Save the title and scale images as BMP instead of PNG");
    c("Picture2", K::PictureBox, "", "");
    c("Label8", K::Label, "", "X");
    // Place table, status and filter
    c("Grid1", K::Grid, "", "");
    c("Shape1", K::Shape, "", "");
    c("Label4", K::Label, "", "Current file: New File");
    c("lblNPlaces", K::Label, "", "N.places: ");
    c("lblProg", K::Label, "", "");
    c("lblShape", K::Label, "", "Polygon Shape File");
    c("Label6_0", K::Label, "", "Filter input file");
    c("Label6_1", K::Label, "", "Min");
    c("Label6_2", K::Label, "", "Max");
    for (const char* box : {"txtLat_0", "txtLon_0", "txtVal_0", "txtLat_1", "txtLon_1", "txtVal_1"})
        c(box, K::TextBox, "", "");
    c("ComFilter_0", K::CommandButton, "", "Filter");
    c("ComFilter_1", K::CommandButton, "", "Remove");
    c("comRow_0", K::CommandButton, "", "Insert row");
    c("comRow_1", K::CommandButton, "", "Delete selected row");
    c("comRow_2", K::CommandButton, "", "Paste grid from clipboard");
    c("comRow_3", K::CommandButton, "", "Paste values");
    c("comRow_4", K::CommandButton, "", "Generate random values");

    // Design-time state: what the readers and ConstR later show or enable
    // starts hidden or disabled.
    for (const char* n : {"Label6_0", "Label6_1", "Label6_2", "lblNPlaces", "chkOpen", "lblShape", "chkFix",
                          "Option7_0", "Option7_1", "Option6_0", "Option6_1", "Shape1"})
        at(QString::fromLatin1(n)).visible = false;
    for (const char* n : {"txtLat_0", "txtLon_0", "txtVal_0", "txtLat_1", "txtLon_1", "txtVal_1",
                          "ComFilter_0", "ComFilter_1", "comRow_0", "comRow_1", "comRow_2"})
        at(QString::fromLatin1(n)).enabled = false;
    at(u"chkOutlineCS").value = 1;
    at(u"chkFillCS").value = 1;
    at(u"TxtCircRaio").text = QStringLiteral("1");
    at(u"txtHeightPoly").text = QStringLiteral("1");
    at(u"txtHeightFixed").text = QStringLiteral("0");
    at(u"txtcsMAX").text = QStringLiteral("100");
    at(u"Picture1_1").backColor = 0xFFFFFF; // grid lines white
    at(u"Picture1_2").backColor = 0x000000; // title text black
    at(u"Picture1_3").backColor = 0xFFFFFF; // title background white
    at(u"Picture1_4").backColor = 0xFFFFFF; // label text white
    at(u"Picture1_6").backColor = 0x0000FF; // fill red
    at(u"Picture1_7").backColor = 0x000000; // outline black
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
    notify(QStringLiteral("Picture2"));
}

void FormModel::requestFocus(QStringView name) {
    focusRequest_ = name.toString();
    notify(focusRequest_);
}

void FormModel::show(std::initializer_list<const char*> names, bool visible) {
    for (const char* n : names)
        setVisible(QString::fromLatin1(n), visible);
}

void FormModel::runHandler(const QString& procedure, const std::function<void()>& body) {
    runProcedure(ui_, Procedure{procedure}, body);
}

// --- start-up -------------------------------------------------------------

void FormModel::startUp() {
    setCaption(u"Frame8", QStringLiteral("Size"));
    setVisible(u"chkOpen", true);
    colorScaleChoice_ = 1;
    setCaption(u"lblSelected", QStringLiteral("Selected: 1"));
    titleFont_ = FontChoice{QStringLiteral("Arial"), 20, true, false, false};
    notify(QStringLiteral("Picture2"));

    QStringList decimals;
    for (int i = 0; i <= 8; ++i)
        decimals << QString::number(i);
    setList(u"Combo2", decimals);
    editText(u"Combo2", QStringLiteral("2"));
    setList(u"Combo1", {"3", "4", "5", "6", "10", "20", "30", "40", "50"});
    editText(u"Combo1", QStringLiteral("4"));
    setList(u"Combo3", unitList);
    setText(u"Combo3", QStringLiteral("Unit"));
    setList(u"Combo4", unitList);
    setText(u"Combo4", QStringLiteral("Unit"));

    clickOption(u"Option3_0");
    clickOption(u"Option4_0");
    clickOption(u"Option5_0");

    setList(u"cboClassMethod", classMethodList);
    pickListItem(u"cboClassMethod", 0);
    QStringList counts;
    for (int n = kMinClassCount; n <= kMaxClassCount; ++n)
        counts << QString::number(n);
    setList(u"cboClassCount", counts);
    pickListItem(u"cboClassCount", 5 - kMinClassCount);
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
    if (name == u"Combo1") {
        runHandler(QStringLiteral("Combo1_Change"), [this, text] {
            if (!isNumber(text)) {
                editText(u"Combo1", QStringLiteral("20"));
                return;
            }
            if (readNumber(text) <= 1)
                ui_.messageBox(QStringLiteral("Number of sides invalid.\r\n\r\n1 segment => nothing\r\n"
                                              "2 segments => diagonal line\r\n3 segments => triangles\r\n"
                                              "4 segments => squares\r\n5 segments => pentagon\r\n....\r\n"
                                              "50 segments => almost a circle"),
                               QStringLiteral("Segments"), MsgIcon::Exclamation);
        });
    } else if (name == u"Combo2") {
        runHandler(QStringLiteral("Combo2_Change"), [this, text] {
            if (!isNumber(text))
                editText(u"Combo2", QStringLiteral("2"));
        });
    }
}

void FormModel::pickListItem(QStringView name, int index) {
    const QString procedure = name.toString() + QStringLiteral("_Click");
    runHandler(procedure, [&] {
        setListIndex(name, index);
        if (name == u"Combo3")
            sizeUnitFactor_ = sizeFactorOf(index);
        else if (name == u"Combo4")
            heightUnitFactor_ = heightFactorOf(index);
        else if (name == u"cboClassMethod")
            for (const char16_t* classOption : {u"cboClassCount", u"chkClassHeight"})
                setEnabled(QStringView(classOption), index > 0);
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
        if (name == u"Option1_0") {
            show({"Frame12", "Frame13"}, false);
        } else if (name == u"Option1_1") {
            show({"Frame11", "Frame12", "Frame13"}, true);
        } else if (name == u"Option3_0" || name == u"Option3_1") {
            const bool variable = name == u"Option3_0";
            if (isSet(u"Option1_1"))
                show({"Label5", "Combo1"}, true);
            show({"chKAutoCircleSize", "Label1_5", "TxtCircRaio"}, variable);
            show({"Label1_7", "txtRaio", "Label1_8", "Combo3"}, !variable);
            if (!variable)
                setCheck(u"chKAutoCircleSize", 0);
            setVisible(u"Frame10", true);
        } else if (name == u"Option5_0" || name == u"Option5_1") {
            const bool variable = name == u"Option5_0";
            show({"chkAutom", "Label1_13", "txtHeightPoly", "Label1_0", "txtHeightFixed"}, variable);
            show({"Label1_12", "txtHeight", "Label1_11", "Combo4"}, !variable);
            if (!variable)
                setCheck(u"chkAutom", 0);
            setVisible(u"Frame12", true);
        } else if (name == u"Option4_0") {
            setVisible(u"chkFillCS", false);
            setCheck(u"chkFillCS", 0);
            show({"Label1_4", "Picture1_6"}, false);
            show({"Frame7", "Frame6"}, true);
        } else if (name == u"Option4_1") {
            show({"chkFillCS", "Label1_4", "Picture1_6"}, true);
            setVisible(u"Frame7", false);
            setVisible(u"Frame6", true);
        }
        if (group == u"Option1") {
            if (!isShapeMode())
                show({"Frame1", "Frame2", "Frame3"}, true);
            setCheck(u"chkNothing", 0);
            setVisible(u"chkOpen", true);
        }
    });
}

void FormModel::onCheckClick(const QString& name) {
    const bool ticked = value(name) == 1;
    QString procedure = name + QStringLiteral("_Click");
    if (name == u"chkOutlineCS")
        procedure = QStringLiteral("chkoutlinecs_Click");
    else if (name == u"chkFillCS")
        procedure = QStringLiteral("chkfillcs_Click");
    runHandler(procedure, [&] {
        if (name == u"chkOutlineCS") {
            setVisible(u"Picture1_7", ticked);
            if (!ticked)
                setCheck(u"chkFillCS", 1);
        } else if (name == u"chkFillCS") {
            setVisible(u"Picture1_6", ticked);
            if (!ticked)
                setCheck(u"chkOutlineCS", 1);
        } else if (name == u"chkLog" && ticked) {
            setCheck(u"chkSqr", 0);
        } else if (name == u"chkSqr" && ticked) {
            setCheck(u"chkLog", 0);
        } else if (name == u"chKAutoCircleSize") {
            setEnabled(u"TxtCircRaio", !ticked);
        } else if (name == u"chkAutom") {
            for (const char* box : {"txtHeightPoly", "txtHeightFixed", "TxtCircRaio"})
                setEnabled(QString::fromLatin1(box), !ticked);
        } else if (name == u"autoColoScale") {
            setEnabled(u"txtcsMIN", !ticked);
            setEnabled(u"txtcsMAX", !ticked);
        } else if (name == u"chKCScale") {
            show({"Option7_0", "Option7_1"}, ticked);
        } else if (name == u"chkSTitle") {
            if (ticked) {
                if (text(u"Text1_0").isEmpty() && text(u"Text1_1").isEmpty()) {
                    ui_.messageBox(QStringLiteral("You title is empty!"), QStringLiteral("Warning"),
                                   MsgIcon::Exclamation);
                    setCheck(u"chkSTitle", 0);
                    return;
                }
                if (buildTitle)
                    buildTitle();
            }
            show({"Option6_0", "Option6_1"}, value(u"chkSTitle") == 1);
        } else if (name == u"chkNothing") {
            if (ticked)
                show({"Option1_0", "Option1_1", "Frame1", "Frame2", "Frame3", "Frame6", "Frame7", "Frame8",
                      "Frame9", "Frame10", "Frame11", "Frame12", "Frame13", "Label5", "Combo1"},
                     false);
            else if (value(u"chkNothing") == 0)
                onNothingCleared();
        }
    });
}

void FormModel::onNothingCleared() {
    show({"Option1_0", "Option1_1", "Frame1", "Frame2", "Frame3", "Frame6", "Frame7", "Frame8", "Frame9",
          "Frame10", "Frame11", "Frame12", "Frame13", "Label5", "Combo1"},
         true);
    if (isSet(u"Option1_0"))
        show({"Frame12", "Frame13"}, false);
    if (isShapeMode())
        showPolygon();
}

void FormModel::onPictureClick(const QString& name) {
    if (name.startsWith(u"Picture1_")) {
        runHandler(QStringLiteral("Picture1_Click"), [&] {
            if (std::optional<Rgb> color = ui_.colorDialog(backColor(name)))
                setBackColor(name, *color);
        });
    } else if (name.startsWith(u"Image2_")) {
        runHandler(QStringLiteral("Image2_Click"), [&] {
            const int index = name.mid(7).toInt();
            for (int i = 0; i < 7; ++i)
                setBorderStyle(QStringLiteral("Image2_%1").arg(i), i == index ? 1 : 0);
            setBorderStyle(u"Picture4", 0);
            colorScaleChoice_ = index + 1;
            setCaption(u"lblSelected", QStringLiteral("Selected: %1").arg(index + 1));
        });
    } else if (name == u"Picture4") {
        colorScaleChoice_ = 0;
        setCaption(u"lblSelected", QStringLiteral("Selected: 8"));
    } else if (name == u"Label8") {
        setVisible(u"Picture2", false);
    } else {
        throw RuntimeError(ErrInvalidCall);
    }
}

// --- shape layout -------------------------------------------------------------

void FormModel::showPolygon() {
    show({"Label5", "Combo1", "Frame8", "Frame10", "txtLat_0", "txtLon_0", "txtVal_0", "txtLat_1", "txtLon_1",
          "txtVal_1", "ComFilter_0", "ComFilter_1", "Label6_1", "Label6_2", "comRow_0", "comRow_1",
          "comRow_2"},
         false);
    setCaption(u"Label6_0", QStringLiteral("Shape File"));
    show({"lblShape", "chkFix"}, true);
}

void FormModel::showNormal() {
    show({"Label5", "Combo1", "Frame8", "txtLat_0", "txtLon_0", "txtVal_0", "txtLat_1", "txtLon_1",
          "txtVal_1", "ComFilter_0", "ComFilter_1", "Label6_1", "Label6_2", "comRow_0", "comRow_1",
          "comRow_2"},
         true);
    setCaption(u"Label6_0", QStringLiteral("Filter input file"));
    show({"lblShape", "chkFix"}, false);
}

} // namespace kartello
