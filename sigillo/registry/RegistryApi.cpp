// The advapi32-style C functions over the process's registry store. Open keys
// are remembered by path: a handle whose key was deleted meanwhile answers
// ERROR_KEY_DELETED, as on Windows.
#include "registry/CopyOut.h"
#include "sigillo_registry.h"
#include "sigillo_registry_backend.h"
#include "sigillo_registry_transaction.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "registry/RegText.h"
#include "registry/RegistryStore.h"
#include "registry/RegistryTree.h"

using sigillo::registry::Hive;
using sigillo::registry::Key;
using sigillo::registry::processStore;
using sigillo::registry::regKeyLine;
using sigillo::registry::regValueLine;
using sigillo::registry::regValueRemovalLine;
using sigillo::registry::StoreError;
using sigillo::registry::Tree;

namespace {

constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;

struct OpenKey {
    Hive hive;
    std::vector<std::string> path;
    REGSAM access;
};

std::atomic<const SigilloRegistryBackend*> installedBackend{nullptr};

std::mutex apiMutex;
std::map<uintptr_t, OpenKey> openKeys;
uintptr_t nextHandle = 0x1000;

std::optional<OpenKey> resolve(HKEY h) {
    const auto value = reinterpret_cast<uintptr_t>(h);
    if (auto hive = sigillo::registry::hiveFromHandleValue(value)) {
        return OpenKey{*hive, {}, KEY_ALL_ACCESS};
    }
    auto it = openKeys.find(value);
    if (it == openKeys.end()) {
        return std::nullopt;
    }
    return it->second;
}

// A text line in a .reg file cannot carry line breaks.
bool storableName(std::string_view name, size_t maxLength) {
    return name.size() <= maxLength && name.find_first_of("\r\n") == std::string_view::npos;
}

// Appends sub to base; ERROR_SUCCESS or the code that rejects the path.
LONG joinPath(const OpenKey& base, LPCSTR sub, std::vector<std::string>& out) {
    out = base.path;
    if (!sub || !*sub) {
        return ERROR_SUCCESS;
    }
    auto parts = sigillo::registry::splitKeyPath(sub);
    if (!parts) {
        return ERROR_BAD_PATHNAME;
    }
    for (auto& p : *parts) {
        if (!storableName(p, kMaxKeyNameLength)) {
            return ERROR_INVALID_PARAMETER;
        }
        out.push_back(std::move(p));
    }
    return out.size() > sigillo::registry::kMaxKeyDepth ? ERROR_BAD_PATHNAME : ERROR_SUCCESS;
}

HKEY newHandle(OpenKey key) {
    const uintptr_t value = nextHandle;
    nextHandle += 4;
    openKeys.emplace(value, std::move(key));
    return reinterpret_cast<HKEY>(value);
}

// Runs body under the API lock, turning store failures into result codes so
// that nothing is thrown across the C boundary.
template <typename Body> LONG guarded(Body body) {
    try {
        std::lock_guard lock(apiMutex);
        return body();
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    } catch (...) {
        return ERROR_REGISTRY_IO_FAILED;
    }
}

// Runs a store operation under the API lock; a failure's text goes to message.
template <typename Body> LONG storeCall(Body body, LPSTR message, DWORD messageSize) {
    std::string reason;
    try {
        std::lock_guard lock(apiMutex);
        body();
        return ERROR_SUCCESS;
    } catch (const std::exception& e) {
        reason = e.what();
    }
    if (message && messageSize > 0) {
        const size_t n = std::min<size_t>(reason.size(), messageSize - 1);
        std::memcpy(message, reason.data(), n);
        message[n] = '\0';
    }
    return ERROR_REGISTRY_IO_FAILED;
}

// The key below an open handle: the handle's key and the full path of the
// sub-key, or the code that rejects either.
LONG resolveSubKey(HKEY h, LPCSTR sub, std::optional<OpenKey>& base, std::vector<std::string>& path) {
    base = resolve(h);
    if (!base) {
        return ERROR_INVALID_HANDLE;
    }
    return joinPath(*base, sub, path);
}

LONG readKey(const OpenKey& k, const std::function<LONG(const Key&)>& fn) {
    LONG rc = ERROR_KEY_DELETED;
    processStore().read([&](const Tree& tree) {
        if (const Key* key = tree.find(k.hive, k.path)) {
            rc = fn(*key);
        }
    });
    return rc;
}

} // namespace

extern "C" {

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegOpenKeyExA(hKey, lpSubKey, 0, samDesired, phkResult);
    }
    return guarded([&]() -> LONG {
        if (!phkResult) {
            return ERROR_INVALID_PARAMETER;
        }
        std::optional<OpenKey> base;
        std::vector<std::string> path;
        if (LONG rc = resolveSubKey(hKey, lpSubKey, base, path); rc != ERROR_SUCCESS) {
            return rc;
        }
        bool found = false;
        processStore().read([&](const Tree& tree) { found = tree.find(base->hive, path) != nullptr; });
        if (!found) {
            return ERROR_FILE_NOT_FOUND;
        }
        *phkResult = newHandle(OpenKey{base->hive, std::move(path), samDesired});
        return ERROR_SUCCESS;
    });
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR lpClass, DWORD dwOptions, REGSAM samDesired,
                     const void* lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegCreateKeyExA(hKey, lpSubKey, 0, lpClass, dwOptions, samDesired,
                                        lpSecurityAttributes, phkResult, lpdwDisposition);
    }
    return guarded([&]() -> LONG {
        if (!phkResult) {
            return ERROR_INVALID_PARAMETER;
        }
        std::optional<OpenKey> base;
        std::vector<std::string> path;
        if (LONG rc = resolveSubKey(hKey, lpSubKey, base, path); rc != ERROR_SUCCESS) {
            return rc;
        }
        LONG rc = ERROR_SUCCESS;
        bool created = false;
        processStore().change([&](const Tree& tree) {
            if (!tree.find(base->hive, base->path)) {
                rc = ERROR_KEY_DELETED;
                return std::string();
            }
            created = !tree.find(base->hive, path);
            return created ? regKeyLine(base->hive, path) : std::string();
        });
        if (rc != ERROR_SUCCESS) {
            return rc;
        }
        if (lpdwDisposition) {
            *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        }
        *phkResult = newHandle(OpenKey{base->hive, std::move(path), samDesired});
        return ERROR_SUCCESS;
    });
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegQueryValueExA(hKey, lpValueName, lpReserved, lpType, lpData, lpcbData);
    }
    return guarded([&]() -> LONG {
        auto k = resolve(hKey);
        if (!k) {
            return ERROR_INVALID_HANDLE;
        }
        if (!(k->access & KEY_QUERY_VALUE)) {
            return ERROR_ACCESS_DENIED;
        }
        return readKey(*k, [&](const Key& key) -> LONG {
            const auto* v = key.findValue(lpValueName ? lpValueName : "");
            if (!v) {
                return ERROR_FILE_NOT_FOUND;
            }
            if (lpType) {
                *lpType = v->type;
            }
            return sigillo::registry::copyOut(v->data, lpData, lpcbData);
        });
    });
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegSetValueExA(hKey, lpValueName, 0, dwType, lpData, cbData);
    }
    return guarded([&]() -> LONG {
        auto k = resolve(hKey);
        if (!k) {
            return ERROR_INVALID_HANDLE;
        }
        if (!(k->access & KEY_SET_VALUE)) {
            return ERROR_ACCESS_DENIED;
        }
        const std::string name = lpValueName ? lpValueName : "";
        if ((!lpData && cbData > 0) || !storableName(name, kMaxValueNameLength)) {
            return ERROR_INVALID_PARAMETER;
        }
        LONG rc = ERROR_SUCCESS;
        processStore().change([&](const Tree& tree) {
            if (!tree.find(k->hive, k->path)) {
                rc = ERROR_KEY_DELETED;
                return std::string();
            }
            return regKeyLine(k->hive, k->path) +
                   regValueLine(sigillo::registry::Value{name, dwType, {lpData, lpData + cbData}});
        });
        return rc;
    });
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegDeleteKeyA(hKey, lpSubKey);
    }
    return guarded([&]() -> LONG {
        std::optional<OpenKey> base;
        std::vector<std::string> path;
        if (LONG rc = resolveSubKey(hKey, lpSubKey, base, path); rc != ERROR_SUCCESS) {
            return rc;
        }
        if (path.empty()) {
            return ERROR_ACCESS_DENIED; // a root cannot be deleted
        }
        LONG rc = ERROR_SUCCESS;
        processStore().change([&](const Tree& tree) {
            const Key* key = tree.find(base->hive, path);
            if (!key) {
                rc = ERROR_FILE_NOT_FOUND;
                return std::string();
            }
            if (!key->subkeys.empty()) {
                rc = ERROR_ACCESS_DENIED;
                return std::string();
            }
            return regKeyLine(base->hive, path, true);
        });
        return rc;
    });
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegDeleteValueA(hKey, lpValueName);
    }
    return guarded([&]() -> LONG {
        auto k = resolve(hKey);
        if (!k) {
            return ERROR_INVALID_HANDLE;
        }
        if (!(k->access & KEY_SET_VALUE)) {
            return ERROR_ACCESS_DENIED;
        }
        LONG rc = ERROR_SUCCESS;
        const std::string name = lpValueName ? lpValueName : "";
        processStore().change([&](const Tree& tree) {
            const Key* key = tree.find(k->hive, k->path);
            if (!key) {
                rc = ERROR_KEY_DELETED;
                return std::string();
            }
            if (!key->findValue(name)) {
                rc = ERROR_FILE_NOT_FOUND;
                return std::string();
            }
            return regKeyLine(k->hive, k->path) + regValueRemovalLine(name);
        });
        return rc;
    });
}

LONG RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegEnumKeyA(hKey, dwIndex, lpName, cchName);
    }
    return guarded([&]() -> LONG {
        auto k = resolve(hKey);
        if (!k) {
            return ERROR_INVALID_HANDLE;
        }
        if (!(k->access & KEY_ENUMERATE_SUB_KEYS)) {
            return ERROR_ACCESS_DENIED;
        }
        return readKey(*k, [&](const Key& key) -> LONG {
            if (dwIndex >= key.subkeys.size()) {
                return ERROR_NO_MORE_ITEMS;
            }
            auto it = std::next(key.subkeys.begin(), static_cast<long>(dwIndex));
            const std::string& name = it->second.name;
            if (!lpName || cchName < name.size() + 1) {
                return ERROR_MORE_DATA;
            }
            std::memcpy(lpName, name.c_str(), name.size() + 1);
            return ERROR_SUCCESS;
        });
    });
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                   LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegEnumValueA(hKey, dwIndex, lpValueName, lpcchValueName, lpReserved, lpType, lpData,
                                      lpcbData);
    }
    return guarded([&]() -> LONG {
        auto k = resolve(hKey);
        if (!k) {
            return ERROR_INVALID_HANDLE;
        }
        if (!(k->access & KEY_QUERY_VALUE)) {
            return ERROR_ACCESS_DENIED;
        }
        if (!lpValueName || !lpcchValueName) {
            return ERROR_INVALID_PARAMETER;
        }
        return readKey(*k, [&](const Key& key) -> LONG {
            if (dwIndex >= key.values.size()) {
                return ERROR_NO_MORE_ITEMS;
            }
            const auto& v = key.values[dwIndex];
            if (*lpcchValueName < v.name.size() + 1) {
                return ERROR_MORE_DATA;
            }
            std::memcpy(lpValueName, v.name.c_str(), v.name.size() + 1);
            *lpcchValueName = static_cast<DWORD>(v.name.size());
            if (lpType) {
                *lpType = v.type;
            }
            return sigillo::registry::copyOut(v.data, lpData, lpcbData);
        });
    });
}

LONG RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
                      LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                      LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                      void* lpftLastWriteTime) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegQueryInfoKeyA(hKey, lpClass, lpcchClass, lpReserved, lpcSubKeys, lpcbMaxSubKeyLen,
                                         lpcbMaxClassLen, lpcValues, lpcbMaxValueNameLen, lpcbMaxValueLen,
                                         lpcbSecurityDescriptor, lpftLastWriteTime);
    }
    return guarded([&]() -> LONG {
        auto k = resolve(hKey);
        if (!k) {
            return ERROR_INVALID_HANDLE;
        }
        if (!(k->access & KEY_QUERY_VALUE)) {
            return ERROR_ACCESS_DENIED;
        }
        return readKey(*k, [&](const Key& key) -> LONG {
            DWORD maxSub = 0, maxName = 0, maxData = 0;
            for (const auto& [name, sub] : key.subkeys) {
                maxSub = std::max<DWORD>(maxSub, static_cast<DWORD>(sub.name.size()));
            }
            for (const auto& v : key.values) {
                maxName = std::max<DWORD>(maxName, static_cast<DWORD>(v.name.size()));
                maxData = std::max<DWORD>(maxData, static_cast<DWORD>(v.data.size()));
            }
            if (lpClass && lpcchClass && *lpcchClass > 0) {
                *lpClass = '\0';
            }
            if (lpcchClass) {
                *lpcchClass = 0;
            }
            const std::pair<LPDWORD, DWORD> outs[] = {
                {lpcSubKeys, static_cast<DWORD>(key.subkeys.size())},
                {lpcbMaxSubKeyLen, maxSub},
                {lpcbMaxClassLen, 0},
                {lpcValues, static_cast<DWORD>(key.values.size())},
                {lpcbMaxValueNameLen, maxName},
                {lpcbMaxValueLen, maxData},
                {lpcbSecurityDescriptor, 0},
            };
            for (const auto& [out, value] : outs) {
                if (out) {
                    *out = value;
                }
            }
            if (lpftLastWriteTime) {
                std::memset(lpftLastWriteTime, 0, 8);
            }
            return ERROR_SUCCESS;
        });
    });
}

LONG RegCloseKey(HKEY hKey) {
    if (const auto* backend = installedBackend.load()) {
        return backend->RegCloseKey(hKey);
    }
    return guarded([&]() -> LONG {
        if (sigillo::registry::hiveFromHandleValue(reinterpret_cast<uintptr_t>(hKey))) {
            return ERROR_SUCCESS;
        }
        return openKeys.erase(reinterpret_cast<uintptr_t>(hKey)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    });
}

DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
    if (const auto* backend = installedBackend.load()) {
        return backend->ExpandEnvironmentStringsA(lpSrc, lpDst, nSize);
    }
    if (!lpSrc) {
        return 0;
    }
    std::string out;
    const std::string_view src = lpSrc;
    size_t i = 0;
    while (i < src.size()) {
        const size_t open = src.find('%', i);
        if (open == std::string_view::npos) {
            out.append(src.substr(i));
            break;
        }
        out.append(src.substr(i, open - i));
        const size_t close = src.find('%', open + 1);
        if (close == std::string_view::npos) {
            out.append(src.substr(open));
            break;
        }
        const std::string name(src.substr(open + 1, close - open - 1));
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value) {
            out.append(value);
        } else {
            out.append(src.substr(open, close - open + 1));
        }
        i = close + 1;
    }
    const auto needed = static_cast<DWORD>(out.size() + 1);
    if (lpDst && nSize >= needed) {
        std::memcpy(lpDst, out.c_str(), needed);
    }
    return needed;
}

LONG SigilloRegBeginTransaction(LPSTR message, DWORD messageSize) {
    return storeCall([] { processStore().beginTransaction(); }, message, messageSize);
}

LONG SigilloRegCommitTransaction(LPSTR message, DWORD messageSize) {
    return storeCall([] { processStore().commitTransaction(); }, message, messageSize);
}

void SigilloRegAbortTransaction(void) {
    std::lock_guard lock(apiMutex);
    processStore().abortTransaction();
}

void SigilloUseRegistryBackend(const SigilloRegistryBackend* backend) {
    installedBackend.store(backend);
}

} // extern "C"
