// Arbitrary bytes into the number and complex text readers, the picture
// formatter and the list walkers. Every text lives in a heap block of exactly
// its length plus the terminating zero, so that a read past the zero is caught
// by the address sanitizer; raised conversion errors are the expected answer
// to unreadable text.
#include "probability.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace {

// A zero-terminated copy in a block of exactly the right size.
std::unique_ptr<char[]> cString(std::string_view text) {
    auto block = std::make_unique<char[]>(text.size() + 1);
    if (!text.empty())
        std::memcpy(block.get(), text.data(), text.size());
    block[text.size()] = 0;
    return block;
}

// Splits the input at 0xFF bytes into up to four texts.
std::vector<std::string_view> parts(const uint8_t* data, size_t size) {
    std::vector<std::string_view> out;
    std::string_view all(reinterpret_cast<const char*>(data), size);
    while (out.size() < 3) {
        const size_t cut = all.find('\xFF');
        if (cut == std::string_view::npos)
            break;
        out.push_back(all.substr(0, cut));
        all.remove_prefix(cut + 1);
    }
    out.push_back(all);
    while (out.size() < 4)
        out.push_back({});
    return out;
}

template <typename F> void guarded(F&& f) {
    try {
        f();
    } catch (const ProbabilityError&) {
    }
}

void readers(const char* text) {
    guarded([&] { StrToVal_PChar(text); });
    Cplx r{};
    guarded([&] { StrToCplx_PChar(&r, text); });
}

void walkers(const char* text, const char* sep, size_t length) {
    // Each call advances by at least one character or ends the list.
    for (int32_t pos = 1, steps = 0;
         pos <= static_cast<int32_t>(length) + 1 && steps <= static_cast<int32_t>(length) + 2; ++steps) {
        const int32_t before = pos;
        guarded([&] { ExtractSample_PChar(text, &pos, sep); });
        if (pos == before)
            break; // an unreadable field keeps the position
    }
    int32_t pos = 1;
    Cplx r{};
    guarded([&] { ExtractCplx_PChar(&r, text, &pos, sep); });
    int32_t bad = 0;
    guarded([&] { ExtractSample_PChar(text, &bad, sep); });
}

void writers(std::string_view raw, const char* formatRe, const char* formatIm, size_t formatsLength) {
    Cplx z{};
    if (raw.size() >= 16)
        std::memcpy(&z, raw.data(), 16);
    // 64 bytes hold any general-format result.
    auto general = std::make_unique<char[]>(64);
    const int32_t digits = raw.empty() ? 0 : static_cast<int8_t>(raw[0]);
    if (CplxToStr_PChar(&z, general.get(), digits) > 64)
        std::abort();
    const size_t bound = 2 * formatsLength + 1600;
    auto pictured = std::make_unique<char[]>(bound);
    if (static_cast<size_t>(FormatCplx_PChar(&z, pictured.get(), formatRe, formatIm)) > bound)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto p = parts(data, size);
    const auto text = cString(p[0]);
    const auto sep = cString(p[1]);
    const auto formatRe = cString(p[2]);
    const auto formatIm = cString(p[3]);
    readers(text.get());
    walkers(text.get(), sep.get(), p[0].size());
    writers(p[0], formatRe.get(), formatIm.get(), p[2].size() + p[3].size());
    return 0;
}
