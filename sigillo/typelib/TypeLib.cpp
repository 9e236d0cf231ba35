#include "typelib/TypeLib.h"

#include <cstdio>

#include "pe/PeImage.h"
#include "text/Utf8.h"

namespace sigillo::typelib {

namespace {

constexpr size_t kHeaderSize = 0x54;
constexpr size_t kSegmentCount = 15;
constexpr int kGuidSegment = 5;
constexpr int kNameSegment = 7;
constexpr int kStringSegment = 8;
constexpr uint32_t kHelpDllFlag = 0x100;

int32_t i32(std::span<const uint8_t> b, size_t off) {
    return static_cast<int32_t>(static_cast<uint32_t>(b[off]) | (static_cast<uint32_t>(b[off + 1]) << 8) |
                                (static_cast<uint32_t>(b[off + 2]) << 16) |
                                (static_cast<uint32_t>(b[off + 3]) << 24));
}

// Names and strings are single-byte text in the Windows Latin-1 family; as
// UTF-8 each byte above 0x7F becomes the character of that value.
std::string latin1ToUtf8(std::span<const uint8_t> s) {
    std::string out;
    for (uint8_t c : s) {
        text::appendUtf8(out, c);
    }
    return out;
}

struct Segment {
    size_t offset = 0;
    size_t length = 0;
    bool present = false;
};

// The entry at off inside seg, needing need bytes; empty when outside.
std::optional<std::span<const uint8_t>> inSegment(std::span<const uint8_t> b, const Segment& seg, int32_t off,
                                                  size_t need) {
    if (!seg.present || off < 0 || static_cast<size_t>(off) > seg.length || seg.length - off < need) {
        return std::nullopt;
    }
    return b.subspan(seg.offset + static_cast<size_t>(off), seg.length - static_cast<size_t>(off));
}

} // namespace

std::string GuidText(std::span<const uint8_t, 16> g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  g[3], g[2], g[1], g[0], g[5], g[4], g[7], g[6], g[8], g[9], g[10], g[11], g[12], g[13],
                  g[14], g[15]);
    return buf;
}

std::optional<TypeLibInfo> ParseMsft(std::span<const uint8_t> b) {
    if (b.size() < kHeaderSize || b[0] != 'M' || b[1] != 'S' || b[2] != 'F' || b[3] != 'T') {
        return std::nullopt;
    }
    const int32_t typeInfoCount = i32(b, 0x20);
    const uint32_t varFlags = static_cast<uint32_t>(i32(b, 0x14));
    if (typeInfoCount < 0 || static_cast<size_t>(typeInfoCount) > (b.size() - kHeaderSize) / 4) {
        return std::nullopt;
    }
    const size_t directory =
        kHeaderSize + 4 * static_cast<size_t>(typeInfoCount) + ((varFlags & kHelpDllFlag) ? 4 : 0);
    if (directory > b.size() || b.size() - directory < kSegmentCount * 16) {
        return std::nullopt;
    }
    Segment segments[kSegmentCount];
    for (size_t i = 0; i < kSegmentCount; ++i) {
        const int32_t off = i32(b, directory + 16 * i);
        const int32_t len = i32(b, directory + 16 * i + 4);
        if (off >= 0 && len >= 0 && static_cast<size_t>(off) <= b.size() &&
            static_cast<size_t>(len) <= b.size() - static_cast<size_t>(off)) {
            segments[i] = Segment{static_cast<size_t>(off), static_cast<size_t>(len), true};
        }
    }

    TypeLibInfo info;
    const auto version = static_cast<uint32_t>(i32(b, 0x18));
    info.major = static_cast<uint16_t>(version & 0xFFFF);
    info.minor = static_cast<uint16_t>(version >> 16);
    info.lcid = static_cast<uint32_t>(i32(b, 0x10));
    info.sysKind = varFlags & 0xF;

    const auto guid = inSegment(b, segments[kGuidSegment], i32(b, 0x08), 16);
    if (!guid) {
        return std::nullopt; // a library without its identity cannot be registered or compared
    }
    info.guid = GuidText(guid->first<16>());

    const auto name = inSegment(b, segments[kNameSegment], i32(b, 0x38), 12);
    if (!name) {
        return std::nullopt;
    }
    const size_t nameLength = (*name)[8];
    if (name->size() - 12 < nameLength) {
        return std::nullopt;
    }
    info.name = latin1ToUtf8(name->subspan(12, nameLength));

    const int32_t helpOffset = i32(b, 0x24);
    if (helpOffset != -1) {
        if (const auto help = inSegment(b, segments[kStringSegment], helpOffset, 2)) {
            const size_t len = static_cast<size_t>((*help)[0] | ((*help)[1] << 8));
            if (help->size() - 2 >= len) {
                info.helpString = latin1ToUtf8(help->subspan(2, len));
            }
        }
    }
    return info;
}

std::optional<TypeLibInfo> ReadTypeLib(std::span<const uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z') {
        const auto image = pe::PeImage::parse(bytes);
        if (!image) {
            return std::nullopt;
        }
        const auto blob = image->resource(std::string("TYPELIB"), uint16_t{1});
        return blob ? ParseMsft(*blob) : std::nullopt;
    }
    return ParseMsft(bytes);
}

std::optional<TypeLibInfo> OpenTypeLib(const std::string& path) {
    const pe::MappedFile file(path);
    return file.ok() ? ReadTypeLib(file.bytes()) : std::nullopt;
}

bool IsSameTypeLib(const TypeLibInfo& a, const TypeLibInfo& b) {
    return a.guid == b.guid && a.major == b.major && a.minor == b.minor && a.lcid == b.lcid;
}

} // namespace sigillo::typelib
