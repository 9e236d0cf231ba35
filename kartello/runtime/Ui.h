#pragma once
// The seam between Kartello's logic and the person using it. The window
// implements it with Qt, the batch command with stderr and its arguments, and
// tests with FakeUi. Logic never talks to widgets any other way.
#include "runtime/FieldChoice.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kartello {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

// A colour as red + 256 * green + 65536 * blue.
using Rgb = unsigned int;

struct FontChoice {
    QString name;
    double size = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

class Ui {
public:
    virtual ~Ui() = default;

    virtual MsgAnswer messageBox(const QString& text, const QString& title, MsgIcon icon,
                                 MsgButtons buttons = MsgButtons::Ok) = 0;

    // filter uses the classic "Description|*.ext|Other|*.x;*.y" form.
    // An empty result means the person cancelled.
    virtual std::optional<QString> openFileDialog(const QString& title, const QString& filter,
                                                  const QString& defaultExt, const QString& presetName) = 0;
    virtual std::optional<QString> saveFileDialog(const QString& title, const QString& filter,
                                                  const QString& defaultExt, const QString& presetName) = 0;
    virtual std::optional<Rgb> colorDialog(Rgb initial) = 0;
    virtual std::optional<FontChoice> fontDialog(const QString& title, const FontChoice& initial) = 0;
    // The layer and fields to read from the GIS file at path: the window asks
    // the person, offering what they chose for that file last time, else
    // preset; the batch command answers with its flags, which arrive as preset.
    // An empty result means the person cancelled.
    virtual std::optional<FieldChoice> chooseFields(const QString& path, const FieldChoice& preset) = 0;

    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;

    // Hourglass pointer on/off.
    virtual void setBusy(bool busy) = 0;
    // Called once per place in long loops; must be cheap. The implementation
    // decides how often it really lets the window repaint.
    virtual void yieldToWindow() = 0;

    // Hands a file or URL to the application the desktop associates with it;
    // false when none took it.
    virtual bool openWithAssociatedApp(const QString& path) = 0;
    virtual void minimizeMainWindow() = 0;
};

} // namespace kartello
