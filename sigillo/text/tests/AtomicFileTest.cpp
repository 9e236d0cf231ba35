#include "text/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace sigillo::text {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public testing::Test {
protected:
    AtomicFileTest() {
        dir = fs::temp_directory_path() / ("sigillo-atomic-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    ~AtomicFileTest() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    static std::string slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }

    fs::path dir;
};

TEST_F(AtomicFileTest, CommitReplacesTheTargetAndLeavesNoTemporaryFile) {
    const fs::path target = dir / "out.txt";
    std::ofstream(target) << "old";
    {
        AtomicFile file(target.string());
        file.write("new ");
        file.write("text");
        EXPECT_EQ(slurp(target), "old"); // nothing visible before the commit
        file.commit();
    }
    EXPECT_EQ(slurp(target), "new text");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFileTest, WithoutCommitTheTargetStaysAndTheTemporaryFileGoes) {
    const fs::path target = dir / "out.txt";
    std::ofstream(target) << "old";
    {
        AtomicFile file(target.string());
        file.write("half");
    }
    EXPECT_EQ(slurp(target), "old");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFileTest, ErrorNamesTheTargetNotTheTemporaryFile) {
    const std::string target = (dir / "missing" / "out.txt").string();
    try {
        writeFileAtomically(target, "x");
        FAIL() << "no error";
    } catch (const AtomicFileError& e) {
        EXPECT_EQ(std::string(e.what()), target + ": No such file or directory");
    }
}

} // namespace
} // namespace sigillo::text
