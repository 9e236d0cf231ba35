// A file replaced atomically: the contents go to a temporary file beside the
// target ("<target>.tmp.<pid>.<n>"), flushed to disk and renamed over the
// target on commit, so a reader sees the old file or the whole new one, never
// a part.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace sigillo::text {

// The message is "<target>: <system error>": it names the file the user asked
// for, never the temporary one.
class AtomicFileError : public std::runtime_error {
public:
    AtomicFileError(const std::string& target, int error);
    int error() const { return error_; }

private:
    int error_;
};

class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    // Without commit the temporary file is removed and the target stays.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view text);
    void commit();

    const std::string& target() const { return target_; }

private:
    void discard();

    std::string target_;
    std::string tmp_;
    int fd_ = -1;
};

void writeFileAtomically(const std::string& target, std::string_view contents);

// Removes the temporary files of target left by writers that were killed
// (their process no longer runs). A new AtomicFile does this first.
void removeStaleTemporaryFiles(const std::string& target);

} // namespace sigillo::text
