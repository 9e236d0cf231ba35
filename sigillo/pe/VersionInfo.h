// The version resource of a PE file with the semantics of the Windows version
// calls: the raw VS_VERSIONINFO block, its fixed record, and its strings.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sigillo::pe {

struct FixedFileInfo {
    uint32_t signature = 0, strucVersion = 0;
    uint32_t fileVersionMS = 0, fileVersionLS = 0;
    uint32_t productVersionMS = 0, productVersionLS = 0;
    uint32_t fileFlagsMask = 0, fileFlags = 0, fileOS = 0, fileType = 0, fileSubtype = 0;
    uint32_t fileDateMS = 0, fileDateLS = 0;
};

// Size of the version block of a file; 0 when it has none (like GetFileVersionInfoSizeA).
uint32_t GetFileVersionInfoSize(const std::string& path);
// The raw version block (like GetFileVersionInfoA); empty when there is none.
std::vector<uint8_t> GetFileVersionInfo(const std::string& path);
std::vector<uint8_t> VersionBlockOf(std::span<const uint8_t> fileBytes);

// True when the block is shorter than the length its root declares: the file
// was cut, or the resource claims more than it holds.
bool IsVersionBlockCut(std::span<const uint8_t> block);

// The fixed record at the root "\" (like VerQueryValueA); nullopt when the
// block is too short or its signature is wrong.
std::optional<FixedFileInfo> QueryFixedFileInfo(std::span<const uint8_t> block);

// The first occurrence of key anywhere in the block, as Sigillo's scan finds
// it: case-insensitive, the value after the NUL that ends the key (skipping
// one padding NUL), up to the next NUL. UTF-8 result; empty when absent.
std::string ScanVersionString(std::span<const uint8_t> block, const std::string& key);

} // namespace sigillo::pe
