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

    MsgAnswer messageBox(const QString& text, const QString& title, MsgIcon icon,
                         MsgButtons buttons = MsgButtons::Ok) override;
    std::optional<QString> openFileDialog(const QString& title, const QString& filter,
                                          const QString& defaultExt, const QString& presetName) override;
    std::optional<QString> saveFileDialog(const QString& title, const QString& filter,
                                          const QString& defaultExt, const QString& presetName) override;
    std::optional<Rgb> colorDialog(Rgb initial) override;
    std::optional<FontChoice> fontDialog(const QString& title, const FontChoice& initial) override;
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
    QElapsedTimer sinceRepaint_;
    bool busy_ = false;
};

} // namespace kartello::gui
