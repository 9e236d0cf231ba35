#include "wine/Wine.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

#include <unistd.h>

namespace sigillo::wine {

namespace {

bool runnable(const std::string& path) {
    return !path.empty() && ::access(path.c_str(), X_OK) == 0 && !std::filesystem::is_directory(path);
}

std::string onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (runnable(candidate)) {
            return candidate;
        }
    }
    return {};
}

} // namespace

std::string LoaderPath() {
    if (const char* loader = std::getenv("WINELOADER"); loader && runnable(loader)) {
        return loader;
    }
    if (runnable("/usr/lib/wine/wine64")) {
        return "/usr/lib/wine/wine64";
    }
    return onPath("wine64");
}

std::string HelperPath() {
    if (const char* helper = std::getenv("SIGILLO_WINE_HELPER"); helper && *helper) {
        return helper;
    }
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::path(".") : self.parent_path()).string() + "/sigillo-winereg.exe";
}

std::vector<std::string> WineEnvironment(const std::string& prefix) {
    return {"WINEPREFIX=" + prefix, "WINELOADER=" + LoaderPath(), "WINEDEBUG=-all",
            "WINEDLLOVERRIDES=mscoree,mshtml="};
}

std::string WindowsPath(const std::string& prefix, const std::string& unixPath) {
    std::error_code ec;
    const auto full = [&](const std::string& path) {
        auto absolute = std::filesystem::absolute(path, ec).lexically_normal();
        return ec ? std::filesystem::path(path) : absolute;
    };
    std::string drive = "Z:";
    std::string path = full(unixPath).string();
    const std::string driveC = full(prefix + "/drive_c").string();
    if (!prefix.empty() && path.starts_with(driveC + "/")) {
        drive = "C:";
        path.erase(0, driveC.size());
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return drive + path;
}

} // namespace sigillo::wine
