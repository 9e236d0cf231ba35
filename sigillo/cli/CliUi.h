// The Ui of sigillo-cli: outcomes and questions go to standard output,
// failures and error reports to standard error; questions are
// answered Yes (the command line already said what to do), and programs are
// started without waiting for them.
#pragma once

#include "engine/Ui.h"

namespace sigillo {

class CliUi : public Ui {
public:
    MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons) override;
    void shellExecute(const std::string& file, const std::string& parameters) override;
};

} // namespace sigillo
