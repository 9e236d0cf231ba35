// The change journal beside a registry store ("<store>.journal"). A change
// made outside a transaction is appended to it as one record, and only that
// record is flushed to disk, instead of the whole store being rewritten and
// flushed; readers parse the store and replay the journal.
//
// The journal names the exact store file it extends (device, inode, size and
// modification time). Once the store is rewritten with the journal's changes
// (compaction), or replaced or edited by anything else, the journal no longer
// matches it and is ignored: its records are never applied twice, and a
// compaction interrupted between the rename of the new store and the
// clearing of the journal loses nothing.
//
// Layout: the 8 bytes "SIGRGJ01" and the store's identity as four 64-bit
// little-endian numbers; then the records, each a 32-bit little-endian length,
// the CRC-32 of the payload, and the payload (key and value lines of .reg
// text). A record cut short (a writer killed mid-append, a full disk) or with
// a wrong checksum ends the journal there; the next writer overwrites it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace sigillo::registry {

struct FileIdentity {
    uint64_t device = 0, inode = 0, size = 0;
    int64_t mtimeNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity identityOf(const struct stat& st);

// Calls apply on each whole record past offset from (0: from the first) of the
// journal at path, when that journal extends the store of identity base.
// Returns the offset past the last whole record, or 0 when there is no journal
// for base. Throws StoreError when the journal exists but cannot be read.
uint64_t replayJournal(const std::string& path, const FileIdentity& base, uint64_t from,
                       const std::function<void(std::string_view record)>& apply);

// The same over a journal's contents (replayJournal reads the file).
uint64_t replayJournalText(std::string_view journal, const FileIdentity& base, uint64_t from,
                           const std::function<void(std::string_view record)>& apply);
// The bytes a journal for the store of identity base starts with.
std::string journalHeader(const FileIdentity& base);

// Writes record at end, the offset replayJournal returned (0 starts a journal
// for base), cutting off anything after it. The record is not flushed: once
// written it outlives the process, and it reaches the disk with the system's
// own writeback or at the latest with the next compaction, which syncs (a
// registry is flushed lazily; a per-call flush would cost a disk round trip,
// several milliseconds, on every value set). Returns the new end. Throws StoreError when it cannot be
// written.
uint64_t appendJournal(const std::string& path, const FileIdentity& base, uint64_t end,
                       std::string_view record);

// Empties the journal once the store holds its changes. A journal that cannot
// be emptied is harmless: it no longer matches the store.
void clearJournal(const std::string& path);

// Shared with the store: the whole contents of an open file, and "<what>
// <path>: <system error>" for the current errno.
std::string readAll(int fd, const std::string& path);
std::string errnoText(const std::string& what, const std::string& path);

} // namespace sigillo::registry
