// The registry store at the size of a real classes root (20 000 keys): one
// RegSetValueExA outside a registration (one journal record appended), and
// what a process starting afterwards pays to read the store (parse and replay
// of a journal near its compaction limit).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "registry/bench/LargeStore.h"
#include "sigillo_registry.h"

namespace {

using sigillo::registry::bench::largeStore;

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

void FirstReadOf20000KeyStoreWithFullJournal(benchmark::State& state) {
    using namespace sigillo::registry;
    largeStore().reset();
    const std::string journal = largeStore().path() + ".journal";
    for (int i = 0;
         !std::filesystem::exists(journal) || std::filesystem::file_size(journal) < kJournalLimit * 9 / 10;
         ++i) {
        HKEY key;
        const std::string name = "Software\\Sigillo\\Bench\\" + std::to_string(i);
        if (RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            state.SkipWithError("cannot create a key");
            return;
        }
        RegCloseKey(key);
    }
    for (auto _ : state) {
        Store reader(largeStore().path());
        reader.read([](const Tree& tree) { benchmark::DoNotOptimize(&tree); });
    }
}
BENCHMARK(FirstReadOf20000KeyStoreWithFullJournal)->Unit(benchmark::kMillisecond);

} // namespace
