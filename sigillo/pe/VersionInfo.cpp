#include "pe/VersionInfo.h"

#include "pe/PeImage.h"
#include "text/AsciiCase.h"
#include "text/Utf8.h"

namespace sigillo::pe {

namespace {

constexpr uint32_t kFixedSignature = 0xFEEF04BDu;
constexpr uint16_t kVsVersionInfoId = 1;

uint16_t u16(std::span<const uint8_t> b, size_t off) {
    return static_cast<uint16_t>(b[off] | (b[off + 1] << 8));
}

uint32_t u32(std::span<const uint8_t> b, size_t off) {
    return static_cast<uint32_t>(u16(b, off)) | (static_cast<uint32_t>(u16(b, off + 2)) << 16);
}

} // namespace

std::vector<uint8_t> VersionBlockOf(std::span<const uint8_t> fileBytes) {
    const auto image = PeImage::parse(fileBytes);
    if (!image) {
        return {};
    }
    auto data = image->resource(kRtVersion, kVsVersionInfoId);
    if (!data) {
        return {};
    }
    // The block ends where its root says, when the resource holds that much.
    std::span<const uint8_t> block = *data;
    if (block.size() >= 2 && u16(block, 0) >= 6 && u16(block, 0) <= block.size()) {
        block = block.first(u16(block, 0));
    }
    return {block.begin(), block.end()};
}

uint32_t GetFileVersionInfoSize(const std::string& path) {
    return static_cast<uint32_t>(GetFileVersionInfo(path).size());
}

std::vector<uint8_t> GetFileVersionInfo(const std::string& path) {
    const MappedFile file(path);
    return file.ok() ? VersionBlockOf(file.bytes()) : std::vector<uint8_t>{};
}

bool IsVersionBlockCut(std::span<const uint8_t> block) {
    return block.size() < 2 || u16(block, 0) > block.size();
}

std::optional<FixedFileInfo> QueryFixedFileInfo(std::span<const uint8_t> block) {
    if (block.size() < 6) {
        return std::nullopt;
    }
    const uint16_t valueLength = u16(block, 2);
    // The key is "VS_VERSION_INFO" and its NUL; the value follows on a 4-byte boundary.
    size_t pos = 6;
    while (pos + 1 < block.size() && u16(block, pos) != 0) {
        pos += 2;
    }
    pos = (pos + 2 + 3) & ~size_t{3};
    if (valueLength < 52 || pos > block.size() || block.size() - pos < 52) {
        return std::nullopt;
    }
    uint32_t f[13];
    for (size_t i = 0; i < 13; ++i) {
        f[i] = u32(block, pos + 4 * i);
    }
    if (f[0] != kFixedSignature) {
        return std::nullopt;
    }
    return FixedFileInfo{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11], f[12]};
}

std::string ScanVersionString(std::span<const uint8_t> block, const std::string& key) {
    const size_t units = block.size() / 2;
    if (key.empty() || units < key.size()) {
        return {};
    }
    auto unit = [&](size_t i) {
        return u16(block, 2 * i);
    };
    size_t match = units;
    for (size_t i = 0; i + key.size() <= units && match == units; ++i) {
        size_t k = 0;
        while (k < key.size() && text::lowerAscii(unit(i + k)) == text::lowerAscii(static_cast<uint16_t>(
                                                                      static_cast<unsigned char>(key[k])))) {
            ++k;
        }
        if (k == key.size()) {
            match = i;
        }
    }
    size_t nul = match;
    while (nul < units && unit(nul) != 0) {
        ++nul;
    }
    size_t start = nul + 1;
    if (start < units && unit(start) == 0) {
        ++start; // the padding after the key
    }
    size_t end = start;
    while (end < units && unit(end) != 0) {
        ++end;
    }
    if (start >= end) {
        return {};
    }
    return text::utf16LeToUtf8(block.subspan(2 * start, 2 * (end - start)));
}

} // namespace sigillo::pe
