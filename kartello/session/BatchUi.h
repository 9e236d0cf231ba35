#pragma once
// The person at the batch command: every message box becomes one line on
// stderr ("title: text"), a Yes/No question is answered No (Yes with --yes),
// file dialogs and the field choice are answered from the command line, and
// nothing is opened.
#include "runtime/Ui.h"

#include <QTextStream>
#include <deque>

namespace kartello {

class BatchUi : public Ui {
public:
    BatchUi(QTextStream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}

    // The paths the next open dialogs and the save dialog receive.
    std::deque<QString> openAnswers;
    QString saveAnswer;

    MsgAnswer messageBox(const QString& text, const QString& title, MsgIcon icon,
                         MsgButtons buttons) override;
    std::optional<QString> openFileDialog(const QString& title, const QString& filter,
                                          const QString& defaultExt, const QString& presetName) override;
    std::optional<QString> saveFileDialog(const QString& title, const QString& filter,
                                          const QString& defaultExt, const QString& presetName) override;
    std::optional<Rgb> colorDialog(Rgb) override { return std::nullopt; }
    std::optional<FontChoice> fontDialog(const QString&, const FontChoice&) override { return std::nullopt; }
    // The --layer and --*-field flags arrive as preset.
    std::optional<FieldChoice> chooseFields(const QString&, const FieldChoice& preset) override {
        return preset;
    }
    QString clipboardText() override { return QString(); }
    void setClipboardText(const QString&) override {}
    void setBusy(bool) override {}
    void yieldToWindow() override {}
    // "Open in GE" is never acted on in batch.
    bool openWithAssociatedApp(const QString&) override { return true; }
    void minimizeMainWindow() override {}

private:
    QTextStream& err_;
    bool answerYes_;
};

} // namespace kartello
