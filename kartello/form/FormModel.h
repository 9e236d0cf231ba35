#pragma once
// The controls of the main window Main as a headless model: every control the
// logic reads or changes, looked up by its control name ("Option4_1" for
// Option4(1), "Combo2", "Frame8"; the logic uses the constants of
// form/ControlNames.h). The option handlers are methods here; the Qt window
// only mirrors this model and forwards the person's clicks to it.
#include "runtime/Ui.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kartello {

// The class counts cboClassCount offers.
inline constexpr int kMinClassCount = 3;
inline constexpr int kMaxClassCount = 9;

enum class ControlKind {
    Frame,
    Label,
    TextBox,
    CheckBox,
    OptionButton,
    ComboBox,
    PictureBox,
    Image,
    CommandButton,
    Shape,
    Grid
};

struct Control {
    QString name; // "Option1_0"
    ControlKind kind;
    QString container; // frame holding it, "" for the window itself
    QString caption;
    QString text; // text boxes and the edit part of combo boxes
    QString toolTip;
    int value = 0;    // check box 0/1/2; option button 0/1
    QStringList list; // combo box items
    int listIndex = -1;
    bool visible = true; // the control's own flag: a control in a hidden frame still reads visible
    bool enabled = true;
    Rgb backColor = 0xFFFFFF;
    int borderStyle = 0;
};

class FormModel {
public:
    using Listener = std::function<void(const QString& controlName)>;

    explicit FormModel(Ui& ui);

    // Form_Load steps 1 to 7: captions, lists, defaults and the three
    // "According to value" options. Step 8 (settings file, decimal guard)
    // belongs to the session.
    void startUp();

    // --- lookup and plain properties (no handlers run) ---
    bool has(QStringView name) const;
    const Control& control(QStringView name) const; // RuntimeError 9 for an unknown name
    QStringList controlNames() const;

    QString text(QStringView name) const { return control(name).text; }
    QString caption(QStringView name) const { return control(name).caption; }
    int value(QStringView name) const { return control(name).value; }
    bool isSet(QStringView name) const { return control(name).value != 0; }
    // A check box that is checked (not cleared, not grayed).
    bool isChecked(QStringView name) const { return control(name).value == 1; }
    bool isVisible(QStringView name) const { return control(name).visible; }
    bool isEnabled(QStringView name) const { return control(name).enabled; }
    int listIndex(QStringView name) const { return control(name).listIndex; }
    Rgb backColor(QStringView name) const { return control(name).backColor; }

    void setText(QStringView name, const QString& text);
    void setCaption(QStringView name, const QString& caption);
    void setVisible(QStringView name, bool visible);
    void setEnabled(QStringView name, bool enabled);
    void setBackColor(QStringView name, Rgb color);
    void setBorderStyle(QStringView name, int style);
    void setList(QStringView name, const QStringList& items);
    // Sets a list choice without running the handler; -1 selects nothing.
    void setListIndex(QStringView name, int index);

    // --- the person's actions: each runs the control's event handler ---
    // Option button: sets it, clears the others of its group, runs its Click.
    void clickOption(QStringView name);
    // Option button set to False (as the options file may do); no handler.
    void clearOption(QStringView name);
    // Check box value 0/1/2; the Click handler runs when the value changes.
    void setCheck(QStringView name, int value);
    // Text typed into a combo box (Combo1, Combo2 run their Change handler).
    void editText(QStringView name, const QString& text);
    // A list item picked in Combo3 / Combo4 (sets the unit factor).
    void pickListItem(QStringView name, int index);
    // Click on Picture1_i (colour dialog), Picture4, Image2_i or Label8.
    void clickControl(QStringView name);
    // comFont: font dialog for the title preview Picture2.
    void clickFont();

    // Shape layout and place layout of the window (used by the readers).
    void showPolygon();
    void showNormal();

    // Title preview font (Picture2).
    FontChoice titleFont() const { return titleFont_; }
    void setTitleFont(const FontChoice& f);

    // Option state the generator reads.
    double sizeUnitFactor() const { return sizeUnitFactor_; }
    double heightUnitFactor() const { return heightUnitFactor_; }
    int colorScaleChoice() const { return colorScaleChoice_; }

    // Asks the window to move the focus to a control (run checks do this).
    void requestFocus(QStringView name);
    QString focusRequest() const { return focusRequest_; }

    // Notification: called with the control name after any change.
    void subscribe(Listener listener) { listeners_.push_back(std::move(listener)); }

    // Hooks filled by the session: whether a shape set is loaded, and what
    // ticking "Show title in GE" builds (the title image).
    std::function<bool()> isShapeMode = [] {
        return false;
    };
    std::function<void()> buildTitle;

    // Size unit factors in nautical miles per unit, list index 0..7.
    static double sizeFactorOf(int unitIndex);
    // Height unit factors in metres per unit.
    static double heightFactorOf(int unitIndex);

private:
    Control& at(QStringView name);
    void add(Control c);
    void notify(const QString& name);
    void show(std::initializer_list<QStringView> names, bool visible);
    void runHandler(const QString& procedure, const std::function<void()>& body);
    void onOptionClick(const QString& name);
    void onCheckClick(const QString& name);
    void onNothingCleared();
    void onPictureClick(const QString& name);

    Ui& ui_;
    std::vector<Control> controls_;
    std::vector<Listener> listeners_;
    FontChoice titleFont_;
    double sizeUnitFactor_ = 0;
    double heightUnitFactor_ = 0;
    int colorScaleChoice_ = 1;
    QString focusRequest_;
};

} // namespace kartello
