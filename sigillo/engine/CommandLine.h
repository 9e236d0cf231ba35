#pragma once

// Sigillo's command line: an optional switch and one file or folder, as the
// shell verbs write it ("<program> -r "%1"") and as a person types it.

#include <string>
#include <string_view>
#include <vector>

namespace sigillo {

// What the start-up routine does with a command line; OpenFile is every first
// element that is not one of the four switches (including "-R" in capitals).
enum class CommandAction { None, Register, Report, Unregister, ShellInstall, OpenFile };

struct ParsedCommandLine {
    std::vector<std::string> arguments; // the split list after the quoted-text rule
    CommandAction action = CommandAction::None;
    std::string file; // made absolute against the program's folder; empty for -s
};

// Splits at every single space (empty pieces stay), applies the quoted-text
// rule (text after the first double quote up to, not including, the last
// character replaces the first element or, after a switch, the second, and the
// list becomes exactly two long), compares the switch case-sensitively, and
// takes a file that is not an absolute path as relative to appPath, which ends
// in "/".
ParsedCommandLine ParseCommandLine(std::string_view commandLine, std::string_view appPath);

// The process receives its arguments already split; this joins them back into
// the one line the rules above expect, quoting an argument that holds a space
// (or is empty) so that a path with spaces survives as one piece.
std::string JoinArguments(const std::vector<std::string>& arguments);

} // namespace sigillo
