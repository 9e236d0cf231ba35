#include "RegistryExport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "ProcessGroup.h"
#include "Wine.h"

namespace sigillo::wine {

namespace {

// A full export of a fresh prefix takes a few seconds; a first start of
// wineserver some more.
constexpr int kExportTimeLimitMs = 120000;

void appendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string Utf16LeToUtf8Lines(const std::string& bytes) {
    std::string out;
    size_t i =
        bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xFE
            ? 2
            : 0;
    auto unit = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1])
                                                                           << 8);
    };
    for (; i + 1 < bytes.size(); i += 2) {
        uint32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        if (c != '\r') {
            appendUtf8(out, c);
        }
    }
    return out;
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
