#pragma once
// A scripted Ui for tests: records everything shown and answers from queues
// filled by the test. An empty queue gives the "nothing chosen" answer:
// Ok (No for Yes/No questions), a cancelled dialog, no colour, no font.
#include "runtime/Ui.h"

#include <deque>
#include <vector>

namespace kartello {

class FakeUi : public Ui {
public:
    struct Message {
        QString text;
        QString title;
        MsgIcon icon;
        MsgButtons buttons;
    };
    struct FieldRequest {
        QString path;
        FieldChoice preset;
    };
    struct Dialog {
        bool save;
        QString title;
        QString filter;
        QString defaultExt;
        QString presetName;
    };

    // Scripted answers, consumed front first.
    std::deque<MsgAnswer> answers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<Rgb>> colorAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    // An empty queue here accepts the offered preset, as OK on an untouched
    // field dialog does.
    std::deque<std::optional<FieldChoice>> fieldAnswers;
    QString clipboard;

    // What was shown.
    std::vector<Message> messages;
    std::vector<Dialog> dialogs;
    std::vector<FieldRequest> fieldRequests;
    std::vector<QString> opened;
    std::vector<bool> busyChanges;
    long long yields = 0;
    int minimized = 0;
    bool busy = false;
    // What openWithAssociatedApp answers: false acts as a desktop without an application for the file.
    bool openSucceeds = true;

    MsgAnswer messageBox(const QString& text, const QString& title, MsgIcon icon,
                         MsgButtons buttons) override;
    std::optional<QString> openFileDialog(const QString& title, const QString& filter,
                                          const QString& defaultExt, const QString& presetName) override;
    std::optional<QString> saveFileDialog(const QString& title, const QString& filter,
                                          const QString& defaultExt, const QString& presetName) override;
    std::optional<Rgb> colorDialog(Rgb initial) override;
    std::optional<FontChoice> fontDialog(const QString& title, const FontChoice& initial) override;
    std::optional<FieldChoice> chooseFields(const QString& path, const FieldChoice& preset) override;
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }
    void setBusy(bool b) override;
    void yieldToWindow() override { ++yields; }
    bool openWithAssociatedApp(const QString& path) override {
        opened.push_back(path);
        return openSucceeds;
    }
    void minimizeMainWindow() override { ++minimized; }

    // Text of the last message box, "" when none was shown.
    QString lastMessage() const { return messages.empty() ? QString() : messages.back().text; }
};

} // namespace kartello
