#pragma once

#include "runtime/Ui.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

namespace kartello::gui {

// The Ui seam on Qt widgets: dialogs and message boxes parented to the main
// window, the hourglass as an override cursor, "yield to the window" as a
// bounded repaint, and the desktop's associated application for opening files.
class QtUi : public Ui {
public:
    explicit QtUi(QWidget* window = nullptr);

    void setWindow(QWidget* window) { window_ = window; }
    // Where the field choices are remembered (the settings file by default).
    void setSettingsFile(const QString& path) { settingsFile_ = path; }

    MsgAnswer messageBox(const QString& text, const QString& title, MsgIcon icon,
                         MsgButtons buttons = MsgButtons::Ok) override;
    std::optional<QString> openFileDialog(const QString& title, const QString& filter,
                                          const QString& defaultExt, const QString& presetName) override;
    std::optional<QString> saveFileDialog(const QString& title, const QString& filter,
                                          const QString& defaultExt, const QString& presetName) override;
    std::optional<Rgb> colorDialog(Rgb initial) override;
    std::optional<FontChoice> fontDialog(const QString& title, const FontChoice& initial) override;
    // The field dialog, offering the choice remembered for the file; a file
    // GDAL cannot list gets preset, for the reader to refuse.
    std::optional<FieldChoice> chooseFields(const QString& path, const FieldChoice& preset) override;
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    void setBusy(bool busy) override;
    void yieldToWindow() override;
    bool openWithAssociatedApp(const QString& path) override;
    void minimizeMainWindow() override;

    // Repaints happen at most this often while a long loop yields: often enough
    // for the progress counter to move, rare enough to cost nothing measurable.
    static constexpr int kRepaintIntervalMs = 40;

private:
    class ArrowWhileAsking;
    std::optional<QString> fileDialog(bool save, const QString& title, const QString& filter,
                                      const QString& defaultExt, const QString& presetName);

    QPointer<QWidget> window_;
    QString settingsFile_;
    QElapsedTimer sinceRepaint_;
    bool busy_ = false;
};

} // namespace kartello::gui
