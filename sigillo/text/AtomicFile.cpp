#include "text/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace sigillo::text {

namespace {

// The writer of "<name>.tmp.<pid>" or "<name>.tmp.<pid>.<n>", when the name
// has that form.
pid_t temporaryFileWriter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) {
        return 0;
    }
    name.remove_prefix(prefix.size());
    long long pid = 0;
    size_t i = 0;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < 1'000'000'000; ++i) {
        pid = pid * 10 + (name[i] - '0');
    }
    if (i == 0 || pid <= 0 || pid >= 1'000'000'000) {
        return 0;
    }
    if (i < name.size()) {
        if (name[i] != '.' || i + 1 == name.size() ||
            name.find_first_not_of("0123456789", i + 1) != std::string_view::npos) {
            return 0;
        }
    }
    return static_cast<pid_t>(pid);
}

bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

} // namespace

void removeStaleTemporaryFiles(const std::string& target) {
    namespace fs = std::filesystem;
    const fs::path path(target);
    const std::string prefix = path.filename().string() + ".tmp.";
    std::error_code ec;
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (const pid_t writer = temporaryFileWriter(name, prefix); writer != 0 && !processRuns(writer)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

AtomicFileError::AtomicFileError(const std::string& target, int error)
    : std::runtime_error(target + ": " + std::strerror(error)), error_(error) {}

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
    removeStaleTemporaryFiles(target_);
    static std::atomic<unsigned> counter{0};
    tmp_ = target_ + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
    fd_ = ::open(tmp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        throw AtomicFileError(target_, errno);
    }
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(tmp_.c_str());
        fd_ = -1;
    }
}

void AtomicFile::write(std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd_, text.data(), text.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            discard();
            throw AtomicFileError(target_, error);
        }
        text.remove_prefix(static_cast<size_t>(n));
    }
}

void AtomicFile::commit() {
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        const int error = errno;
        fd_ = -1;
        ::unlink(tmp_.c_str());
        throw AtomicFileError(target_, error);
    }
    fd_ = -1;
    if (::rename(tmp_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        ::unlink(tmp_.c_str());
        throw AtomicFileError(target_, error);
    }
}

void writeFileAtomically(const std::string& target, std::string_view contents) {
    AtomicFile file(target);
    file.write(contents);
    file.commit();
}

} // namespace sigillo::text
