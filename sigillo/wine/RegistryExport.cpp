#include "wine/RegistryExport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <span>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "text/Utf8.h"
#include "wine/ProcessGroup.h"
#include "wine/Wine.h"

namespace sigillo::wine {

namespace {

// A full export of a fresh prefix takes a few seconds; a first start of
// wineserver some more.
constexpr int kExportTimeLimitMs = 120000;

} // namespace

std::string Utf16LeToUtf8Lines(const std::string& bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const bool bom = bytes.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    std::string text = text::utf16LeToUtf8(std::span(data, bytes.size()).subspan(bom ? 2 : 0));
    std::erase(text, '\r');
    return text;
}

std::optional<std::string> ExportPrefixRegistry(const std::string& prefix) {
    const std::string loader = LoaderPath();
    char path[] = "/tmp/sigillo-export-XXXXXX";
    const int fd = ::mkstemp(path);
    if (loader.empty() || fd < 0) {
        return std::nullopt;
    }
    ::close(fd);
    const auto process =
        SpawnInOwnGroup({loader, "regedit", "/E", WindowsPath(prefix, path)}, WineEnvironment(prefix), false);
    std::optional<std::string> text;
    if (process) {
        const auto status = WaitOrKillGroup(process->pid, kExportTimeLimitMs);
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0 && !bytes.str().empty()) {
            text = Utf16LeToUtf8Lines(bytes.str());
        }
    }
    std::remove(path);
    return text;
}

} // namespace sigillo::wine
