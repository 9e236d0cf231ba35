#pragma once

// The open-file dialog of the main window, as a seam: the window program
// shows a real dialog, tests answer from a script.

#include <optional>
#include <string>

namespace sigillo {

class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    // An empty preset name, the filter "All files(*.*)|*.*", read-only
    // choices hidden; nothing when the person cancels.
    virtual std::optional<std::string> OpenFile() = 0;
};

} // namespace sigillo
