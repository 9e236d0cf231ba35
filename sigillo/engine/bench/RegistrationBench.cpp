// The registry store at the size of real registrations: a server writing
// 10 000 keys registered into a store of 20 000 keys, end to end (helper
// process, the server's calls, the one commit), and a single RegSetValueExA
// outside a registration on that store.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "engine/clsRegistrator.h"
#include "registry/RegistryStore.h"
#include "sigillo_registry.h"

namespace fs = std::filesystem;

namespace {

constexpr int kStoreKeys = 20000;

// A store of 20 000 keys, kept as a pristine copy; SIGILLO_REGISTRY names a
// working copy that each iteration starts from.
class LargeStore {
public:
    LargeStore() {
        dir_ = fs::temp_directory_path().string() + "/sigillo-regbench-" + std::to_string(::getpid());
        fs::create_directories(dir_);
        pristine_ = dir_ + "/pristine.reg";
        sigillo::registry::Store store(pristine_);
        store.beginTransaction();
        store.update([](sigillo::registry::Tree& tree) {
            char name[64];
            for (int i = 0; i < kStoreKeys; ++i) {
                std::snprintf(name, sizeof name, "{A0A0A0A0-0000-4000-8000-0000%08X}", i);
                sigillo::registry::Key& key =
                    tree.create(sigillo::registry::Hive::ClassesRoot, {"CLSID", name});
                const std::string text = "/usr/lib/existing.so";
                key.setValue({"", 1, std::vector<uint8_t>(text.begin(), text.end() + 1)});
            }
            return true;
        });
        store.commitTransaction();
        working_ = dir_ + "/registry.reg";
        ::setenv("SIGILLO_REGISTRY", working_.c_str(), 1);
        reset();
    }
    ~LargeStore() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    void reset() const { fs::copy_file(pristine_, working_, fs::copy_options::overwrite_existing); }

private:
    std::string dir_, pristine_, working_;
};

const LargeStore& largeStore() {
    static const LargeStore store;
    return store;
}

void RegistrationOf10000KeysInto20000KeyStore(benchmark::State& state) {
    const LargeStore& store = largeStore();
    for (auto _ : state) {
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
        if (sigillo::RunEntryPoint(SERVER_BULK, true) != sigillo::StatusRegistered) {
            state.SkipWithError("the registration failed");
            break;
        }
    }
}
BENCHMARK(RegistrationOf10000KeysInto20000KeyStore)->Unit(benchmark::kMillisecond)->Iterations(3);

void SingleSetValueOn20000KeyStore(benchmark::State& state) {
    largeStore().reset();
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Sigillo\\Bench", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        state.SkipWithError("cannot open the key");
        return;
    }
    DWORD n = 0;
    for (auto _ : state) {
        ++n;
        if (RegSetValueExA(key, "Counter", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&n), sizeof n) !=
            ERROR_SUCCESS) {
            state.SkipWithError("the write failed");
            break;
        }
    }
    RegCloseKey(key);
}
BENCHMARK(SingleSetValueOn20000KeyStore)->Unit(benchmark::kMillisecond);

} // namespace
