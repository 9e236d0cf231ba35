#include "form/RunChecks.h"

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
    if (!form.isSet(u"Option3_0") && !form.isSet(u"Option3_1"))
        return warn(ui, "Please choose an option for polygon size");
    if (!form.isSet(u"Option3_1"))
        return true;
    if (form.sizeUnitFactor() == 0)
        return warnAndFocus(form, ui, "Please choose an scale option for polygon size", u"Combo3");
    const QString size = form.text(u"txtRaio");
    if (!isNumber(size) || readNumber(size) <= 0)
        return warnAndFocus(form, ui, "Please enter the polygon size", u"txtRaio");
    return true;
}

bool heightChecks(FormModel& form, Ui& ui) {
    if (form.isSet(u"Option1_1") && !form.isSet(u"Option5_0") && !form.isSet(u"Option5_1"))
        return warn(ui, "Please choose an option for polygon height");
    if (!form.isSet(u"Option5_1"))
        return true;
    if (form.heightUnitFactor() == 0)
        return warnAndFocus(form, ui, "Please choose an scale option for height", u"Combo4");
    const QString height = form.text(u"txtHeight");
    if (!isNumber(height) || readNumber(height) < 0)
        return warnAndFocus(form, ui, "Please enter the polygon height", u"txtHeight");
    return true;
}

} // namespace

bool runChecks(FormModel& form, Ui& ui) {
    if (form.value(u"chkNothing") == 1)
        return true;
    if (!form.isSet(u"Option1_0") && !form.isSet(u"Option1_1"))
        return warn(ui, "Please choose an option (flat or 3D)");
    if (!form.isSet(u"Option4_0") && !form.isSet(u"Option4_1"))
        return warn(ui, "Please choose an option for polygon color");
    // The frames' own visible flags decide, as on the window.
    if (form.isVisible(u"Frame8") && !sizeChecks(form, ui))
        return false;
    if (form.isVisible(u"Frame13") && !heightChecks(form, ui))
        return false;
    return true;
}

} // namespace kartello
