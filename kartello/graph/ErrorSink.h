#pragma once
// Where a procedure that traps its own run-time errors shows its message: the
// session binds it to a plain message box, tests to a recording list.
#include <QString>
#include <exception>
#include <functional>

namespace kartello {

using ErrorSink = std::function<void(const QString& message)>;

// Ends graph generation quietly: the reason was already shown to the person
// (a "No" to a question, or a trapped error whose message is out).
struct GenerationStopped : std::exception {
    const char* what() const noexcept override { return "graph generation stopped"; }
};

} // namespace kartello
