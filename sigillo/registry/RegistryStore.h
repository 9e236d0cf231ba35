// The registry store file: a .reg text shared by every Sigillo process and by
// the component servers they load. Readers take a shared lock, writers an
// exclusive one on a lock file beside the store; a write goes to a temporary
// file that is renamed over the store, so a killed writer never leaves a half
// written store and two writers never lose each other's changes.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "registry/RegistryTree.h"

namespace sigillo::registry {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Store {
public:
    explicit Store(std::string path);

    // SIGILLO_REGISTRY when set, else the user's configuration folder.
    static std::string defaultPath();

    const std::string& path() const { return path_; }

    // Runs fn on the current contents. A missing store reads as the seeded tree.
    void read(const std::function<void(const Tree&)>& fn);
    // Runs fn on the current contents under the exclusive lock; when it returns
    // true the tree is written back. A missing store is created seeded.
    void update(const std::function<bool(Tree&)>& fn);

    std::string exportText();

private:
    struct Identity {
        unsigned long long device = 0, inode = 0, size = 0;
        long long mtimeNs = 0;
        bool operator==(const Identity&) const = default;
    };
    // Reloads when forced or when the file's identity changed; false when it is missing.
    bool refresh(bool force);
    void writeBack();

    std::string path_;
    Tree tree_;
    Identity loaded_;
    bool haveLoaded_ = false;
};

// The store of this process, at Store::defaultPath() (looked up again on each
// call, so a changed SIGILLO_REGISTRY takes effect at once).
Store& processStore();

} // namespace sigillo::registry
