#include "engine/CreateReport.h"

#include "engine/SigilloError.h"
#include "engine/clsFileInfo.h"
#include "text/AsciiCase.h"
#include "text/AtomicFile.h"

namespace sigillo {

namespace {

constexpr long kFileAccessError = 75; // path/file access error

bool isComponentFile(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    const std::string_view tail = std::string_view(path).substr(path.size() - 4);
    return text::equalsNoCase(tail, ".dll") || text::equalsNoCase(tail, ".ocx") ||
           text::equalsNoCase(tail, ".exe");
}

// While a large folder is listed, the progress window must paint and its
// Cancel button act: every few entries the listing lets window messages run,
// and stops when Cancel was pressed.
class ListingSteps : public ProgressBar {
public:
    struct Cancelled {};

    ListingSteps(Ui& ui, const std::atomic<bool>& cancel) : ui_(ui), cancel_(cancel) {}
    void setMin(int) override {}
    void setMax(int) override {}
    void setValue(int) override {}
    int value() const override { return 0; }
    void refresh() override {
        if (++entries_ % kEntriesPerStep != 0) {
            return;
        }
        ui_.doEvents();
        if (cancel_.load()) {
            throw Cancelled{};
        }
    }

private:
    static constexpr unsigned kEntriesPerStep = 32;
    Ui& ui_;
    const std::atomic<bool>& cancel_;
    unsigned entries_ = 0;
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
        text::AtomicFile out(outputPath);
        if (view) {
            view->show();
        }
        ui.doEvents();
        std::string spec = sFolder;
        if (!spec.empty() && spec.back() != '/' && spec.back() != '\\') {
            spec += '/';
        }
        try {
            ListingSteps steps(ui, cancel);
            files.LoadFiles(spec + "*.*", true, &steps);
        } catch (const ListingSteps::Cancelled&) {
            out.commit(); // an empty report, as a cancel before the first file leaves
            if (view) {
                view->hide();
            }
            return ReportOutcome::Cancelled;
        }
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
        out.commit();
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
