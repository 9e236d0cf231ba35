#include "pe/PeImage.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/AsciiCase.h"

namespace sigillo::pe {

namespace {

constexpr uint32_t kHighBit = 0x80000000u;
constexpr uint32_t kMaxSections = 96; // the loader's own limit

uint16_t u16(std::span<const uint8_t> b, uint64_t off) {
    return static_cast<uint16_t>(b[off] | (b[off + 1] << 8));
}

uint32_t u32(std::span<const uint8_t> b, uint64_t off) {
    return static_cast<uint32_t>(b[off]) | (static_cast<uint32_t>(b[off + 1]) << 8) |
           (static_cast<uint32_t>(b[off + 2]) << 16) | (static_cast<uint32_t>(b[off + 3]) << 24);
}

bool fits(std::span<const uint8_t> b, uint64_t off, uint64_t len) {
    return off <= b.size() && len <= b.size() - off;
}

// "#123" asks for the integer ID 123, as the Windows resource calls read it.
ResourceId normalised(const ResourceId& id) {
    if (const auto* s = std::get_if<std::string>(&id); s && s->size() > 1 && (*s)[0] == '#') {
        uint32_t v = 0;
        for (size_t i = 1; i < s->size(); ++i) {
            if ((*s)[i] < '0' || (*s)[i] > '9' || v > 0xFFFF) {
                return id;
            }
            v = v * 10 + static_cast<uint32_t>((*s)[i] - '0');
        }
        if (v <= 0xFFFF) {
            return static_cast<uint16_t>(v);
        }
    }
    return id;
}

} // namespace

std::optional<PeImage> PeImage::parse(std::span<const uint8_t> b) {
    if (!fits(b, 0, 64) || b[0] != 'M' || b[1] != 'Z') {
        return std::nullopt;
    }
    const uint64_t nt = u32(b, 0x3C);
    if (!fits(b, nt, 24 + 2) || b[nt] != 'P' || b[nt + 1] != 'E' || b[nt + 2] != 0 || b[nt + 3] != 0) {
        return std::nullopt;
    }
    PeImage img;
    img.bytes_ = b;
    img.machine_ = u16(b, nt + 4);
    const uint32_t sectionCount = std::min<uint32_t>(u16(b, nt + 6), kMaxSections);
    const uint64_t optSize = u16(b, nt + 20);
    const uint64_t opt = nt + 24;
    const uint16_t magic = u16(b, opt);
    if (magic != 0x10B && magic != 0x20B) {
        return std::nullopt;
    }
    img.pe32Plus_ = magic == 0x20B;
    if (optSize < 64 || !fits(b, opt, optSize)) {
        return std::nullopt;
    }
    const uint32_t sectionAlignment = u32(b, opt + 32);
    const uint32_t fileAlignment = u32(b, opt + 36);
    img.sizeOfHeaders_ = u32(b, opt + 60);

    const uint64_t sectionTable = opt + optSize;
    for (uint32_t i = 0; i < sectionCount && fits(b, sectionTable + 40ull * i, 40); ++i) {
        const uint64_t s = sectionTable + 40ull * i;
        Section sec{u32(b, s + 12), u32(b, s + 8), u32(b, s + 16), u32(b, s + 20)};
        if (fileAlignment >= 0x200) {
            sec.rawPointer &= ~0x1FFu; // the loader reads raw data from the sector start
        }
        if (sectionAlignment < 0x1000) {
            sec.rawPointer = sec.virtualAddress; // low-alignment images map one to one
        }
        img.sections_.push_back(sec);
    }

    const uint64_t countOff = img.pe32Plus_ ? 108 : 92;
    const uint64_t dirOff = (img.pe32Plus_ ? 112 : 96) + 2 * 8;
    if (optSize >= dirOff + 8 && u32(b, opt + countOff) > 2) {
        const uint32_t rva = u32(b, opt + dirOff);
        if (rva != 0) {
            // Offsets inside the tree may reach anywhere in the section's raw data.
            if (auto e = img.mapRva(rva); e && e->available >= 16) {
                img.resourceBase_ = e->offset;
                img.resourceSize_ = static_cast<uint32_t>(std::min<uint64_t>(e->available, 0xFFFFFFFFu));
                img.hasResources_ = true;
            }
        }
    }
    return img;
}

std::optional<PeImage::Extent> PeImage::mapRva(uint32_t rva) const {
    for (const auto& sec : sections_) {
        const uint64_t extent = std::max(sec.virtualSize, sec.rawSize);
        if (rva >= sec.virtualAddress && rva - sec.virtualAddress < extent) {
            const uint64_t within = rva - sec.virtualAddress;
            const uint64_t off = static_cast<uint64_t>(sec.rawPointer) + within;
            // Bytes past the raw data exist only in memory, never in the file.
            if (within >= sec.rawSize || off >= bytes_.size()) {
                return std::nullopt;
            }
            return Extent{off, std::min<uint64_t>(sec.rawSize - within, bytes_.size() - off)};
        }
    }
    if (rva < sizeOfHeaders_ && rva < bytes_.size()) {
        return Extent{rva, std::min<uint64_t>(sizeOfHeaders_, bytes_.size()) - rva};
    }
    return std::nullopt;
}

bool PeImage::entryNameEquals(uint32_t nameOffset, const std::string& name) const {
    const uint64_t at = resourceBase_ + nameOffset;
    if (nameOffset > resourceSize_ || resourceSize_ - nameOffset < 2) {
        return false;
    }
    const uint16_t len = u16(bytes_, at);
    if (len != name.size() || (resourceSize_ - nameOffset - 2) / 2 < len) {
        return false;
    }
    for (uint16_t i = 0; i < len; ++i) {
        const uint16_t unit = u16(bytes_, at + 2 + 2ull * i);
        if (unit > 0x7F || text::upperAscii(static_cast<char>(unit)) != text::upperAscii(name[i])) {
            return false;
        }
    }
    return true;
}

std::optional<uint32_t> PeImage::findEntry(uint32_t dirOffset, const ResourceId& id,
                                           bool wantDirectory) const {
    if (dirOffset > resourceSize_ || resourceSize_ - dirOffset < 16) {
        return std::nullopt;
    }
    const uint64_t dir = resourceBase_ + dirOffset;
    const uint32_t count = static_cast<uint32_t>(u16(bytes_, dir + 12)) + u16(bytes_, dir + 14);
    const uint32_t room = (resourceSize_ - dirOffset - 16) / 8;
    for (uint32_t i = 0; i < std::min(count, room); ++i) {
        const uint64_t e = dir + 16 + 8ull * i;
        const uint32_t nameField = u32(bytes_, e);
        const uint32_t target = u32(bytes_, e + 4);
        bool match;
        if (nameField & kHighBit) {
            const auto* s = std::get_if<std::string>(&id);
            match = s && entryNameEquals(nameField & ~kHighBit, *s);
        } else {
            const auto* n = std::get_if<uint16_t>(&id);
            match = n && *n == (nameField & 0xFFFF);
        }
        if (match && ((target & kHighBit) != 0) == wantDirectory) {
            return target & ~kHighBit;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> PeImage::preferredLanguageEntry(uint32_t dirOffset) const {
    if (dirOffset > resourceSize_ || resourceSize_ - dirOffset < 16) {
        return std::nullopt;
    }
    // As the loader chooses when no language is asked for: the neutral
    // resource, then English (US English first), then the first one listed.
    auto rank = [](uint32_t nameField) {
        const uint32_t language = nameField & 0xFFFF;
        const uint32_t primary = language & 0x3FF;
        if (nameField & kHighBit) {
            return 5; // a language given by name: none of the known ones
        }
        return language == 0x0000   ? 0
               : primary == 0x00    ? 1
               : language == 0x0409 ? 2
               : primary == 0x09    ? 3
                                    : 4;
    };
    const uint64_t dir = resourceBase_ + dirOffset;
    const uint32_t count = static_cast<uint32_t>(u16(bytes_, dir + 12)) + u16(bytes_, dir + 14);
    const uint32_t room = (resourceSize_ - dirOffset - 16) / 8;
    std::optional<uint32_t> best;
    int bestRank = 6;
    for (uint32_t i = 0; i < std::min(count, room) && bestRank > 0; ++i) {
        const uint64_t e = dir + 16 + 8ull * i;
        const uint32_t target = u32(bytes_, e + 4);
        if ((target & kHighBit) == 0 && rank(u32(bytes_, e)) < bestRank) {
            bestRank = rank(u32(bytes_, e));
            best = target;
        }
    }
    return best;
}

std::optional<std::span<const uint8_t>> PeImage::resource(const ResourceId& type,
                                                          const ResourceId& name) const {
    if (!hasResources_) {
        return std::nullopt;
    }
    const auto typeDir = findEntry(0, normalised(type), true);
    if (!typeDir) {
        return std::nullopt;
    }
    const auto nameDir = findEntry(*typeDir, normalised(name), true);
    if (!nameDir) {
        return std::nullopt;
    }
    const auto leaf = preferredLanguageEntry(*nameDir);
    if (!leaf || *leaf > resourceSize_ || resourceSize_ - *leaf < 16) {
        return std::nullopt;
    }
    const uint64_t entry = resourceBase_ + *leaf;
    const uint32_t rva = u32(bytes_, entry);
    const uint32_t size = u32(bytes_, entry + 4);
    // Producers sometimes count padding past the section's raw data: take what is there.
    const auto e = mapRva(rva);
    if (!e || size == 0) {
        return std::nullopt;
    }
    return bytes_.subspan(e->offset, std::min<uint64_t>(size, e->available));
}

MappedFile::MappedFile(const std::string& path) {
    // Without blocking: opening a FIFO for reading would wait for a writer.
    // Only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (st.st_size == 0) {
            ok_ = true;
        } else {
            void* p = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                data_ = static_cast<const uint8_t*>(p);
                size_ = static_cast<size_t>(st.st_size);
                ok_ = true;
            }
        }
    }
    ::close(fd);
}

MappedFile::~MappedFile() {
    if (data_) {
        ::munmap(const_cast<uint8_t*>(data_), size_);
    }
}

} // namespace sigillo::pe
