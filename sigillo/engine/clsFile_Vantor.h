// One file path and what can be asked about it, its path and its volume. On
// this platform there are no drive letters or 8.3 names: the short and the
// expanded name are the path itself, and the volume serial number is the file
// system's id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sigillo {

// Calendar time as the file system reports it (UTC, no local-time conversion).
struct FileDate {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const FileDate&) const = default;
};

// Attribute bits in the Windows numbering.
inline constexpr uint32_t kAttrReadOnly = 0x1;
inline constexpr uint32_t kAttrHidden = 0x2;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;
inline constexpr uint32_t kAttrNormal = 0x80;
inline constexpr uint32_t kInvalidAttributes = 0xFFFFFFFFu;

class clsFile_Vantor {
public:
    explicit clsFile_Vantor(std::string fileName = {}) : sFileName_(std::move(fileName)) {}

    const std::string& sFileName() const { return sFileName_; }
    void setsFileName(std::string v) { sFileName_ = std::move(v); }

    uint32_t eAttributes() const;
    void seteAttributes(uint32_t attributes); // the read-only bit is the one this platform keeps
    int32_t lSize() const;

    // Path parts by the last separator ("/" or "\") and the last "." after it.
    std::string sName() const;
    std::string sNameAndExtension() const;
    std::string sExtension() const;
    std::string sPath() const;

    std::string sShortName() const { return sFileName_; }
    std::string sExpandedName() const { return sFileName_; }

    std::optional<FileDate> dCreated() const;
    std::optional<FileDate> dLastAccessed() const;
    std::optional<FileDate> dLastModified() const;
    uint32_t lVolumeSerialNo() const;
    bool bFixedDisk() const;

    std::string sDriveLetter() const { return {}; }
    std::string sPathRoot() const;
    uint32_t eVolumeType() const;
    std::string sVolumeName() const;

    // Network-path tests on the "//server/share" (or "\\server\share") forms.
    bool bNetworkPath() const;
    bool bUNC() const;
    bool bUNCServer() const;
    bool bUNCServerShare() const;

private:
    std::string sFileName_;
};

} // namespace sigillo
