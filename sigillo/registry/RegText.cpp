#include "registry/RegText.h"

#include <cstdio>
#include <optional>

#include "text/Utf8.h"

namespace sigillo::registry {

namespace {

constexpr std::string_view kRegedit4Header = "REGEDIT4";

// Decodes one UTF-8 sequence at i; nullopt when it is not well formed.
std::optional<uint32_t> decodeUtf8(const std::vector<uint8_t>& s, size_t& i) {
    const uint8_t b = s[i];
    int extra = 0;
    uint32_t cp = 0;
    if (b < 0x80) {
        ++i;
        return b;
    } else if ((b & 0xE0) == 0xC0) {
        extra = 1, cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, cp = b & 0x07;
    } else {
        return std::nullopt;
    }
    if (i + static_cast<size_t>(extra) >= s.size()) {
        return std::nullopt;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    static constexpr uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
        return std::nullopt;
    }
    i += static_cast<size_t>(extra) + 1;
    return cp;
}

bool isValidUtf8(const std::vector<uint8_t>& s) {
    for (size_t i = 0; i < s.size();) {
        if (!decodeUtf8(s, i)) {
            return false;
        }
    }
    return true;
}

// Text bytes as the UTF-16LE units a version-5 file holds; a byte that is not
// part of valid UTF-8 is taken as the Latin-1 character of that value.
std::vector<uint8_t> bytesToUtf16(const std::vector<uint8_t>& s) {
    std::vector<uint8_t> out;
    auto put = [&](uint32_t unit) {
        out.push_back(static_cast<uint8_t>(unit & 0xFF));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    };
    for (size_t i = 0; i < s.size();) {
        uint32_t cp;
        if (auto decoded = decodeUtf8(s, i)) {
            cp = *decoded;
        } else {
            cp = s[i++];
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

bool isTextType(uint32_t type) {
    return type == 1 || type == 2 || type == 7;
}

class Parser {
public:
    // Without a header line the text is taken as version 5.
    Parser(std::string_view text, Tree& tree, bool headerless = false)
        : text_(text), tree_(tree), unicode_(headerless), headerless_(headerless) {}

    void run() {
        bool sawHeader = headerless_;
        while (nextLine()) {
            const std::string_view line = trim(line_);
            if (line.empty() || line.front() == ';') {
                continue;
            }
            if (!sawHeader) {
                if (line == kRegHeader) {
                    unicode_ = true;
                } else if (line != kRegedit4Header) {
                    fail("not a registry file: the first line is no known header");
                }
                sawHeader = true;
                continue;
            }
            if (line.front() == '[') {
                keyLine(line);
            } else {
                valueLine(line);
            }
        }
        if (!sawHeader) {
            fail("empty registry file");
        }
    }

private:
    static std::string_view trim(std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
            s.remove_prefix(1);
        }
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
            s.remove_suffix(1);
        }
        return s;
    }

    bool nextLine() {
        if (pos_ >= text_.size()) {
            return false;
        }
        const size_t end = text_.find('\n', pos_);
        line_ = text_.substr(pos_, end == text_.npos ? text_.npos : end - pos_);
        pos_ = end == text_.npos ? text_.size() : end + 1;
        ++lineNo_;
        return true;
    }

    [[noreturn]] void fail(const std::string& what) const { throw RegParseError(lineNo_, what); }

    void keyLine(std::string_view line) {
        if (line.size() < 2 || line.back() != ']') {
            fail("key line without closing bracket");
        }
        std::string_view path = line.substr(1, line.size() - 2);
        bool remove = false;
        if (!path.empty() && path.front() == '-') {
            remove = true;
            path.remove_prefix(1);
        }
        const size_t slash = path.find('\\');
        const auto hive = hiveFromName(path.substr(0, slash));
        if (!hive) {
            fail("unknown root key");
        }
        const auto parts =
            splitKeyPath(slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1));
        if (!parts || (slash != std::string_view::npos && parts->empty())) {
            fail("malformed key path");
        }
        if (remove) {
            tree_.removeTree(*hive, *parts);
            currentKey_ = nullptr;
        } else {
            currentKey_ = &tree_.create(*hive, *parts);
        }
        skipValues_ = remove;
    }

    // Reads a quoted string at s[i] (i at the opening quote); i ends past the closing quote.
    std::string quoted(std::string_view s, size_t& i) const {
        std::string out;
        for (++i; i < s.size(); ++i) {
            const char c = s[i];
            if (c == '"') {
                ++i;
                return out;
            }
            if (c == '\\' && i + 1 < s.size()) {
                const char n = s[++i];
                if (n != '\\' && n != '"') {
                    out += '\\';
                }
                out += n;
            } else {
                out += c;
            }
        }
        fail("unterminated string");
    }

    void valueLine(std::string_view line) {
        size_t i = 0;
        std::string name;
        if (line.front() == '@') {
            i = 1;
        } else if (line.front() == '"') {
            name = quoted(line, i);
        } else {
            fail("value line must start with @ or a quoted name");
        }
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
        }
        if (i >= line.size() || line[i] != '=') {
            fail("missing = after the value name");
        }
        std::string data = std::string(trim(line.substr(i + 1)));
        if (skipValues_) {
            return;
        }
        if (!currentKey_) {
            fail("value outside a key");
        }
        if (data == "-") {
            currentKey_->removeValue(name);
            return;
        }
        currentKey_->setValue(parseData(std::move(name), std::move(data)));
    }

    Value parseData(std::string name, std::string data) {
        if (!data.empty() && data.front() == '"') {
            size_t i = 0;
            const std::string s = quoted(data, i);
            if (!trim(std::string_view(data).substr(i)).empty()) {
                fail("text after the closing quote");
            }
            std::vector<uint8_t> bytes(s.begin(), s.end());
            bytes.push_back(0);
            return Value{std::move(name), 1, std::move(bytes)};
        }
        if (data.starts_with("dword:")) {
            const std::string_view digits = std::string_view(data).substr(6);
            if (digits.empty() || digits.size() > 8) {
                fail("dword needs one to eight hex digits");
            }
            uint32_t v = 0;
            for (char c : digits) {
                v = (v << 4) | hexDigit(c);
            }
            return Value{
                std::move(name), 4, {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}};
        }
        if (data.starts_with("hex")) {
            return hexValue(std::move(name), std::move(data));
        }
        fail("unknown value data");
    }

    uint32_t hexDigit(char c) const {
        if (c >= '0' && c <= '9') {
            return static_cast<uint32_t>(c - '0');
        }
        if (c >= 'a' && c <= 'f') {
            return static_cast<uint32_t>(c - 'a' + 10);
        }
        if (c >= 'A' && c <= 'F') {
            return static_cast<uint32_t>(c - 'A' + 10);
        }
        fail("bad hex digit");
    }

    Value hexValue(std::string name, std::string data) {
        // Long lists continue on the next lines after a trailing backslash.
        while (!data.empty() && data.back() == '\\') {
            data.pop_back();
            if (!nextLine()) {
                fail("hex list continued past the end of the file");
            }
            data += trim(line_);
        }
        std::string_view s = data;
        uint32_t type = 3;
        s.remove_prefix(3);
        if (!s.empty() && s.front() == '(') {
            const size_t close = s.find(')');
            if (close == std::string_view::npos || close < 2 || close > 9) {
                fail("bad hex type");
            }
            type = 0;
            for (char c : s.substr(1, close - 1)) {
                type = (type << 4) | hexDigit(c);
            }
            s.remove_prefix(close + 1);
        }
        if (s.empty() || s.front() != ':') {
            fail("missing : after hex");
        }
        s.remove_prefix(1);
        std::vector<uint8_t> bytes;
        while (true) {
            s = trim(s);
            if (s.empty()) {
                break;
            }
            if (s.size() < 2) {
                fail("hex byte needs two digits");
            }
            bytes.push_back(static_cast<uint8_t>((hexDigit(s[0]) << 4) | hexDigit(s[1])));
            s.remove_prefix(2);
            s = trim(s);
            if (s.empty()) {
                break;
            }
            if (s.front() != ',') {
                fail("hex bytes must be separated by commas");
            }
            s.remove_prefix(1);
        }
        if (unicode_ && isTextType(type) && bytes.size() % 2 == 0) {
            const std::string text = sigillo::text::utf16LeToUtf8(bytes);
            bytes.assign(text.begin(), text.end());
        }
        return Value{std::move(name), type, std::move(bytes)};
    }

    std::string_view text_;
    Tree& tree_;
    size_t pos_ = 0;
    std::string_view line_;
    int lineNo_ = 0;
    bool unicode_ = false;
    bool headerless_ = false;
    Key* currentKey_ = nullptr;
    bool skipValues_ = false;
};

std::string escapeQuoted(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

// A type-1 value goes out as "text" when it is one valid UTF-8 line ending in
// its single NUL; anything else would not come back byte for byte.
bool writableAsString(const Value& v) {
    if (v.type != 1 || v.data.empty() || v.data.back() != 0) {
        return false;
    }
    std::vector<uint8_t> body(v.data.begin(), v.data.end() - 1);
    for (uint8_t b : body) {
        if (b == 0 || b == '\r' || b == '\n') {
            return false;
        }
    }
    return isValidUtf8(body);
}

std::string valueNameField(std::string_view name) {
    return name.empty() ? "@=" : escapeQuoted(name) + "=";
}

void formatValue(std::string& out, const Value& v) {
    if (writableAsString(v)) {
        out += valueNameField(v.name);
        out +=
            escapeQuoted(std::string_view(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1));
        out += "\r\n";
        return;
    }
    std::string line = valueNameField(v.name);
    char buf[32];
    if (v.type == 4 && v.data.size() == 4) {
        const uint32_t n = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (uint32_t(v.data[3]) << 24);
        std::snprintf(buf, sizeof buf, "dword:%08x", n);
        out += line + buf + "\r\n";
        return;
    }
    if (v.type == 3) {
        line += "hex:";
    } else {
        std::snprintf(buf, sizeof buf, "hex(%x):", v.type);
        line += buf;
    }
    const std::vector<uint8_t> bytes = isTextType(v.type) ? bytesToUtf16(v.data) : v.data;
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02x", bytes[i]);
        line += buf;
        if (i + 1 < bytes.size()) {
            line += ',';
            if (line.size() > 76) {
                out += line + "\\\r\n";
                line = "  ";
            }
        }
    }
    out += line + "\r\n";
}

// path holds the key's full path on entry and again on return.
void formatKey(std::string& out, std::string& path, const Key& key, bool isRoot) {
    if (!isRoot || !key.values.empty()) {
        out += '[';
        out += path;
        out += "]\r\n";
        for (const auto& v : key.values) {
            formatValue(out, v);
        }
        out += "\r\n";
    }
    const size_t length = path.size();
    for (const auto& [name, sub] : key.subkeys) {
        path += '\\';
        path += sub.name;
        formatKey(out, path, sub, false);
        path.resize(length);
    }
}

} // namespace

RegParseError::RegParseError(int line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}

void applyRegText(std::string_view text, Tree& tree) {
    std::string converted;
    if (text.starts_with("\xFF\xFE")) {
        converted = sigillo::text::utf16LeToUtf8(
            std::span(reinterpret_cast<const uint8_t*>(text.data()) + 2, text.size() - 2));
        text = converted;
    } else if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    Parser(text, tree).run();
}

void applyRegLines(std::string_view lines, Tree& tree) {
    Parser(lines, tree, true).run();
}

std::string regKeyLine(Hive hive, const std::vector<std::string>& path, bool remove) {
    std::string line = remove ? "[-" : "[";
    line += hiveName(hive);
    for (const std::string& part : path) {
        line += '\\';
        line += part;
    }
    return line + "]\r\n";
}

std::string regValueLine(const Value& value) {
    std::string line;
    formatValue(line, value);
    return line;
}

std::string regValueRemovalLine(std::string_view name) {
    return valueNameField(name) + "-\r\n";
}

Tree parseRegText(std::string_view text) {
    Tree tree;
    applyRegText(text, tree);
    return tree;
}

std::string formatRegText(const Tree& tree) {
    std::string out = std::string(kRegHeader) + "\r\n\r\n";
    for (const auto& [hive, root] : tree.hives()) {
        std::string path(hiveName(hive));
        formatKey(out, path, root, true);
    }
    return out;
}

} // namespace sigillo::registry
