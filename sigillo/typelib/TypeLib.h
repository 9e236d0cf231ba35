// Reader of MSFT type libraries, standalone (.tlb) or embedded in a PE file as
// the resource "TYPELIB" #1: the library's name, help string, GUID, version
// and locale.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace sigillo::typelib {

struct TypeLibInfo {
    std::string name;
    std::string helpString;
    std::string guid; // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case
    uint16_t major = 0;
    uint16_t minor = 0;
    uint32_t lcid = 0;
    uint32_t sysKind = 0; // 0 win16, 1 win32, 2 mac, 3 win64
};

// Parses an MSFT blob; nullopt when it is not one or is malformed.
std::optional<TypeLibInfo> ParseMsft(std::span<const uint8_t> blob);
// Sniffs the bytes: "MZ" (a PE image with a TYPELIB resource) or "MSFT".
// Older SLTG libraries are reported as holding none.
std::optional<TypeLibInfo> ReadTypeLib(std::span<const uint8_t> bytes);
// Opens the type library of a file; nullopt when the file holds none or cannot be read.
std::optional<TypeLibInfo> OpenTypeLib(const std::string& path);

// Two libraries are the same library when GUID, version and locale agree.
bool IsSameTypeLib(const TypeLibInfo& a, const TypeLibInfo& b);

std::string GuidText(std::span<const uint8_t, 16> bytes);

} // namespace sigillo::typelib
