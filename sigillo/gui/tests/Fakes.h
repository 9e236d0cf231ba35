#pragma once

// Scripted stand-ins for the person and the windows: a Ui that records what
// it showed and answers from a script, a file dialog with scripted choices,
// and a window host that records what the start-up routine asked of it.

#include "engine/Ui.h"
#include "gui/FileDialog.h"
#include "gui/Program.h"

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sigillo::test {

struct ShownMessage {
    std::string text;
    std::string caption;
    MsgIcon icon;
    MsgButtons buttons;
};

struct ShellCall {
    std::string file;
    std::string parameters;
};

class FakeUi : public Ui {
public:
    MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        if (buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        if (answers.empty())
            return MsgAnswer::Yes;
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void shellExecute(const std::string& file, const std::string& parameters) override {
        shellCalls.push_back({file, parameters});
    }

    std::deque<MsgAnswer> answers;
    std::vector<ShownMessage> messages;
    std::vector<ShellCall> shellCalls;
};

class ScriptedDialog : public OpenFileDialog {
public:
    std::optional<std::string> OpenFile() override {
        ++opened;
        if (choices.empty())
            return std::nullopt;
        auto c = choices.front();
        choices.pop_front();
        return c;
    }

    std::deque<std::optional<std::string>> choices;
    int opened = 0;
};

class FakeWindows : public WindowHost {
public:
    void LoadWindows(MainWindowModel& form) override {
        if (failLoad)
            throw std::runtime_error("no display");
        loaded = true;
        form.Form_Load();
    }
    void ShowMain() override { shown = true; }
    void UnloadMain() override { mainUnloaded = true; }
    void UnloadDisplay() override { displayUnloaded = true; }
    ReportProgressView* Progress() override { return nullptr; }
    void Quit(int status) override { quitStatus = status; }

    bool failLoad = false;
    bool loaded = false;
    bool shown = false;
    bool mainUnloaded = false;
    bool displayUnloaded = false;
    std::optional<int> quitStatus;
};

} // namespace sigillo::test
