// A store of 20 000 keys (the size of a well-used classes root), kept as a
// pristine copy; SIGILLO_REGISTRY names a working copy that a benchmark
// starts from.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "registry/RegistryStore.h"

namespace sigillo::registry::bench {

inline constexpr int kStoreKeys = 20000;

class LargeStore {
public:
    LargeStore() {
        namespace fs = std::filesystem;
        dir_ = fs::temp_directory_path().string() + "/sigillo-regbench-" + std::to_string(::getpid());
        fs::create_directories(dir_);
        pristine_ = dir_ + "/pristine.reg";
        Store store(pristine_);
        store.update([](Tree& tree) {
            char name[64];
            const std::string text = "/usr/lib/existing.so";
            for (int i = 0; i < kStoreKeys; ++i) {
                std::snprintf(name, sizeof name, "{A0A0A0A0-0000-4000-8000-0000%08X}", i);
                tree.create(Hive::ClassesRoot, {"CLSID", name})
                    .setValue({"", 1, std::vector<uint8_t>(text.begin(), text.end() + 1)});
            }
            return true;
        });
        working_ = dir_ + "/registry.reg";
        ::setenv("SIGILLO_REGISTRY", working_.c_str(), 1);
        reset();
    }
    ~LargeStore() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    LargeStore(const LargeStore&) = delete;
    LargeStore& operator=(const LargeStore&) = delete;

    // The working copy as a new file, without a journal.
    void reset() const {
        std::filesystem::remove(working_ + ".journal");
        std::filesystem::copy_file(pristine_, working_, std::filesystem::copy_options::overwrite_existing);
    }
    const std::string& path() const { return working_; }

private:
    std::string dir_, pristine_, working_;
};

inline const LargeStore& largeStore() {
    static const LargeStore store;
    return store;
}

} // namespace sigillo::registry::bench
