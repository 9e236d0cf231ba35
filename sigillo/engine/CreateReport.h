// The folder report: for every component file (.DLL, .OCX, .EXE in any case)
// below a folder, a block of its version strings and fixed version texts.
#pragma once

#include <atomic>
#include <string>

#include "engine/Ui.h"
#include "engine/colFiles_Vantor.h"

namespace sigillo {

inline constexpr const char* kReportFileName = "output.txt";

// The progress window while the report runs.
class ReportProgressView {
public:
    virtual ~ReportProgressView() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual ProgressBar& progressBar() = 0;
    virtual void setCurrentFile(const std::string& nameAndExtension) = 0; // lblFile
};

enum class ReportOutcome { Completed, Cancelled, Failed };

// Writes the report of sFolder into outputPath (replaced atomically; a
// cancelled run keeps the blocks written so far). The caller opens the file
// on Completed. Errors are shown through ShowError as "CreateReport".
// view may be null (no progress window); cancel is polled after every file.
ReportOutcome CreateReport(const std::string& sFolder, const std::string& outputPath, Ui& ui,
                           ReportProgressView* view, const std::atomic<bool>& cancel);

// The block of one file, CR LF line ends, including the empty line that
// ends it.
std::string ReportBlock(const std::string& fullPath);

} // namespace sigillo
