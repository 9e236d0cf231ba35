// Bounds-checked reading of PE32 and PE32+ images: sections, the resource
// tree, and the bytes of one resource. Nothing here trusts an offset or a
// size read from the file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace sigillo::pe {

inline constexpr uint16_t kRtVersion = 16;

// A resource type or name: an integer ID or a string (compared ignoring ASCII case).
using ResourceId = std::variant<uint16_t, std::string>;

class PeImage {
public:
    // nullopt unless bytes hold the DOS and PE signatures and a readable
    // optional header and section table. The bytes must outlive the image.
    static std::optional<PeImage> parse(std::span<const uint8_t> bytes);

    bool isPe32Plus() const { return pe32Plus_; }
    uint16_t machine() const { return machine_; }

    // The data of resource type/name in the language the loader prefers
    // (neutral, then English, then the first); nullopt when absent.
    std::optional<std::span<const uint8_t>> resource(const ResourceId& type, const ResourceId& name) const;

private:
    struct Section {
        uint32_t virtualAddress, virtualSize, rawSize, rawPointer;
    };
    struct Extent {
        uint64_t offset;    // in the file
        uint64_t available; // bytes of the file from there that belong to the RVA's section
    };
    std::optional<Extent> mapRva(uint32_t rva) const;
    std::optional<uint32_t> findEntry(uint32_t dirOffset, const ResourceId& id, bool wantDirectory) const;
    std::optional<uint32_t> preferredLanguageEntry(uint32_t dirOffset) const;
    bool entryNameEquals(uint32_t nameOffset, const std::string& name) const;

    std::span<const uint8_t> bytes_;
    std::vector<Section> sections_;
    uint32_t sizeOfHeaders_ = 0;
    uint64_t resourceBase_ = 0; // file offset of the resource root
    uint32_t resourceSize_ = 0; // bytes of the resource tree available from resourceBase_
    bool hasResources_ = false;
    bool pe32Plus_ = false;
    uint16_t machine_ = 0;
};

// A file's bytes, mapped read-only for as long as the object lives.
class MappedFile {
public:
    explicit MappedFile(const std::string& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool ok() const { return ok_; } // false when the file could not be opened or read
    std::span<const uint8_t> bytes() const { return {data_, size_}; }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    bool ok_ = false;
};

} // namespace sigillo::pe
