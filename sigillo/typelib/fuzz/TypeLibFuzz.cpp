// Any bytes, as a standalone library or a PE file: no crash, no read outside the input.
#include <cstdint>

#include "typelib/TypeLib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    (void)sigillo::typelib::ReadTypeLib(bytes);
    (void)sigillo::typelib::ParseMsft(bytes);
    return 0;
}
