#include "QtUi.h"

#include "ClipboardNumbers.h"
#include "DialogFilter.h"
#include "FieldDialog.h"
#include "session/OptionsSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QUrl>

namespace kartello::gui {
namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MsgAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return MsgAnswer::Ok;
    }
}

// Closing a box with the window's close button gives its escape answer.
QMessageBox::StandardButton escapeButton(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::YesNo:
        return QMessageBox::No;
    default:
        return QMessageBox::Cancel;
    }
}

} // namespace

// The normal pointer while the person is asked something, even in the middle
// of a command that shows the hourglass.
class QtUi::ArrowWhileAsking {
public:
    explicit ArrowWhileAsking(bool busy) : busy_(busy) {
        if (busy_)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking() {
        if (busy_)
            QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool busy_;
};

QtUi::QtUi(QWidget* window) : window_(window), settingsFile_(settingsFilePath()) {
    sinceRepaint_.start();
}

MsgAnswer QtUi::messageBox(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) {
    QMessageBox box(qtIcon(icon), title.isEmpty() ? QStringLiteral("Kartello") : title, text,
                    qtButtons(buttons), window_);
    // Plain text: messages quote file contents and names, never markup.
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(escapeButton(buttons));
    const ArrowWhileAsking arrow(busy_);
    return answerOf(box.exec());
}

std::optional<QString> QtUi::fileDialog(bool save, const QString& title, const QString& filter,
                                        const QString& defaultExt, const QString& presetName) {
    QFileDialog dialog(window_, title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList nameFilters = qtNameFilters(filter).split(QStringLiteral(";;"));
    dialog.setNameFilters(nameFilters);
    // A name typed without extension takes the one of the chosen file type, or
    // the default extension under a type such as "All files": a graph saved
    // as "rain" under "kmz" becomes rain.kmz, never a file the saving step
    // cannot name its images after.
    const QString givenSuffix = qtDefaultSuffix(defaultExt);
    auto suffixFor = [givenSuffix](const QString& nameFilter) {
        const QString own = suffixOfNameFilter(nameFilter);
        return own.isEmpty() ? givenSuffix : own;
    };
    dialog.setDefaultSuffix(save ? suffixFor(nameFilters.value(0)) : givenSuffix);
    if (save)
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, suffixFor](const QString& f) { dialog.setDefaultSuffix(suffixFor(f)); });
    if (!presetName.isEmpty())
        dialog.selectFile(presetName);
    const ArrowWhileAsking arrow(busy_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtUi::openFileDialog(const QString& title, const QString& filter,
                                            const QString& defaultExt, const QString& presetName) {
    return fileDialog(false, title, filter, defaultExt, presetName);
}

std::optional<QString> QtUi::saveFileDialog(const QString& title, const QString& filter,
                                            const QString& defaultExt, const QString& presetName) {
    return fileDialog(true, title, filter, defaultExt, presetName);
}

std::optional<Rgb> QtUi::colorDialog(Rgb initial) {
    const QColor start(int(initial & 0xff), int((initial >> 8) & 0xff), int((initial >> 16) & 0xff));
    const ArrowWhileAsking arrow(busy_);
    const QColor chosen = QColorDialog::getColor(start, window_);
    if (!chosen.isValid())
        return std::nullopt;
    return Rgb(chosen.red()) | (Rgb(chosen.green()) << 8) | (Rgb(chosen.blue()) << 16);
}

std::optional<FontChoice> QtUi::fontDialog(const QString& title, const FontChoice& initial) {
    QFont start(initial.name);
    if (initial.size > 0)
        start.setPointSizeF(initial.size);
    start.setBold(initial.bold);
    start.setItalic(initial.italic);
    start.setUnderline(initial.underline);
    bool ok = false;
    const ArrowWhileAsking arrow(busy_);
    const QFont chosen = QFontDialog::getFont(&ok, start, window_, title);
    if (!ok)
        return std::nullopt;
    FontChoice result;
    result.name = chosen.family();
    result.size = chosen.pointSizeF();
    result.bold = chosen.bold();
    result.italic = chosen.italic();
    result.underline = chosen.underline();
    return result;
}

std::optional<FieldChoice> QtUi::chooseFields(const QString& path, const FieldChoice& preset) {
    std::optional<FieldCatalog> catalog = readFieldCatalog(path);
    if (!catalog)
        return preset;
    const QFileInfo file(path);
    const QString key = file.absoluteFilePath();
    FieldDialog dialog(
        FieldChoiceModel(std::move(*catalog), rememberedFields(key, settingsFile_).value_or(preset)),
        file.fileName(), window_);
    const ArrowWhileAsking arrow(busy_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // A settings file that cannot be written costs only the memory of the choice.
    rememberFields(key, dialog.choice(), settingsFile_);
    return dialog.choice();
}

QString QtUi::clipboardText() {
    return programClipboardText(QGuiApplication::clipboard()->text(), QLocale::system());
}

void QtUi::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void QtUi::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    // The pointer change must show before the work starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUi::yieldToWindow() {
    if (sinceRepaint_.elapsed() < kRepaintIntervalMs)
        return;
    // Paint and timer events only: a click while a command runs must not start
    // another command in the middle of this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceRepaint_.restart();
}

bool QtUi::openWithAssociatedApp(const QString& path) {
    const QUrl url = path.contains(QStringLiteral("://")) ? QUrl(path) : QUrl::fromLocalFile(path);
    return QDesktopServices::openUrl(url);
}

void QtUi::minimizeMainWindow() {
    if (window_)
        window_->window()->showMinimized();
}

} // namespace kartello::gui
