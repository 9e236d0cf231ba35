// A Ui that records what was shown and answers from a script.
#pragma once

#include <string>
#include <vector>

#include "engine/Ui.h"

struct ShownMessage {
    std::string text;
    std::string caption;
    sigillo::MsgIcon icon;
    sigillo::MsgButtons buttons;
};

class FakeUi : public sigillo::Ui {
public:
    sigillo::MsgAnswer messageBox(const std::string& text, const std::string& caption, sigillo::MsgIcon icon,
                                  sigillo::MsgButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        return answer;
    }
    void doEvents() override { ++eventRuns; }
    void shellExecute(const std::string& file, const std::string& parameters) override {
        started.push_back(file + " " + parameters);
    }

    std::vector<ShownMessage> messages;
    std::vector<std::string> started;
    int eventRuns = 0;
    sigillo::MsgAnswer answer = sigillo::MsgAnswer::Yes;
};
