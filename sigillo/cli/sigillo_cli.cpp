// sigillo-cli: every operation of Sigillo without a window.
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/CliUi.h"
#include "engine/CreateReport.h"
#include "engine/ProgramFolder.h"
#include "engine/ShellExtensions.h"
#include "engine/clsActiveX.h"
#include "engine/clsRegistrator.h"
#include "registry/RegistryStore.h"
#include "wine/RegistryExport.h"
#include "wine/WinePrefix.h"

namespace {

using namespace sigillo;

constexpr int kUsageError = 64;
constexpr int kFailure = 1;

const char* const kUsage = "usage: sigillo-cli [--registry PATH | --wine-prefix DIR] COMMAND\n"
                           "  info FILE                 type-library and version report of a file\n"
                           "  compare FILE1 FILE2       comparison of two files' type libraries\n"
                           "  register FILE             register a component server\n"
                           "  unregister FILE           unregister a component server\n"
                           "  report FOLDER [--output FILE]  version report of every component below FOLDER\n"
                           "  shell enable|disable|status    the shell verbs for DLL, EXE, OCX and folders\n"
                           "  reg export                the registry in use as .reg text\n"
                           "  --help                    this text; exit statuses are listed in the README\n"
                           "The registry in use: the .reg store of --registry; else the Wine prefix of\n"
                           "--wine-prefix, WINEPREFIX or the window's options; else the .reg store.\n";

int usage() {
    std::fputs(kUsage, stderr);
    return kUsageError;
}

int failure(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "sigillo-cli: %s: %s\n", path.c_str(), reason.c_str());
    return kFailure;
}

// Why a file cannot be reported on: it must be a regular file that can be
// opened for reading (opened without blocking, so a FIFO cannot stall us).
std::optional<std::string> unreadableFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::strerror(errno);
    }
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!regular) {
        return S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    }
    return std::nullopt;
}

std::string absolute(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(path, ec);
    return ec ? path : p.lexically_normal().string();
}

void printGrid(const clsGrid& grid) {
    for (const GridRow& row : grid.RowData()) {
        // Section headers and the single message row (coloured, no text cell) show in brackets.
        if (row.header || row.cells[0].backColor) {
            std::printf("[%s]\n", row.cells[0].text.c_str());
        } else {
            std::printf("%s\t%s\n", row.cells[0].text.c_str(), row.cells[1].text.c_str());
        }
    }
}

int info(CliUi& ui, const std::string& file) {
    if (auto why = unreadableFile(file)) {
        return failure(file, *why);
    }
    clsGrid infoGrid, comparisonGrid;
    clsActiveX activeX(ui);
    activeX.Init(infoGrid, comparisonGrid);
    activeX.setFileName(file);
    activeX.DisplayInfo();
    printGrid(infoGrid);
    if (auto why = registry::unreadableStore()) {
        std::fprintf(stderr, "sigillo-cli: %s\n", why->c_str());
        return kFailure;
    }
    return 0;
}

int compare(CliUi& ui, const std::string& first, const std::string& second) {
    for (const std::string& file : {first, second}) {
        if (auto why = unreadableFile(file)) {
            return failure(file, *why);
        }
    }
    clsGrid infoGrid, comparisonGrid;
    clsActiveX activeX(ui);
    activeX.Init(infoGrid, comparisonGrid);
    activeX.setFirstFilename(first);
    activeX.setSecondFilename(second);
    activeX.DoComparison();
    printGrid(comparisonGrid);
    return 0;
}

int registration(CliUi& ui, std::string file, bool registering) {
    clsRegistrator registrator(ui);
    const auto status = registering ? registrator.RegisterActiveX(file) : registrator.UnRegisterActiveX(file);
    return status.value_or(0);
}

int report(CliUi& ui, const std::string& folder, const std::string& output) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        return failure(folder, std::strerror(errno));
    }
    if (!S_ISDIR(st.st_mode)) {
        return failure(folder, std::strerror(ENOTDIR));
    }
    const std::atomic<bool> neverCancelled{false};
    // Absolute paths, so the report says where each file is whatever the working folder.
    return CreateReport(absolute(folder), absolute(output), ui, nullptr, neverCancelled) ==
                   ReportOutcome::Completed
               ? 0
               : kFailure;
}

int shell(CliUi& ui, const std::string& action) {
    clsRegistry registry;
    // The verbs start the window program, which carries out -r, -u and -f.
    const std::string program = ProgramFolder() + "/sigillo";
    if (action == "enable") {
        return EnableShellExtensions(registry, program, ui).failed ? kFailure : 0;
    } else if (action == "disable") {
        return DisableShellExtensions(registry, program, ui).failed ? kFailure : 0;
    } else if (action == "status") {
        if (auto why = registry::unreadableStore()) {
            std::fprintf(stderr, "sigillo-cli: %s\n", why->c_str());
            return kFailure;
        }
        std::printf("%s\n", RefreshShellState(registry).label.c_str());
    } else {
        return usage();
    }
    return 0;
}

int regExport() {
    if (const std::string prefix = wine::PrefixInUse(); !prefix.empty()) {
        const auto text = wine::ExportPrefixRegistry(prefix);
        if (!text) {
            std::fprintf(stderr, "sigillo-cli: Wine could not export the registry of %s\n", prefix.c_str());
            return 1;
        }
        std::fwrite(text->data(), 1, text->size(), stdout);
        return 0;
    }
    try {
        registry::Store store(registry::Store::defaultPath());
        const std::string text = store.exportText();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sigillo-cli: %s\n", e.what());
        return kFailure;
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    std::string output = kReportFileName;
    bool outputGiven = false;
    bool storeGiven = false;
    std::optional<std::string> prefixFlag;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--wine-prefix" && i + 1 < argc) {
            prefixFlag = argv[++i];
        } else if ((a == "--registry" || a == "--output") && i + 1 < argc) {
            if (a == "--registry") {
                storeGiven = true;
                // Through the environment, so sigillo-regsvr and the servers it loads use the same store.
                ::setenv("SIGILLO_REGISTRY", argv[++i], 1);
            } else {
                output = argv[++i];
                outputGiven = true;
            }
        } else if (a == "-h" || a == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--registry" || a == "--output" || a == "--wine-prefix") {
            return usage();
        } else {
            args.push_back(a);
        }
    }
    if (args.empty() || (storeGiven && prefixFlag)) {
        return usage();
    }
    wine::UsePrefix(storeGiven ? std::string() : wine::ChoosePrefix(prefixFlag));
    CliUi ui;
    const std::string& command = args[0];
    if (outputGiven && command != "report") {
        return usage();
    }
    if (command == "info" && args.size() == 2) {
        return info(ui, args[1]);
    }
    if (command == "compare" && args.size() == 3) {
        return compare(ui, args[1], args[2]);
    }
    if ((command == "register" || command == "unregister") && args.size() == 2) {
        return registration(ui, args[1], command == "register");
    }
    if (command == "report" && args.size() == 2) {
        return report(ui, args[1], output);
    }
    if (command == "shell" && args.size() == 2) {
        return shell(ui, args[1]);
    }
    if (command == "reg" && args.size() == 2 && args[1] == "export") {
        return regExport();
    }
    return usage();
}
