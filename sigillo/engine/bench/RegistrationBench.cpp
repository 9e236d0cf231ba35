// The registry store at the size of real registrations: a server writing
// 10 000 keys registered into a store of 20 000 keys, end to end (helper
// process, the server's calls, the one commit).
#include <benchmark/benchmark.h>

#include "engine/clsRegistrator.h"
#include "registry/bench/LargeStore.h"

namespace {

using sigillo::registry::bench::LargeStore;
using sigillo::registry::bench::largeStore;

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

} // namespace
