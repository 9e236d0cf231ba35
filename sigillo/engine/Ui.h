// Everything Sigillo's logic says to the person or asks of the desktop goes
// through this seam: the window program implements it with Qt, sigillo-cli
// with its standard streams, and tests with a scripted fake.
#pragma once

#include <string>

namespace sigillo {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// The caption of message boxes that name none of their own.
inline constexpr const char* kAppTitle = "Sigillo";

class Ui {
public:
    virtual ~Ui() = default;

    virtual MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    // Lets pending window messages run once.
    virtual void doEvents() {}
    // Starts a program or opens a document without waiting for it, as the
    // desktop's "Open" verb does; parameters may be empty.
    virtual void shellExecute(const std::string& file, const std::string& parameters) = 0;
};

} // namespace sigillo
