// A small random fuzz driver for compilers without libFuzzer.
//
// It understands the libFuzzer flags our tests use (-max_total_time=S,
// -runs=N, -timeout=S, -seed=N, -max_len=N) and takes corpus files or folders
// as further arguments. Each corpus input runs once as it is; then, until the
// time or run budget is spent, inputs made by mutating corpus entries (bit
// flips, byte insertions and deletions, interesting values, splices, or plain
// random bytes) are fed to the target. An input that runs past the timeout is
// written to "timeout-input" and the driver aborts; a crash leaves the last
// input in "crash-input".
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

using Bytes = std::vector<uint8_t>;

struct Options {
    double maxSeconds = 5;
    long long maxRuns = -1;
    unsigned timeoutSeconds = 10;
    unsigned seed = 0;
    size_t maxLen = 4096;
    std::vector<std::string> corpusPaths;
};

const Bytes* currentInput = nullptr;

void writeInput(const char* name, const Bytes& input) {
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
}

void onTimeout(int) {
    static const char message[] = "fuzz driver: input ran past the timeout, saved as timeout-input\n";
    if (currentInput)
        writeInput("timeout-input", *currentInput);
    (void)!write(2, message, sizeof message - 1);
    std::abort();
}

void onCrash(int sig) {
    if (currentInput)
        writeInput("crash-input", *currentInput);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

bool flagValue(const char* arg, const char* flag, std::string& value) {
    size_t n = std::strlen(flag);
    if (std::strncmp(arg, flag, n) != 0 || arg[n] != '=')
        return false;
    value = arg + n + 1;
    return true;
}

Options parseOptions(int argc, char** argv) {
    Options opt;
    for (int i = 1; i < argc; ++i) {
        std::string v;
        if (flagValue(argv[i], "-max_total_time", v))
            opt.maxSeconds = std::atof(v.c_str());
        else if (flagValue(argv[i], "-runs", v))
            opt.maxRuns = std::atoll(v.c_str());
        else if (flagValue(argv[i], "-timeout", v))
            opt.timeoutSeconds = static_cast<unsigned>(std::atoi(v.c_str()));
        else if (flagValue(argv[i], "-seed", v))
            opt.seed = static_cast<unsigned>(std::atoll(v.c_str()));
        else if (flagValue(argv[i], "-max_len", v))
            opt.maxLen = static_cast<size_t>(std::atoll(v.c_str()));
        else if (argv[i][0] != '-')
            opt.corpusPaths.emplace_back(argv[i]);
    }
    return opt;
}

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<Bytes> loadCorpus(const std::vector<std::string>& paths) {
    std::vector<Bytes> corpus;
    for (const auto& p : paths) {
        std::error_code ec;
        if (std::filesystem::is_directory(p, ec)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(p, ec))
                if (entry.is_regular_file())
                    corpus.push_back(readFile(entry.path()));
        } else if (std::filesystem::is_regular_file(p, ec)) {
            corpus.push_back(readFile(p));
        }
    }
    return corpus;
}

class Mutator {
public:
    Mutator(unsigned seed, size_t maxLen) : rng_(seed), maxLen_(maxLen) {}

    Bytes make(const std::vector<Bytes>& corpus) {
        Bytes b = corpus.empty() || pick(8) == 0 ? randomBytes() : corpus[pick(corpus.size())];
        const size_t steps = 1 + pick(8);
        for (size_t i = 0; i < steps; ++i)
            mutate(b, corpus);
        if (b.size() > maxLen_)
            b.resize(maxLen_);
        return b;
    }

private:
    size_t pick(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
    uint8_t byte() { return static_cast<uint8_t>(pick(256)); }

    Bytes randomBytes() {
        Bytes b(pick(std::min<size_t>(maxLen_, 256) + 1));
        for (auto& c : b)
            c = pick(2) ? byte() : static_cast<uint8_t>(" \t\r\n,.-0123456789<>\"/=E"[pick(23)]);
        return b;
    }

    void mutate(Bytes& b, const std::vector<Bytes>& corpus) {
        static const uint8_t interesting[] = {0,   1,   0x7f, 0x80, 0xff, '\n', '\r', ',',
                                              '.', '-', '"',  '<',  '>',  '\t', '0',  '9'};
        switch (pick(7)) {
        case 0:
            if (!b.empty())
                b[pick(b.size())] ^= static_cast<uint8_t>(1u << pick(8));
            break;
        case 1:
            b.insert(b.begin() + static_cast<long>(pick(b.size() + 1)), byte());
            break;
        case 2:
            if (!b.empty())
                b.erase(b.begin() + static_cast<long>(pick(b.size())));
            break;
        case 3:
            if (!b.empty())
                b[pick(b.size())] = interesting[pick(sizeof interesting)];
            break;
        case 4:
            if (!corpus.empty()) {
                const Bytes& other = corpus[pick(corpus.size())];
                if (!other.empty()) {
                    size_t from = pick(other.size());
                    size_t len = 1 + pick(other.size() - from);
                    b.insert(b.begin() + static_cast<long>(pick(b.size() + 1)),
                             other.begin() + static_cast<long>(from),
                             other.begin() + static_cast<long>(from + len));
                }
            }
            break;
        case 5:
            if (b.size() > 1)
                b.resize(pick(b.size()));
            break;
        default:
            if (!b.empty()) {
                size_t from = pick(b.size());
                size_t len = 1 + pick(std::min<size_t>(b.size() - from, 64));
                Bytes chunk(b.begin() + static_cast<long>(from), b.begin() + static_cast<long>(from + len));
                b.insert(b.begin() + static_cast<long>(pick(b.size() + 1)), chunk.begin(), chunk.end());
            }
            break;
        }
    }

    std::mt19937 rng_;
    size_t maxLen_;
};

void runOne(const Bytes& input, unsigned timeoutSeconds) {
    currentInput = &input;
    alarm(timeoutSeconds);
    LLVMFuzzerTestOneInput(input.data(), input.size());
    alarm(0);
    currentInput = nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    const Options opt = parseOptions(argc, argv);
    std::signal(SIGALRM, onTimeout);
    std::signal(SIGSEGV, onCrash);
    std::signal(SIGABRT, onCrash);

    const std::vector<Bytes> corpus = loadCorpus(opt.corpusPaths);
    for (const auto& input : corpus)
        runOne(input, opt.timeoutSeconds);

    // The seed is printed first, so that any run that ends in a fault can be repeated.
    const unsigned seed = opt.seed ? opt.seed : std::random_device{}();
    std::fprintf(stderr, "fuzz driver: seed %u\n", seed);
    Mutator mutator(seed, opt.maxLen);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(opt.maxSeconds);
    long long runs = 0;
    while ((opt.maxRuns < 0 || runs < opt.maxRuns) && std::chrono::steady_clock::now() < deadline) {
        const Bytes input = mutator.make(corpus);
        runOne(input, opt.timeoutSeconds);
        ++runs;
    }
    std::printf("fuzz driver: %zu corpus inputs and %lld generated inputs ran without a fault\n",
                corpus.size(), runs);
    return 0;
}
