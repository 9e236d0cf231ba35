// Any bytes: the PE reader and the version-resource calls must neither crash
// nor read outside the input.
#include <cstdint>
#include <string>

#include "pe/PeImage.h"
#include "pe/VersionInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sigillo::pe;
    const std::span<const uint8_t> bytes(data, size);
    if (const auto image = PeImage::parse(bytes)) {
        (void)image->resource(std::string("TYPELIB"), uint16_t{1});
        (void)image->resource(std::string("#16"), std::string("#1"));
    }
    const auto block = VersionBlockOf(bytes);
    (void)QueryFixedFileInfo(block);
    (void)ScanVersionString(block, "CompanyName");
    // The scan also runs on raw input, as if it were a version block.
    (void)ScanVersionString(bytes, "Comments");
    (void)QueryFixedFileInfo(bytes);
    return 0;
}
