// Any text either fails to parse with RegParseError or gives a tree whose
// written form reads back to the same tree.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registry/RegText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sigillo::registry;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Tree tree;
    try {
        tree = parseRegText(text);
    } catch (const RegParseError&) {
        return 0;
    }
    // Writing normalises text values once (invalid UTF-8 in UTF-16 lists);
    // from then on a write and a read must agree exactly.
    const std::string once = formatRegText(tree);
    const std::string twice = formatRegText(parseRegText(once));
    if (formatRegText(parseRegText(twice)) != twice) {
        std::abort();
    }
    return 0;
}
