#include "engine/clsFileInfo.h"

#include "pe/VersionInfo.h"

namespace sigillo {

namespace {

std::string versionText(uint32_t high, uint32_t low) {
    // Each part is shown as a signed 16-bit number, as the original tool did.
    const uint16_t parts[4] = {uint16_t(high >> 16), uint16_t(high), uint16_t(low >> 16), uint16_t(low)};
    std::string out;
    for (int i = 0; i < 4; ++i) {
        out += (i ? "." : "") + std::to_string(static_cast<int16_t>(parts[i]));
    }
    return out;
}

std::string flagsText(uint32_t flags) {
    static constexpr const char* kWords[] = {"Debug ",   "PreRel ", "Patched ",
                                             "Private ", "Info ",   "Special "};
    std::string out;
    for (int bit = 0; bit < 6; ++bit) {
        if (flags & (1u << bit)) {
            out += kWords[bit];
        }
    }
    return out;
}

std::string osText(uint32_t os) {
    switch (os) {
    case 0x10001:
        return "DOS-Win16";
    case 0x10004:
        return "DOS-Win32";
    case 0x20002:
        return "OS/2-16 PM-16";
    case 0x30003:
        return "OS/2-16 PM-32";
    case 0x40004:
        return "NT-Win32";
    default:
        return "Unknown";
    }
}

std::string typeText(uint32_t type) {
    switch (type) {
    case 1:
        return "App";
    case 2:
        return "DLL";
    case 3:
        return "Driver";
    case 4:
        return "Font";
    case 5:
        return "VxD";
    case 7:
        return "Lib";
    default:
        return "Unknown";
    }
}

std::string subtypeText(uint32_t type, uint32_t subtype) {
    static constexpr const char* kDrivers[] = {"Unknown",     "Printer drv", "Keyboard drv", "Language drv",
                                               "Display drv", "Mouse drv",   "Network drv",  "System drv",
                                               "Installable", "Sound drv",   "Comm drv"};
    static constexpr const char* kFonts[] = {"Raster Font", "Vector Font", "TrueType Font"};
    if (type == 3 && subtype <= 10) {
        return kDrivers[subtype];
    }
    if (type == 4 && subtype >= 1 && subtype <= 3) {
        return kFonts[subtype - 1];
    }
    return {};
}

} // namespace

void clsFileInfo::SelectFile(const std::string& sFile) {
    *this = clsFileInfo{};
    const std::vector<uint8_t> block = pe::GetFileVersionInfo(sFile);
    if (block.size() <= 1) {
        return;
    }
    VersionResourceCut = pe::IsVersionBlockCut(block);
    std::string* fields[] = {&CompanyName,    &FileDescription, &InternalName,
                             &LegalCopyright, &LegalTrademarks, &OriginalFileName,
                             &ProductName,    &ProductVersion,  &Comments};
    const char* keys[] = {"CompanyName",    "FileDescription", "InternalName",
                          "LegalCopyright", "LegalTrademarks", "OriginalFileName",
                          "ProductName",    "ProductVersion",  "Comments"};
    for (size_t i = 0; i < std::size(keys); ++i) {
        *fields[i] = pe::ScanVersionString(block, keys[i]);
    }
    const auto fixed = pe::QueryFixedFileInfo(block);
    if (!fixed) {
        return;
    }
    StrucVerEx =
        std::to_string(fixed->strucVersion >> 16) + "." + std::to_string(fixed->strucVersion & 0xFFFF);
    FileVerEx = versionText(fixed->fileVersionMS, fixed->fileVersionLS);
    ProdVerEx = versionText(fixed->productVersionMS, fixed->productVersionLS);
    FileFlagsEx = flagsText(fixed->fileFlags);
    FileOSEx = osText(fixed->fileOS);
    FileTypeEx = typeText(fixed->fileType);
    FileSubTypeEx = subtypeText(fixed->fileType, fixed->fileSubtype);
}

} // namespace sigillo
