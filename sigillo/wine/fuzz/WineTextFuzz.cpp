// What the Wine back-end reads from outside, regedit's UTF-16 export and the
// helper's reply fields: any bytes decode without a crash, an escaped field
// comes back unchanged, and the decoded export is valid UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "wine/RegistryExport.h"
#include "wine/WineRegistry.h"

namespace {

bool validUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<uint8_t>(s[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) {
            return false;
        }
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<uint8_t>(s[i + k]) >> 6) != 2) {
                return false;
            }
        }
        i += n;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sigillo::wine;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!validUtf8(Utf16LeToUtf8Lines(bytes))) {
        std::abort();
    }
    std::string text;
    UnescapeField(bytes, text);
    std::string back;
    if (!UnescapeField(EscapeField(bytes), back) || back != bytes ||
        EscapeField(bytes).find_first_of("\t\n\r") != std::string::npos) {
        std::abort();
    }
    return 0;
}
