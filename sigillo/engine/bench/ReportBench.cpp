// The folder report over a tree of 10 000 files, 350 of them DLLs, and the
// report block of one file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "engine/CreateReport.h"

namespace fs = std::filesystem;

namespace {

class QuietUi : public sigillo::Ui {
public:
    sigillo::MsgAnswer messageBox(const std::string&, const std::string&, sigillo::MsgIcon,
                                  sigillo::MsgButtons) override {
        return sigillo::MsgAnswer::Ok;
    }
    void shellExecute(const std::string&, const std::string&) override {}
};

// 100 folders of 100 files; every folder holds 3 or 4 DLLs copied from the
// fixtures, 350 in all, and small text files otherwise.
const std::string& tree() {
    static const std::string root = [] {
        const std::string dir =
            fs::temp_directory_path().string() + "/sigillo-bench-" + std::to_string(::getpid());
        const std::string dlls[] = {std::string(SIGILLO_FIXTURES) + "/demo32.dll",
                                    std::string(SIGILLO_FIXTURES) + "/demo64.dll",
                                    std::string(SIGILLO_FIXTURES) + "/versiononly.ocx"};
        int dllCount = 0;
        for (int d = 0; d < 100; ++d) {
            const std::string folder = dir + "/f" + std::to_string(d);
            fs::create_directories(folder);
            const int dllsHere = d < 50 ? 4 : 3;
            for (int i = 0; i < 100; ++i) {
                const std::string name = folder + "/file" + std::to_string(i);
                if (i < dllsHere) {
                    fs::copy_file(dlls[dllCount++ % 3], name + ".dll");
                } else {
                    std::ofstream(name + ".txt") << "plain text file " << i << "\n";
                }
            }
        }
        return dir;
    }();
    return root;
}

struct TreeCleanup {
    ~TreeCleanup() {
        std::error_code ec;
        fs::remove_all(fs::temp_directory_path() / ("sigillo-bench-" + std::to_string(::getpid())), ec);
    }
} cleanup;

void BM_FolderReport10000Files(benchmark::State& state) {
    QuietUi ui;
    const std::atomic<bool> cancel{false};
    const std::string output = tree() + "-output.txt";
    for (auto _ : state) {
        if (sigillo::CreateReport(tree(), output, ui, nullptr, cancel) != sigillo::ReportOutcome::Completed) {
            state.SkipWithError("report failed");
        }
    }
    std::remove(output.c_str());
}
BENCHMARK(BM_FolderReport10000Files)->Unit(benchmark::kMillisecond);

void BM_ReportBlockOfOneFile(benchmark::State& state) {
    const std::string file = std::string(SIGILLO_FIXTURES) + "/demo32.dll";
    for (auto _ : state) {
        benchmark::DoNotOptimize(sigillo::ReportBlock(file));
    }
}
BENCHMARK(BM_ReportBlockOfOneFile)->Unit(benchmark::kMicrosecond);

} // namespace
