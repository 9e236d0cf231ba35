#include "wine/WineRegistry.h"

#include "registry/CopyOut.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

#include "wine/ProcessGroup.h"
#include "wine/Wine.h"
#include "wine/WinePrefix.h"

namespace sigillo::wine {

namespace {

// How long a helper may take to end once its input is closed.
constexpr int kStopTimeLimitMs = 3000;

using Reply = std::vector<std::string>;

class Session {
public:
    ~Session() { stop(); }

    std::optional<Reply> request(const std::vector<std::string>& fields) {
        std::lock_guard lock(mutex_);
        const std::string prefix = PrefixInUse();
        if (prefix.empty()) {
            return std::nullopt;
        }
        if (process_ && prefix_ != prefix) {
            stop();
        }
        if (!process_ && !start(prefix)) {
            return std::nullopt;
        }
        std::string line;
        for (const auto& f : fields) {
            line += (line.empty() ? "" : "\t") + EscapeField(f);
        }
        line += '\n';
        std::optional<Reply> reply;
        if (writeAll(line)) {
            reply = readReply();
        }
        if (!reply) {
            stop(); // a helper that broke off is started afresh next time
        }
        return reply;
    }

    void stopLocked() {
        std::lock_guard lock(mutex_);
        stop();
    }

private:
    bool start(const std::string& prefix) {
        const std::string loader = LoaderPath();
        if (loader.empty()) {
            return false;
        }
        // A helper that dies must not end this program through a broken pipe.
        std::signal(SIGPIPE, SIG_IGN);
        process_ = SpawnInOwnGroup({loader, HelperPath(), "serve"}, WineEnvironment(prefix), true);
        prefix_ = prefix;
        buffered_.clear();
        return process_.has_value();
    }

    void stop() {
        if (!process_) {
            return;
        }
        ::close(process_->input);
        ::close(process_->output);
        WaitOrKillGroup(process_->pid, kStopTimeLimitMs);
        process_.reset();
    }

    bool writeAll(const std::string& text) {
        size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(process_->input, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return true;
    }

    std::optional<Reply> readReply() {
        size_t end;
        while ((end = buffered_.find('\n')) == std::string::npos) {
            char chunk[65536];
            const ssize_t n = ::read(process_->output, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return std::nullopt;
            }
            buffered_.append(chunk, static_cast<size_t>(n));
        }
        const std::string line = buffered_.substr(0, end);
        buffered_.erase(0, end + 1);
        Reply fields;
        size_t start = 0;
        while (true) {
            const size_t tab = line.find('\t', start);
            std::string text;
            if (!UnescapeField(line.substr(start, tab - start), text)) {
                return std::nullopt;
            }
            fields.push_back(std::move(text));
            if (tab == std::string::npos) {
                return fields;
            }
            start = tab + 1;
        }
    }

    std::mutex mutex_;
    std::optional<SpawnedProcess> process_;
    std::string prefix_;
    std::string buffered_;
};

Session& session() {
    static Session instance;
    return instance;
}

std::string keyText(HKEY key) {
    char text[32];
    std::snprintf(text, sizeof text, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(key)));
    return text;
}

HKEY keyOf(const std::string& text) {
    return reinterpret_cast<HKEY>(static_cast<uintptr_t>(std::strtoull(text.c_str(), nullptr, 16)));
}

std::string hexOf(const BYTE* data, DWORD size) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (DWORD i = 0; i < size; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

std::optional<std::vector<uint8_t>> bytesOf(const std::string& hex) {
    if (hex.size() % 2) {
        return std::nullopt;
    }
    std::vector<uint8_t> out;
    for (size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(hex.c_str() + i, "%2x", &value) != 1) {
            return std::nullopt;
        }
        out.push_back(static_cast<uint8_t>(value));
    }
    return out;
}

DWORD numberOf(const std::string& text) {
    return static_cast<DWORD>(std::strtoul(text.c_str(), nullptr, 10));
}

// Sends a request whose reply has at least `fields` fields; the reply, or
// nullopt when the helper could not answer.
std::optional<Reply> call(const std::vector<std::string>& request, size_t fields) {
    auto reply = session().request(request);
    if (!reply || reply->size() < fields) {
        return std::nullopt;
    }
    return reply;
}

LONG resultOf(const Reply& reply) {
    return static_cast<LONG>(numberOf(reply[0]));
}

const char* text(LPCSTR s) {
    return s ? s : "";
}

LONG openKey(HKEY key, LPCSTR sub, DWORD, REGSAM sam, PHKEY result) {
    if (!result) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto reply = call({"open", keyText(key), text(sub), std::to_string(sam)}, 2);
    if (!reply) {
        return ERROR_REGISTRY_IO_FAILED;
    }
    if (resultOf(*reply) == ERROR_SUCCESS) {
        *result = keyOf((*reply)[1]);
    }
    return resultOf(*reply);
}

LONG createKey(HKEY key, LPCSTR sub, DWORD, LPSTR, DWORD, REGSAM sam, const void*, PHKEY result,
               LPDWORD disposition) {
    if (!result) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto reply = call({"create", keyText(key), text(sub), std::to_string(sam)}, 3);
    if (!reply) {
        return ERROR_REGISTRY_IO_FAILED;
    }
    if (resultOf(*reply) == ERROR_SUCCESS) {
        *result = keyOf((*reply)[1]);
        if (disposition) {
            *disposition = numberOf((*reply)[2]);
        }
    }
    return resultOf(*reply);
}

LONG queryValue(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
    const auto reply = call({"query", keyText(key), text(name)}, 3);
    if (!reply) {
        return ERROR_REGISTRY_IO_FAILED;
    }
    if (resultOf(*reply) != ERROR_SUCCESS) {
        return resultOf(*reply);
    }
    const auto bytes = bytesOf((*reply)[2]);
    if (!bytes) {
        return ERROR_REGISTRY_IO_FAILED;
    }
    if (type) {
        *type = numberOf((*reply)[1]);
    }
    return registry::copyOut(*bytes, data, size);
}

LONG setValue(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    if (!data && size > 0) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto reply = call({"set", keyText(key), text(name), std::to_string(type), hexOf(data, size)}, 1);
    return reply ? resultOf(*reply) : ERROR_REGISTRY_IO_FAILED;
}

LONG deleteKey(HKEY key, LPCSTR sub) {
    const auto reply = call({"delkey", keyText(key), text(sub)}, 1);
    return reply ? resultOf(*reply) : ERROR_REGISTRY_IO_FAILED;
}

LONG deleteValue(HKEY key, LPCSTR name) {
    const auto reply = call({"delvalue", keyText(key), text(name)}, 1);
    return reply ? resultOf(*reply) : ERROR_REGISTRY_IO_FAILED;
}

LONG enumKey(HKEY key, DWORD index, LPSTR name, DWORD cch) {
    const auto reply = call({"enumkey", keyText(key), std::to_string(index)}, 2);
    if (!reply) {
        return ERROR_REGISTRY_IO_FAILED;
    }
    if (resultOf(*reply) != ERROR_SUCCESS) {
        return resultOf(*reply);
    }
    const std::string& found = (*reply)[1];
    if (!name || cch < found.size() + 1) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(name, found.c_str(), found.size() + 1);
    return ERROR_SUCCESS;
}

LONG enumValue(HKEY key, DWORD index, LPSTR name, LPDWORD cchName, LPDWORD, LPDWORD type, LPBYTE data,
               LPDWORD size) {
    if (!name || !cchName) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto reply = call({"enumvalue", keyText(key), std::to_string(index)}, 4);
    if (!reply) {
        return ERROR_REGISTRY_IO_FAILED;
    }
    if (resultOf(*reply) != ERROR_SUCCESS) {
        return resultOf(*reply);
    }
    const std::string& found = (*reply)[1];
    const auto bytes = bytesOf((*reply)[3]);
    if (!bytes) {
        return ERROR_REGISTRY_IO_FAILED;
    }
    if (*cchName < found.size() + 1) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(name, found.c_str(), found.size() + 1);
    *cchName = static_cast<DWORD>(found.size());
    if (type) {
        *type = numberOf((*reply)[2]);
    }
    return registry::copyOut(*bytes, data, size);
}

LONG queryInfoKey(HKEY key, LPSTR className, LPDWORD cchClass, LPDWORD, LPDWORD subkeys, LPDWORD maxSubkey,
                  LPDWORD maxClass, LPDWORD values, LPDWORD maxValueName, LPDWORD maxValue, LPDWORD security,
                  void* lastWrite) {
    const auto reply = call({"info", keyText(key)}, 6);
    if (!reply) {
        return ERROR_REGISTRY_IO_FAILED;
    }
    if (resultOf(*reply) != ERROR_SUCCESS) {
        return resultOf(*reply);
    }
    if (className && cchClass && *cchClass > 0) {
        *className = '\0';
    }
    const std::pair<LPDWORD, DWORD> outs[] = {
        {cchClass, 0},
        {subkeys, numberOf((*reply)[1])},
        {maxSubkey, numberOf((*reply)[2])},
        {maxClass, 0},
        {values, numberOf((*reply)[3])},
        {maxValueName, numberOf((*reply)[4])},
        {maxValue, numberOf((*reply)[5])},
        {security, 0},
    };
    for (const auto& [out, value] : outs) {
        if (out) {
            *out = value;
        }
    }
    if (lastWrite) {
        std::memset(lastWrite, 0, 8);
    }
    return ERROR_SUCCESS;
}

LONG closeKey(HKEY key) {
    const auto reply = call({"close", keyText(key)}, 1);
    return reply ? resultOf(*reply) : ERROR_REGISTRY_IO_FAILED;
}

// References are expanded by the prefix's environment (%SystemRoot% and the
// like); without an answer the text stays as written.
DWORD expandEnvironment(LPCSTR source, LPSTR target, DWORD size) {
    if (!source) {
        return 0;
    }
    const auto reply = call({"expand", source}, 2);
    const std::string expanded = reply ? (*reply)[1] : std::string(source);
    const auto needed = static_cast<DWORD>(expanded.size() + 1);
    if (target && size >= needed) {
        std::memcpy(target, expanded.c_str(), needed);
    }
    return needed;
}

const SigilloRegistryBackend kBackend = {
    openKey, createKey, queryValue,   setValue, deleteKey,         deleteValue,
    enumKey, enumValue, queryInfoKey, closeKey, expandEnvironment,
};

} // namespace

const SigilloRegistryBackend& WineRegistryBackend() {
    return kBackend;
}

void StopWineSession() {
    session().stopLocked();
}

std::string EscapeField(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool UnescapeField(const std::string& field, std::string& text) {
    text.clear();
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            text += field[i];
            continue;
        }
        if (++i == field.size()) {
            return false;
        }
        switch (field[i]) {
        case '\\':
            text += '\\';
            break;
        case 't':
            text += '\t';
            break;
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace sigillo::wine
