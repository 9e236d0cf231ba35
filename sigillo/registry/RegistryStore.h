// The registry store file: a .reg text shared by every Sigillo process and by
// the component servers they load. Readers take a shared lock, writers an
// exclusive one on a lock file beside the store; a write goes to a temporary
// file that is renamed over the store, so a killed writer never leaves a half
// written store and two writers never lose each other's changes. A lock held
// by another process is waited for a bounded time, then reported.
//
// A single change (one registry call outside a transaction) is not written
// into the store but appended to its journal (registry/Journal.h), so its cost
// does not grow with the store. The journal is folded into the store
// (compaction) when it grows past kJournalLimit, when a transaction commits,
// on compact(), and when a Store that appended to it is destroyed (at the end
// of the process); until then every Sigillo reader replays it.
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

#include "registry/Journal.h"
#include "registry/RegistryTree.h"

namespace sigillo::registry {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class FileLock;

inline constexpr std::chrono::milliseconds kLockWait{10000};
// Past this size a change compacts the store instead of growing the journal.
inline constexpr uint64_t kJournalLimit = 64 * 1024;

class Store {
public:
    explicit Store(std::string path, std::chrono::milliseconds lockWait = kLockWait);
    // Compacts the journal when this object appended to it (waiting at most
    // a second for the lock; a journal left behind is replayed all the same).
    ~Store();

    // SIGILLO_REGISTRY when set, else the user's configuration folder.
    static std::string defaultPath();

    const std::string& path() const { return path_; }

    // Runs fn on the current contents. A missing store reads as the seeded tree.
    void read(const std::function<void(const Tree&)>& fn);
    // Runs fn on the current contents under the exclusive lock; when it returns
    // true the whole tree is written back. A missing store is created seeded.
    void update(const std::function<bool(Tree&)>& fn);
    // Runs fn on the current contents under the exclusive lock; fn returns the
    // change as .reg key and value lines (RegText.h), or nothing. The change is
    // applied and appended to the journal, so readers see exactly what the
    // journal replays.
    void change(const std::function<std::string(const Tree&)>& fn);
    // Folds the journal's changes into the store file, if it holds any.
    void compact();

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
    // Reloads when the file's identity changed, and replays
    // the journal's new records; false when the store is missing.
    bool refresh(unsigned long long generation);
    // Writes the whole tree as the store and empties the journal.
    void writeBack(FileLock& lock);
    void compactUnder(FileLock& lock);
    std::string journalPath() const { return path_ + ".journal"; }

    std::string path_;
    std::chrono::milliseconds lockWait_;
    Tree tree_;
    FileIdentity loaded_;
    unsigned long long loadedGeneration_ = 0;
    bool haveLoaded_ = false;
    uint64_t journalEnd_ = 0;     // past the last record applied to tree_
    uint64_t journalRecords_ = 0; // records applied on top of the store file
    bool appended_ = false;       // this object appended since the last compaction
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
