#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "FakeUi.h"
#include "Fixtures.h"
#include "TempStore.h"
#include "engine/CreateReport.h"

using namespace sigillo;
namespace fs = std::filesystem;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The block of versiononly.ocx, written out by hand from its .rc source.
std::string versionOnlyBlock(const std::string& path) {
    return "File: " + path +
           "\r\n\r\n"
           "Company Name: Beispiel GmbH M\xC3\xBCller\r\n"
           "File Description: English only\r\n"
           "Internal Name: \r\n"
           "Legal Copyright: \r\n"
           "Legal Trademarks: \r\n"
           "Original Filename: \r\n"
           "Product Name: Nur Version\r\n"
           "Product Version: \r\n"
           "Comments: Erste Tabelle\r\n\r\n"
           "Extended File Info \r\n\r\n"
           "Type: App\r\n"
           "SubType: \r\n"
           "Version: 3.1.0.0\r\n"
           "Product Version: 3.1.0.0\r\n"
           "OS: DOS-Win16\r\n"
           "Structure Version: 1.0\r\n"
           "Flags: Patched Private Info \r\n\r\n\r\n\r\n";
}

class StubView : public ReportProgressView, public ProgressBar {
public:
    void show() override { shown = true; }
    void hide() override { hidden = true; }
    ProgressBar& progressBar() override { return *this; }
    void setCurrentFile(const std::string& name) override { files.push_back(name); }
    void setMin(int) override {}
    void setMax(int v) override { max = v; }
    void setValue(int v) override { value_ = v; }
    int value() const override { return value_; }
    bool shown = false, hidden = false;
    int max = 0, value_ = 0;
    std::vector<std::string> files;
};

class Report : public ::testing::Test {
protected:
    void SetUp() override {
        folder = tmp.dir() + "/tree";
        fs::create_directories(folder + "/sub");
        fs::copy_file(fixture("demo32.dll"), folder + "/a.dll");
        std::ofstream(folder + "/b.txt") << "text";
        fs::copy_file(fixture("versiononly.ocx"), folder + "/c.OCX");
        fs::copy_file(fixture("app.exe"), folder + "/sub/d.Exe");
        output = tmp.dir() + "/output.txt";
    }
    TempStore tmp;
    std::string folder, output;
    FakeUi ui;
};

} // namespace

TEST_F(Report, WritesOneBlockPerComponentFileInCollectionOrder) {
    StubView view;
    const std::atomic<bool> cancel{false};
    EXPECT_EQ(CreateReport(folder, output, ui, &view, cancel), ReportOutcome::Completed);
    const std::string text = fileText(output);
    EXPECT_EQ(text, ReportBlock(folder + "/sub/d.Exe") + ReportBlock(folder + "/a.dll") +
                        versionOnlyBlock(folder + "/c.OCX"));
    EXPECT_TRUE(text.starts_with("File: " + folder + "/sub/d.Exe\r\n\r\nCompany Name: \r\n"));
    EXPECT_EQ(view.max, 4);
    EXPECT_EQ(view.files, (std::vector<std::string>{"d.Exe", "a.dll", "b.txt", "c.OCX"}));
    EXPECT_TRUE(view.shown && view.hidden);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Report, FolderWithTrailingSeparatorGivesTheSamePaths) {
    const std::atomic<bool> cancel{false};
    CreateReport(folder + "/", output, ui, nullptr, cancel);
    EXPECT_TRUE(fileText(output).starts_with("File: " + folder + "/sub/d.Exe\r\n"));
}

TEST_F(Report, CancelKeepsTheBlocksWrittenSoFar) {
    class CancellingUi : public FakeUi {
    public:
        explicit CancellingUi(std::atomic<bool>& flag) : flag_(flag) {}
        void doEvents() override {
            // The Cancel button is pressed while the second file is shown.
            if (++eventRuns == 4) {
                flag_ = true;
            }
        }
        std::atomic<bool>& flag_;
    };
    std::atomic<bool> cancel{false};
    CancellingUi cancellingUi(cancel);
    EXPECT_EQ(CreateReport(folder, output, cancellingUi, nullptr, cancel), ReportOutcome::Cancelled);
    EXPECT_EQ(fileText(output), ReportBlock(folder + "/sub/d.Exe") + ReportBlock(folder + "/a.dll"));
    EXPECT_FALSE(fs::exists(output + ".tmp." + std::to_string(::getpid())));
}

TEST_F(Report, MissingFolderGivesAnEmptyReport) {
    std::ofstream(output) << "old content";
    const std::atomic<bool> cancel{false};
    EXPECT_EQ(CreateReport(tmp.dir() + "/nowhere", output, ui, nullptr, cancel), ReportOutcome::Completed);
    EXPECT_TRUE(fs::exists(output));
    EXPECT_EQ(fileText(output), "");
}

TEST_F(Report, UnwritableTargetIsShownAsAnError) {
    const std::atomic<bool> cancel{false};
    const std::string target = tmp.dir() + "/no/such/dir/output.txt";
    EXPECT_EQ(CreateReport(folder, target, ui, nullptr, cancel), ReportOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    // The message names the file asked for, not the temporary file beside it.
    EXPECT_EQ(ui.messages[0].text, "CreateReport: error 75: " + target + ": No such file or directory");
    EXPECT_EQ(ui.messages[0].caption, "Sigillo");
}

TEST_F(Report, CancelWorksWhileALargeFolderIsListed) {
    for (int i = 0; i < 200; ++i) {
        std::ofstream(folder + "/sub/f" + std::to_string(i) + ".txt") << "x";
    }
    class CancellingUi : public FakeUi {
    public:
        explicit CancellingUi(std::atomic<bool>& flag) : flag_(flag) {}
        void doEvents() override {
            // The first run after the window appeared: Cancel is pressed during the listing.
            if (++eventRuns == 2) {
                flag_ = true;
            }
        }
        std::atomic<bool>& flag_;
    };
    std::atomic<bool> cancel{false};
    CancellingUi cancellingUi(cancel);
    StubView view;
    EXPECT_EQ(CreateReport(folder, output, cancellingUi, &view, cancel), ReportOutcome::Cancelled);
    EXPECT_EQ(cancellingUi.eventRuns, 2); // the listing let the window run before it ended
    EXPECT_TRUE(view.shown);
    EXPECT_TRUE(view.hidden);
    EXPECT_TRUE(view.files.empty());
    EXPECT_EQ(fileText(output), "");
}
