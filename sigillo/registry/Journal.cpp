#include "registry/Journal.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include "registry/RegistryStore.h"

namespace sigillo::registry {

namespace {

constexpr std::string_view kMagic = "SIGRGJ01";
constexpr size_t kHeaderSize = kMagic.size() + 4 * 8;
constexpr size_t kRecordHeaderSize = 8;

uint32_t crc32(std::string_view bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (const unsigned char b : bytes) {
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

void putLittleEndian(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

uint64_t getLittleEndian(std::string_view in, size_t at, int bytes) {
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(in[at + static_cast<size_t>(i)]);
    }
    return value;
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool writeAllAt(int fd, std::string_view bytes, uint64_t offset) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
        offset += static_cast<uint64_t>(n);
    }
    return true;
}

// Makes a newly created journal's name itself survive a crash.
void syncFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const Fd fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) {
        ::fsync(fd.get());
    }
}

} // namespace

std::string errnoText(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

std::string readAll(int fd, const std::string& path) {
    std::string text;
    char buf[65536];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw StoreError(errnoText("cannot read", path));
        }
        if (n == 0) {
            return text;
        }
        text.append(buf, static_cast<size_t>(n));
    }
}

std::string journalHeader(const FileIdentity& base) {
    std::string out(kMagic);
    for (const uint64_t field : {base.device, base.inode, base.size, static_cast<uint64_t>(base.mtimeNs)}) {
        putLittleEndian(out, field, 8);
    }
    return out;
}

FileIdentity identityOf(const struct stat& st) {
    return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                        static_cast<uint64_t>(st.st_size),
                        static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

uint64_t replayJournal(const std::string& path, const FileIdentity& base, uint64_t from,
                       const std::function<void(std::string_view record)>& apply) {
    const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) {
            return 0;
        }
        throw StoreError(errnoText("cannot open", path));
    }
    return replayJournalText(readAll(fd.get(), path), base, from, apply);
}

uint64_t replayJournalText(std::string_view journal, const FileIdentity& base, uint64_t from,
                           const std::function<void(std::string_view record)>& apply) {
    if (journal.size() < kHeaderSize || journal.substr(0, kHeaderSize) != journalHeader(base)) {
        return 0;
    }
    size_t at = std::max<size_t>(kHeaderSize, from);
    while (at <= journal.size() && journal.size() - at >= kRecordHeaderSize) {
        const uint64_t length = getLittleEndian(journal, at, 4);
        const auto checksum = static_cast<uint32_t>(getLittleEndian(journal, at + 4, 4));
        if (length > journal.size() - at - kRecordHeaderSize) {
            break;
        }
        const std::string_view record = journal.substr(at + kRecordHeaderSize, length);
        if (crc32(record) != checksum) {
            break;
        }
        apply(record);
        at += kRecordHeaderSize + length;
    }
    return at;
}

uint64_t appendJournal(const std::string& path, const FileIdentity& base, uint64_t end,
                       std::string_view record) {
    bool created = false;
    int raw = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (raw < 0 && errno == ENOENT) {
        raw = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        created = true;
    }
    const Fd fd(raw);
    if (fd.get() < 0) {
        throw StoreError(errnoText("cannot open", path));
    }
    std::string bytes = end == 0 ? journalHeader(base) : std::string();
    putLittleEndian(bytes, record.size(), 4);
    putLittleEndian(bytes, crc32(record), 4);
    bytes += record;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 ||
        (static_cast<uint64_t>(st.st_size) != end && ::ftruncate(fd.get(), static_cast<off_t>(end)) != 0) ||
        !writeAllAt(fd.get(), bytes, end)) {
        throw StoreError(errnoText("cannot write", path));
    }
    if (created) {
        syncFolderOf(path);
    }
    return end + bytes.size();
}

void clearJournal(const std::string& path) {
    if (::truncate(path.c_str(), 0) != 0) {
        return; // missing, or not ours to change: either way it no longer matches the store
    }
}

} // namespace sigillo::registry
