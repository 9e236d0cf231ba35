#pragma once
// The registry's size protocol for handing data to a caller's buffer, shared by
// the .reg store and the Wine prefix back-end so both answer alike.
#include "sigillo_registry.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace sigillo::registry {

// No buffer: only the size is told. A buffer too small: the size needed and
// ERROR_MORE_DATA. Otherwise the data and its size.
inline LONG copyOut(const std::vector<uint8_t>& data, LPBYTE out, LPDWORD size) {
    if (out && !size) {
        return ERROR_INVALID_PARAMETER;
    }
    if (!out) {
        if (size) {
            *size = static_cast<DWORD>(data.size());
        }
        return ERROR_SUCCESS;
    }
    const DWORD available = *size;
    *size = static_cast<DWORD>(data.size());
    if (available < data.size()) {
        return ERROR_MORE_DATA;
    }
    if (!data.empty()) {
        std::memcpy(out, data.data(), data.size());
    }
    return ERROR_SUCCESS;
}

} // namespace sigillo::registry
