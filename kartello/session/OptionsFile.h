#pragma once
// The graph options file (".ggo"): one "[Key],value" line per option control
// of Main, so that the same kind of graph can be made again for other data.
#include "runtime/Ui.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace kartello {

class FormModel;

// How a control's value is written in an options file.
enum class ValueForm {
    Option,    // True / False
    Check,     // 0, 1 or 2
    Text,      // a text box's text
    TypedList, // the text typed into Combo1 / Combo2
    ListIndex, // 0-based list choice, -1 for none
    ListItem,  // the text of the list item chosen, which must be one of the list
    Color,     // red + 256 x green + 65536 x blue
    FontName,
    FontSize,
    FontBold,
    FontUnderline,
    FontItalic,
};

// The file text: the 43 keys of the classic program in their fixed order, then
// the keys added since (classes, BMP overlays), lines ending in CR LF.
QString optionsText(const FormModel& form);

// Applies an options text: pairs of fields (key, value) with the field rules
// of the place text reader; every known key sets its control as a click
// would, unknown keys are skipped. Throws RuntimeError (13 for a value of the
// wrong form); controls set before the fault keep their new state.
void applyOptionsText(FormModel& form, QStringView text);

// Sets one control from a value text in its file form, running the control's
// handler. Throws RuntimeError 13 when the text is not of that form.
void applyValue(FormModel& form, QStringView control, ValueForm valueForm, const QString& value);

// The value form of a control (by name) as a person sets it; nullopt for a
// control that holds no settable value.
std::optional<ValueForm> valueFormOf(const FormModel& form, QStringView control);

// "Save options" and "Load options": the dialog, then the file. currentFile
// receives the chosen path. Faults show "Error n (d) in procedure
// saveOptions/loadOptions of form Main". True when the file was written/read.
bool saveOptions(FormModel& form, Ui& ui, QString& currentFile, const QString& graphBaseName);
bool loadOptions(FormModel& form, Ui& ui, QString& currentFile);

// Reads and applies one options file (error 53 when it cannot be read).
void loadOptionsFile(FormModel& form, const QString& path);

} // namespace kartello
