#include "text/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace sigillo::text {

AtomicFileError::AtomicFileError(const std::string& target, int error)
    : std::runtime_error(target + ": " + std::strerror(error)), error_(error) {}

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
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
