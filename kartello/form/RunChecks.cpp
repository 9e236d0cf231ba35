#include "form/RunChecks.h"
#include "form/ControlNames.h"

#include "runtime/Number.h"

namespace kartello {

namespace {

bool warn(Ui& ui, const char* text) {
    ui.messageBox(QString::fromUtf8(text), QStringLiteral("Warning"), MsgIcon::Exclamation);
    return false;
}

bool warnAndFocus(FormModel& form, Ui& ui, const char* text, QStringView focus) {
    warn(ui, text);
    form.requestFocus(focus);
    return false;
}

bool sizeChecks(FormModel& form, Ui& ui) {
    if (!form.isSet(ctl::Option3_0) && !form.isSet(ctl::Option3_1))
        return warn(ui, "Please choose an option for polygon size");
    if (!form.isSet(ctl::Option3_1))
        return true;
    if (form.sizeUnitFactor() == 0)
        return warnAndFocus(form, ui, "Please choose an scale option for polygon size", ctl::Combo3);
    const QString size = form.text(ctl::txtRaio);
    if (!isNumber(size) || readNumber(size) <= 0)
        return warnAndFocus(form, ui, "Please enter the polygon size", ctl::txtRaio);
    return true;
}

bool heightChecks(FormModel& form, Ui& ui) {
    if (form.isSet(ctl::Option1_1) && !form.isSet(ctl::Option5_0) && !form.isSet(ctl::Option5_1))
        return warn(ui, "Please choose an option for polygon height");
    if (!form.isSet(ctl::Option5_1))
        return true;
    if (form.heightUnitFactor() == 0)
        return warnAndFocus(form, ui, "Please choose an scale option for height", ctl::Combo4);
    const QString height = form.text(ctl::txtHeight);
    if (!isNumber(height) || readNumber(height) < 0)
        return warnAndFocus(form, ui, "Please enter the polygon height", ctl::txtHeight);
    return true;
}

} // namespace

bool runChecks(FormModel& form, Ui& ui) {
    if (form.isChecked(ctl::chkNothing))
        return true;
    if (!form.isSet(ctl::Option1_0) && !form.isSet(ctl::Option1_1))
        return warn(ui, "Please choose an option (flat or 3D)");
    if (!form.isSet(ctl::Option4_0) && !form.isSet(ctl::Option4_1))
        return warn(ui, "Please choose an option for polygon color");
    // The frames' own visible flags decide, as on the window.
    if (form.isVisible(ctl::Frame8) && !sizeChecks(form, ui))
        return false;
    if (form.isVisible(ctl::Frame13) && !heightChecks(form, ui))
        return false;
    return true;
}

} // namespace kartello
