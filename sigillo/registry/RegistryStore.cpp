#include "registry/RegistryStore.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "registry/RegText.h"
#include "text/AtomicFile.h"

namespace sigillo::registry {

namespace {

std::string errnoText(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// Holds a lock on "<store>.lock" for as long as it lives. The store itself is
// replaced by rename, so the lock cannot sit on the store's own inode.
class FileLock {
public:
    FileLock(const std::string& storePath, bool exclusive) {
        const std::filesystem::path parent = std::filesystem::path(storePath).parent_path();
        if (!parent.empty()) {
            std::error_code ec;
            std::filesystem::create_directories(parent, ec);
        }
        const std::string lockPath = storePath + ".lock";
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            throw StoreError(errnoText("cannot open the lock file", lockPath));
        }
        int rc;
        do {
            rc = ::flock(fd_, exclusive ? LOCK_EX : LOCK_SH);
        } while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            ::close(fd_);
            throw StoreError(errnoText("cannot lock", lockPath));
        }
    }
    ~FileLock() { ::close(fd_); } // closing releases the lock
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

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

} // namespace

Store::Store(std::string path) : path_(std::move(path)) {}

std::string Store::defaultPath() {
    if (const char* p = std::getenv("SIGILLO_REGISTRY"); p && *p) {
        return p;
    }
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.config";
    } else {
        base = ".";
    }
    return base + "/sigillo/registry.reg";
}

bool Store::refresh(bool force) {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            haveLoaded_ = false;
            return false;
        }
        throw StoreError(errnoText("cannot open", path_));
    }
    std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* p) {
        ::close(*p);
        delete p;
    });
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        throw StoreError(errnoText("cannot stat", path_));
    }
    const Identity id{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
                      static_cast<unsigned long long>(st.st_size),
                      static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
    if (!force && haveLoaded_ && id == loaded_) {
        return true;
    }
    haveLoaded_ = false;
    try {
        tree_ = parseRegText(readAll(fd, path_));
    } catch (const RegParseError& e) {
        throw StoreError("the registry store " + path_ + " cannot be read (" + e.what() + ")");
    }
    loaded_ = id;
    haveLoaded_ = true;
    return true;
}

void Store::read(const std::function<void(const Tree&)>& fn) {
    FileLock lock(path_, false);
    if (refresh(false)) {
        fn(tree_);
    } else {
        fn(seededTree());
    }
}

void Store::update(const std::function<bool(Tree&)>& fn) {
    FileLock lock(path_, true);
    // A writer always reads the file afresh: file times are coarse and inode
    // numbers are reused, so an unchanged identity cannot prove an unchanged
    // file, and a stale tree written back would lose another process's change.
    const bool existed = refresh(true);
    if (!existed) {
        tree_ = seededTree();
    }
    bool changed;
    try {
        changed = fn(tree_);
    } catch (...) {
        haveLoaded_ = false; // the cached tree may be half changed
        throw;
    }
    if (changed || !existed) {
        writeBack();
    }
}

void Store::writeBack() {
    haveLoaded_ = false;
    try {
        text::writeFileAtomically(path_, formatRegText(tree_));
    } catch (const text::AtomicFileError& e) {
        throw StoreError(std::string("cannot write the registry store ") + e.what());
    }
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0) {
        loaded_ =
            Identity{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
                     static_cast<unsigned long long>(st.st_size),
                     static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
        haveLoaded_ = true;
    }
}

std::string Store::exportText() {
    std::string text;
    read([&](const Tree& tree) { text = formatRegText(tree); });
    return text;
}

Store& processStore() {
    static std::unique_ptr<Store> store;
    const std::string path = Store::defaultPath();
    if (!store || store->path() != path) {
        store = std::make_unique<Store>(path);
    }
    return *store;
}

} // namespace sigillo::registry
