#include "registry/RegistryStore.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "registry/Journal.h"
#include "registry/RegText.h"
#include "text/AtomicFile.h"

namespace sigillo::registry {

namespace {

constexpr unsigned long long kUnknownGeneration = ~0ull;
constexpr std::chrono::milliseconds kExitLockWait{1000};

std::string describe(std::chrono::milliseconds wait) {
    return wait.count() % 1000 == 0 ? std::to_string(wait.count() / 1000) + " s"
                                    : std::to_string(wait.count()) + " ms";
}

} // namespace

// Holds a lock on "<store>.lock" for as long as it lives. The store itself is
// replaced by rename, so the lock cannot sit on the store's own inode. The
// lock file also holds the number of writes so far (the generation): every
// writer raises it under the exclusive lock, so a reader that finds the number
// it last read, and the same file identity, can keep its parsed tree.
class FileLock {
public:
    FileLock(const std::string& storePath, bool exclusive, std::chrono::milliseconds wait)
        : lockPath_(storePath + ".lock") {
        const std::filesystem::path parent = std::filesystem::path(storePath).parent_path();
        if (!parent.empty() && exclusive) {
            std::error_code ec;
            std::filesystem::create_directories(parent, ec);
        }
        fd_ = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0 && !exclusive) {
            // A store in a folder the user cannot write can still be read; with
            // no lock file there, no writer can be at work either.
            fd_ = ::open(lockPath_.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd_ < 0 && (errno == ENOENT || errno == EACCES || errno == EROFS)) {
                return;
            }
        }
        if (fd_ < 0) {
            throw StoreError(errnoText("cannot open the lock file", lockPath_));
        }
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (::flock(fd_, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                const std::string message = errnoText("cannot lock", lockPath_);
                ::close(fd_);
                throw StoreError(message);
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                ::close(fd_);
                throw StoreError("the registry store " + storePath + " is locked by another process (" +
                                 lockPath_ + " held for more than " + describe(wait) + ")");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~FileLock() {
        if (fd_ >= 0) {
            ::close(fd_); // closing releases the lock
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    unsigned long long generation() const {
        unsigned long long g = 0;
        if (fd_ < 0) {
            return kUnknownGeneration;
        }
        const ssize_t n = ::pread(fd_, &g, sizeof g, 0);
        return n == static_cast<ssize_t>(sizeof g) ? g : 0;
    }

    void advanceGeneration() {
        const unsigned long long g = generation() + 1;
        if (::pwrite(fd_, &g, sizeof g, 0) != static_cast<ssize_t>(sizeof g)) {
            throw StoreError(errnoText("cannot write", lockPath_));
        }
    }

private:
    std::string lockPath_;
    int fd_ = -1;
};

Store::Store(std::string path, std::chrono::milliseconds lockWait)
    : path_(std::move(path)), lockWait_(lockWait) {}

Store::~Store() {
    std::error_code ec;
    if (!appended_ || inTransaction() || !std::filesystem::exists(path_, ec)) {
        return;
    }
    try {
        FileLock lock(path_, true, std::min(lockWait_, kExitLockWait));
        compactUnder(lock);
    } catch (const std::exception&) {
        // Left for the next writer; every reader replays the journal meanwhile.
    }
}

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

bool Store::refresh(unsigned long long generation) {
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
    const FileIdentity id = identityOf(st);
    const bool sameFile = haveLoaded_ && id == loaded_;
    if (sameFile && generation == loadedGeneration_ && generation != kUnknownGeneration) {
        return true;
    }
    haveLoaded_ = false; // until the tree is whole again
    if (!sameFile) {
        try {
            tree_ = parseRegText(readAll(fd, path_));
        } catch (const RegParseError& e) {
            throw StoreError("the registry store " + path_ + " cannot be read (" + e.what() + ")");
        }
        loaded_ = id;
        journalEnd_ = 0;
        journalRecords_ = 0;
    }
    // The same store file: only the records appended since the last look are new.
    journalEnd_ = replayJournal(journalPath(), id, journalEnd_, [&](std::string_view record) {
        try {
            applyRegLines(record, tree_);
        } catch (const RegParseError& e) {
            throw StoreError("the registry journal " + journalPath() + " cannot be read (" + e.what() + ")");
        }
        ++journalRecords_;
    });
    loadedGeneration_ = generation;
    haveLoaded_ = true;
    return true;
}

void Store::read(const std::function<void(const Tree&)>& fn) {
    if (inTransaction()) {
        fn(tree_);
        return;
    }
    FileLock lock(path_, false, lockWait_);
    if (refresh(lock.generation())) {
        fn(tree_);
    } else {
        fn(seededTree());
    }
}

void Store::update(const std::function<bool(Tree&)>& fn) {
    if (inTransaction()) {
        try {
            transactionChanged_ = fn(tree_) || transactionChanged_;
        } catch (...) {
            transactionChanged_ = true;
            throw;
        }
        return;
    }
    FileLock lock(path_, true, lockWait_);
    // Under the exclusive lock the generation proves whether another Sigillo
    // process wrote since this one parsed; the file's identity catches an edit
    // by hand.
    const bool existed = refresh(lock.generation());
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
        writeBack(lock);
    }
}

void Store::change(const std::function<std::string(const Tree&)>& fn) {
    if (inTransaction()) {
        const std::string lines = fn(tree_);
        if (!lines.empty()) {
            transactionChanged_ = true;
            applyRegLines(lines, tree_);
        }
        return;
    }
    FileLock lock(path_, true, lockWait_);
    const bool existed = refresh(lock.generation());
    if (!existed) {
        tree_ = seededTree();
    }
    const std::string lines = fn(tree_);
    if (lines.empty()) {
        if (!existed) {
            writeBack(lock);
        }
        return;
    }
    haveLoaded_ = false; // until the change is applied and recorded
    applyRegLines(lines, tree_);
    if (!existed || journalEnd_ + lines.size() > kJournalLimit) {
        writeBack(lock);
        return;
    }
    try {
        journalEnd_ = appendJournal(journalPath(), loaded_, journalEnd_, lines);
    } catch (const StoreError&) {
        writeBack(lock); // a journal that cannot be written: the store itself may be
        return;
    }
    ++journalRecords_;
    appended_ = true;
    lock.advanceGeneration();
    loadedGeneration_ = lock.generation();
    haveLoaded_ = true;
}

void Store::writeBack(FileLock& lock) {
    haveLoaded_ = false;
    try {
        text::writeFileAtomically(path_, formatRegText(tree_));
    } catch (const text::AtomicFileError& e) {
        throw StoreError(std::string("cannot write the registry store ") + e.what());
    }
    // A crash before this point leaves a journal that no longer matches the
    // new store, so it is ignored and nothing is applied twice.
    clearJournal(journalPath());
    journalEnd_ = 0;
    journalRecords_ = 0;
    appended_ = false;
    lock.advanceGeneration();
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0) {
        loaded_ = identityOf(st);
        loadedGeneration_ = lock.generation();
        haveLoaded_ = true;
    }
}

void Store::compactUnder(FileLock& lock) {
    if (refresh(lock.generation()) && journalRecords_ > 0) {
        writeBack(lock);
    }
}

void Store::compact() {
    if (inTransaction()) {
        return; // the commit compacts
    }
    FileLock lock(path_, true, lockWait_);
    compactUnder(lock);
}

void Store::checkWritable() {
    FileLock lock(path_, true, lockWait_);
    refresh(lock.generation());
    try {
        text::AtomicFile probe(path_); // removed again unless committed
    } catch (const text::AtomicFileError& e) {
        throw StoreError(std::string("cannot write the registry store ") + e.what());
    }
}

void Store::beginTransaction() {
    if (inTransaction()) {
        throw StoreError("a transaction on the registry store " + path_ + " is already open");
    }
    auto lock = std::make_unique<FileLock>(path_, true, lockWait_);
    transactionChanged_ = !refresh(lock->generation());
    if (transactionChanged_) {
        tree_ = seededTree(); // a new store is written on commit
    }
    transactionLock_ = std::move(lock);
}

void Store::commitTransaction() {
    if (!inTransaction()) {
        throw StoreError("no transaction on the registry store " + path_ + " is open");
    }
    const std::unique_ptr<FileLock> lock = std::move(transactionLock_);
    if (transactionChanged_ || journalRecords_ > 0) {
        writeBack(*lock);
    }
}

void Store::abortTransaction() {
    transactionLock_.reset();
    haveLoaded_ = false; // the tree holds the abandoned changes
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

std::optional<std::string> unreadableStore() {
    try {
        processStore().read([](const Tree&) {});
    } catch (const StoreError& e) {
        return e.what();
    }
    return std::nullopt;
}

} // namespace sigillo::registry
