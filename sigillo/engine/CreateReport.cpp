#include "CreateReport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "SigilloError.h"
#include "clsFileInfo.h"

namespace sigillo {

namespace {

constexpr long kFileAccessError = 75; // path/file access error

bool isComponentFile(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) {
        c = static_cast<char>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
    }
    return tail == ".DLL" || tail == ".OCX" || tail == ".EXE";
}

// The report goes to a temporary file beside the target, renamed over it when
// closed, so a reader never sees a half-written report from an earlier run.
class ReportFile {
public:
    explicit ReportFile(std::string target) : target_(std::move(target)) {
        tmp_ = target_ + ".tmp." + std::to_string(::getpid());
        file_ = std::fopen(tmp_.c_str(), "wb");
        if (!file_) {
            throw SigilloError(kFileAccessError, "cannot create " + tmp_ + ": " + std::strerror(errno));
        }
    }
    ~ReportFile() {
        if (file_) {
            std::fclose(file_);
            std::remove(tmp_.c_str());
        }
    }
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    void write(const std::string& text) {
        if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
            throw SigilloError(kFileAccessError, "cannot write " + tmp_ + ": " + std::strerror(errno));
        }
    }

    void close() {
        const bool flushed = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!flushed || !closed || std::rename(tmp_.c_str(), target_.c_str()) != 0) {
            const std::string reason = std::strerror(errno);
            std::remove(tmp_.c_str());
            throw SigilloError(kFileAccessError, "cannot write " + target_ + ": " + reason);
        }
    }

private:
    std::string target_, tmp_;
    FILE* file_ = nullptr;
};

} // namespace

std::string ReportBlock(const std::string& fullPath) {
    clsFileInfo f;
    f.SelectFile(fullPath);
    const std::string nl = "\r\n";
    std::string b;
    b += "File: " + fullPath + nl + nl;
    b += "Company Name: " + f.CompanyName + nl;
    b += "File Description: " + f.FileDescription + nl;
    b += "Internal Name: " + f.InternalName + nl;
    b += "Legal Copyright: " + f.LegalCopyright + nl;
    b += "Legal Trademarks: " + f.LegalTrademarks + nl;
    b += "Original Filename: " + f.OriginalFileName + nl;
    b += "Product Name: " + f.ProductName + nl;
    b += "Product Version: " + f.ProductVersion + nl;
    b += "Comments: " + f.Comments + nl + nl;
    b += "Extended File Info " + nl + nl;
    b += "Type: " + f.FileTypeEx + nl;
    b += "SubType: " + f.FileSubTypeEx + nl;
    b += "Version: " + f.FileVerEx + nl;
    b += "Product Version: " + f.ProdVerEx + nl;
    b += "OS: " + f.FileOSEx + nl;
    b += "Structure Version: " + f.StrucVerEx + nl;
    b += "Flags: " + f.FileFlagsEx + nl + nl + nl;
    return b + nl; // the line the block's own Print adds
}

ReportOutcome CreateReport(const std::string& sFolder, const std::string& outputPath, Ui& ui,
                           ReportProgressView* view, const std::atomic<bool>& cancel) {
    try {
        colFiles_Vantor files;
        ReportFile out(outputPath);
        if (view) {
            view->show();
        }
        ui.doEvents();
        std::string spec = sFolder;
        if (!spec.empty() && spec.back() != '/' && spec.back() != '\\') {
            spec += '/';
        }
        files.LoadFiles(spec + "*.*", true);
        if (view) {
            view->progressBar().setMax(static_cast<int>(files.Count()));
        }
        ReportOutcome outcome = ReportOutcome::Completed;
        int i = 0;
        for (const clsFile_Vantor* file : files.NewEnum()) {
            ++i;
            if (view) {
                view->progressBar().setValue(i);
                view->setCurrentFile(file->sNameAndExtension());
            }
            ui.doEvents();
            if (isComponentFile(file->sFileName())) {
                out.write(ReportBlock(file->sFileName()));
            }
            ui.doEvents();
            if (cancel.load()) {
                outcome = ReportOutcome::Cancelled;
                break;
            }
        }
        out.close();
        if (view) {
            view->hide();
        }
        return outcome;
    } catch (const SigilloError& e) {
        if (view) {
            view->hide();
        }
        ShowError(ui, "CreateReport", e.info().number, e.info().description);
    } catch (const std::exception& e) {
        if (view) {
            view->hide();
        }
        ShowError(ui, "CreateReport", kFileAccessError, e.what());
    }
    return ReportOutcome::Failed;
}

} // namespace sigillo
