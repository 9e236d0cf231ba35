// A run-time error as the program reports it: a number, the source that
// raised it and a description.
#pragma once

#include <stdexcept>
#include <string>

#include "engine/Ui.h"

namespace sigillo {

struct ErrorInfo {
    long number = 0;
    std::string source;
    std::string description;
};

class SigilloError : public std::runtime_error {
public:
    SigilloError(long number, std::string description, std::string source = {});
    const ErrorInfo& info() const { return info_; }

private:
    ErrorInfo info_;
};

// "<procedure>: error <number>: <description>" in a plain box with an OK
// button and the application's caption.
std::string ShowErrorText(const std::string& procedure, long number, const std::string& description);
void ShowError(Ui& ui, const std::string& procedure, long number, const std::string& description);

} // namespace sigillo
