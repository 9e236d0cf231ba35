#include "engine/clsFile_Vantor.h"

#include <climits>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>

namespace sigillo {

namespace {

// File-system magic numbers of network and removable media (statfs f_type).
constexpr long kNfs = 0x6969, kSmb = 0x517B, kCifs = static_cast<long>(0xFF534D42u),
               kSmb2 = static_cast<long>(0xFE534D42u), kIso9660 = 0x9660, kUdf = 0x15013346,
               kTmpfs = 0x01021994, kRamfs = static_cast<long>(0x858458F6u);

size_t lastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::optional<FileDate> dateOf(const struct timespec& ts) {
    struct tm t {};
    const time_t seconds = ts.tv_sec;
    if (!::gmtime_r(&seconds, &t)) {
        return std::nullopt;
    }
    return FileDate{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

bool isNetworkFileSystem(long type) {
    return type == kNfs || type == kSmb || type == kCifs || type == kSmb2;
}

// "//server/share/..." split into its parts after the leading two separators.
std::vector<std::string> uncParts(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (size_t i = 2; i < path.size(); ++i) {
        if (isSeparator(path[i])) {
            parts.push_back(current);
            current.clear();
        } else {
            current += path[i];
        }
    }
    parts.push_back(current);
    return parts;
}

} // namespace

uint32_t clsFile_Vantor::eAttributes() const {
    struct stat st {};
    if (::stat(sFileName_.c_str(), &st) != 0) {
        return kInvalidAttributes;
    }
    uint32_t a = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
    if (!(st.st_mode & S_IWUSR)) {
        a |= kAttrReadOnly;
    }
    const std::string name = sNameAndExtension();
    if (!name.empty() && name[0] == '.') {
        a |= kAttrHidden;
    }
    return a;
}

void clsFile_Vantor::seteAttributes(uint32_t attributes) {
    struct stat st {};
    if (::stat(sFileName_.c_str(), &st) != 0) {
        return;
    }
    const mode_t writeBits = S_IWUSR | S_IWGRP | S_IWOTH;
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & kAttrReadOnly) ? (mode & ~writeBits) : (mode | S_IWUSR);
    ::chmod(sFileName_.c_str(), mode);
}

int32_t clsFile_Vantor::lSize() const {
    struct stat st {};
    if (::stat(sFileName_.c_str(), &st) != 0) {
        return 0;
    }
    // A 32-bit size cannot tell more than 2 GiB; larger files show the largest value.
    return st.st_size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(st.st_size);
}

std::string clsFile_Vantor::sPath() const {
    const size_t sep = lastSeparator(sFileName_);
    return sep == std::string::npos ? std::string{} : sFileName_.substr(0, sep + 1);
}

std::string clsFile_Vantor::sName() const {
    const size_t sep = lastSeparator(sFileName_);
    const size_t start = sep == std::string::npos ? 0 : sep + 1;
    const size_t dot = sFileName_.find_last_of('.');
    if (dot == std::string::npos || dot < start) {
        return sFileName_.substr(start);
    }
    return sFileName_.substr(start, dot - start);
}

std::string clsFile_Vantor::sExtension() const {
    const size_t sep = lastSeparator(sFileName_);
    const size_t dot = sFileName_.find_last_of('.');
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) {
        return {};
    }
    return sFileName_.substr(dot + 1);
}

std::string clsFile_Vantor::sNameAndExtension() const {
    const std::string name = sName();
    const std::string extension = sExtension();
    if (name.empty() || extension.empty()) {
        return name + extension;
    }
    return name + "." + extension;
}

std::optional<FileDate> clsFile_Vantor::dCreated() const {
    struct statx sx {};
    if (::statx(AT_FDCWD, sFileName_.c_str(), 0, STATX_BTIME | STATX_CTIME, &sx) != 0) {
        return std::nullopt;
    }
    // Not every file system keeps a birth time; the status-change time is the nearest.
    const auto& t = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_ctime;
    return dateOf(timespec{static_cast<time_t>(t.tv_sec), static_cast<long>(t.tv_nsec)});
}

std::optional<FileDate> clsFile_Vantor::dLastAccessed() const {
    struct stat st {};
    return ::stat(sFileName_.c_str(), &st) == 0 ? dateOf(st.st_atim) : std::nullopt;
}

std::optional<FileDate> clsFile_Vantor::dLastModified() const {
    struct stat st {};
    return ::stat(sFileName_.c_str(), &st) == 0 ? dateOf(st.st_mtim) : std::nullopt;
}

uint32_t clsFile_Vantor::lVolumeSerialNo() const {
    struct statvfs vfs {};
    if (::statvfs(sFileName_.c_str(), &vfs) != 0) {
        return 0;
    }
    return static_cast<uint32_t>(vfs.f_fsid);
}

bool clsFile_Vantor::bFixedDisk() const {
    struct statfs fs {};
    if (::statfs(sFileName_.c_str(), &fs) != 0) {
        return false;
    }
    const long type = static_cast<long>(fs.f_type);
    return !isNetworkFileSystem(type) && type != kIso9660 && type != kUdf;
}

std::string clsFile_Vantor::sPathRoot() const {
    std::string root;
    if (bUNC()) {
        const auto parts = uncParts(sFileName_);
        root = sFileName_.substr(0, 2) + parts[0];
        if (parts.size() > 1) {
            root += sFileName_[1] + parts[1];
        }
    } else if (sFileName_.size() >= 2 && sFileName_[1] == ':') {
        root = sFileName_.substr(0, 2);
    }
    const char sep = sFileName_.find('\\') != std::string::npos ? '\\' : '/';
    if (root.empty() || !isSeparator(root.back())) {
        root += sep;
    }
    return root;
}

uint32_t clsFile_Vantor::eVolumeType() const {
    enum : uint32_t { NoRootDir = 1, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };
    struct statfs fs {};
    if (::statfs(sFileName_.c_str(), &fs) != 0) {
        return NoRootDir;
    }
    const long type = static_cast<long>(fs.f_type);
    if (isNetworkFileSystem(type)) {
        return Remote;
    }
    if (type == kIso9660 || type == kUdf) {
        return CdRom;
    }
    if (type == kTmpfs || type == kRamfs) {
        return RamDisk;
    }
    return Fixed;
}

std::string clsFile_Vantor::sVolumeName() const {
    // Linux file systems carry their label outside the path's reach without
    // privileges; like a volume without a label, the name is empty.
    return {};
}

bool clsFile_Vantor::bUNC() const {
    return sFileName_.size() >= 2 && isSeparator(sFileName_[0]) && isSeparator(sFileName_[1]);
}

bool clsFile_Vantor::bUNCServer() const {
    if (!bUNC()) {
        return false;
    }
    const auto parts = uncParts(sFileName_);
    return parts.size() == 1 && !parts[0].empty();
}

bool clsFile_Vantor::bUNCServerShare() const {
    if (!bUNC()) {
        return false;
    }
    const auto parts = uncParts(sFileName_);
    return parts.size() == 2 && !parts[0].empty() && !parts[1].empty();
}

bool clsFile_Vantor::bNetworkPath() const {
    if (bUNC()) {
        return true;
    }
    struct statfs fs {};
    return ::statfs(sFileName_.c_str(), &fs) == 0 && isNetworkFileSystem(static_cast<long>(fs.f_type));
}

} // namespace sigillo
