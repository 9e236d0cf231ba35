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

    // The data of the first language of resource type/name; nullopt when absent.
    std::optional<std::span<const uint8_t>> resource(const ResourceId& type, const ResourceId& name) const;

private:
    struct Section {
        uint32_t virtualAddress, virtualSize, rawSize, rawPointer;
    };
    std::optional<uint64_t> rvaToOffset(uint32_t rva, uint32_t size) const;
    std::optional<uint32_t> findEntry(uint32_t dirOffset, const ResourceId& id, bool wantDirectory) const;
    std::optional<uint32_t> firstEntry(uint32_t dirOffset, bool wantDirectory) const;
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

// Reads a whole file; nullopt when it cannot be read.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path);

} // namespace sigillo::pe
