// Any bytes after a journal header replay without a crash: records end at the
// first one cut short or failing its checksum, the end returned lies within
// the journal, and a record that is not .reg lines fails with RegParseError.
// The bytes are also applied as one record themselves, since mutated records
// rarely keep a valid checksum.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "registry/Journal.h"
#include "registry/RegText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sigillo::registry;
    const FileIdentity base{1, 2, 3, 4};
    const std::string journal = journalHeader(base) + std::string(reinterpret_cast<const char*>(data), size);
    Tree tree;
    const auto apply = [&](std::string_view record) {
        try {
            applyRegLines(record, tree);
        } catch (const RegParseError&) {
        }
    };
    const uint64_t end = replayJournalText(journal, base, 0, apply);
    apply(std::string_view(journal).substr(journalHeader(base).size()));
    if (end > journal.size()) {
        std::abort();
    }
    return 0;
}
