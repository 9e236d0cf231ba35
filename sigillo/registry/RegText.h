// The "Windows Registry Editor Version 5.00" text form of a registry tree, as
// regedit exports and imports it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "registry/RegistryTree.h"

namespace sigillo::registry {

inline constexpr std::string_view kRegHeader = "Windows Registry Editor Version 5.00";

class RegParseError : public std::runtime_error {
public:
    RegParseError(int line, const std::string& what);
    int line() const { return line_; }

private:
    int line_;
};

// Applies the text to a tree: "[key]" creates, "[-key]" deletes a tree,
// "name"=data sets and "name"=- deletes a value. Accepts UTF-8 (with or
// without byte-order mark) and UTF-16LE with its mark, the older "REGEDIT4"
// header, and long hex lists continued with a trailing backslash.
// Throws RegParseError on text it cannot read.
Tree parseRegText(std::string_view text);
void applyRegText(std::string_view text, Tree& tree);
// Applies key and value lines of a version-5 text that has no header line:
// one change as formatted by the functions below.
void applyRegLines(std::string_view lines, Tree& tree);

// The lines of one change: "[key]" (which creates the key) or "[-key]" (which
// deletes it with everything below), then a value line or a value deletion.
std::string regKeyLine(Hive hive, const std::vector<std::string>& path, bool remove = false);
std::string regValueLine(const Value& value);
std::string regValueRemovalLine(std::string_view name);

// Writes the tree in UTF-8 with CR LF line ends: strings as "text", 32-bit
// numbers as dword:, everything else as hex(type): byte lists, the expandable
// and multi-strings as UTF-16LE bytes as regedit writes them.
std::string formatRegText(const Tree& tree);

} // namespace sigillo::registry
