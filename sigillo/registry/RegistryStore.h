// The registry store file: a .reg text shared by every Sigillo process and by
// the component servers they load. Readers take a shared lock, writers an
// exclusive one on a lock file beside the store; a write goes to a temporary
// file that is renamed over the store, so a killed writer never leaves a half
// written store and two writers never lose each other's changes. A lock held
// by another process is waited for a bounded time, then reported.
//
// A transaction (one component registration) holds the exclusive lock from
// its beginning to its end and works on the tree in memory: the store is
// written once, on commit, and a transaction that is never committed (the
// process crashed, hung and was killed, or the registration failed) leaves
// the store as it was.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "registry/RegistryTree.h"

namespace sigillo::registry {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class FileLock;

inline constexpr std::chrono::milliseconds kLockWait{10000};

class Store {
public:
    explicit Store(std::string path, std::chrono::milliseconds lockWait = kLockWait);
    ~Store();

    // SIGILLO_REGISTRY when set, else the user's configuration folder.
    static std::string defaultPath();

    const std::string& path() const { return path_; }

    // Runs fn on the current contents. A missing store reads as the seeded tree.
    void read(const std::function<void(const Tree&)>& fn);
    // Runs fn on the current contents under the exclusive lock; when it returns
    // true the tree is written back. A missing store is created seeded.
    void update(const std::function<bool(Tree&)>& fn);

    std::string exportText();

    // Throws StoreError unless the store can be read and replaced now: it is
    // parsed (a missing store counts as the seeded one) and a temporary file
    // can be created beside it. Nothing is changed.
    void checkWritable();

    // Every read and update until commitTransaction or abortTransaction works
    // on the tree in memory, under the exclusive lock.
    void beginTransaction();
    void commitTransaction();
    void abortTransaction();
    bool inTransaction() const { return transactionLock_ != nullptr; }

private:
    struct Identity {
        unsigned long long device = 0, inode = 0, size = 0;
        long long mtimeNs = 0;
        bool operator==(const Identity&) const = default;
    };
    // Reloads when forced or when the file's identity changed; false when it is missing.
    bool refresh(bool force, unsigned long long generation);
    void writeBack(FileLock& lock);

    std::string path_;
    std::chrono::milliseconds lockWait_;
    Tree tree_;
    Identity loaded_;
    unsigned long long loadedGeneration_ = 0;
    bool haveLoaded_ = false;
    std::unique_ptr<FileLock> transactionLock_;
    bool transactionChanged_ = false;
};

// The store of this process, at Store::defaultPath() (looked up again on each
// call, so a changed SIGILLO_REGISTRY takes effect at once).
Store& processStore();

// Why the process's store cannot be read, when it cannot (its path and the
// line or the system error); nothing when it reads.
std::optional<std::string> unreadableStore();

} // namespace sigillo::registry
