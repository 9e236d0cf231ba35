#include "engine/CommandLine.h"

#include <array>

namespace sigillo {
namespace {

std::vector<std::string> SplitAtSpaces(std::string_view line) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = line.find(' ', start);
        if (space == std::string_view::npos) {
            pieces.emplace_back(line.substr(start));
            return pieces;
        }
        pieces.emplace_back(line.substr(start, space - start));
        start = space + 1;
    }
}

bool IsSwitch(const std::string& element) {
    static const std::array<std::string_view, 4> switches = {"-r", "-u", "-s", "-f"};
    for (const auto s : switches) {
        if (element == s)
            return true;
    }
    return false;
}

// The quoted text runs from just after the first quote to just before the
// line's last character, which is taken to be the closing quote. A quote that
// is itself the last character leaves nothing to take.
std::string QuotedText(std::string_view line, std::size_t firstQuote) {
    const std::size_t begin = firstQuote + 1;
    if (line.size() < begin + 1)
        return {};
    return std::string(line.substr(begin, line.size() - begin - 1));
}

void ApplyQuotedText(std::string_view line, std::vector<std::string>& arguments) {
    const std::size_t quote = line.find('"');
    if (quote == std::string_view::npos)
        return;
    const std::string quoted = QuotedText(line, quote);
    const bool afterSwitch = IsSwitch(arguments.front());
    arguments.resize(2);
    arguments[afterSwitch ? 1 : 0] = quoted;
}

CommandAction ActionOf(const std::string& first) {
    if (first == "-r")
        return CommandAction::Register;
    if (first == "-f")
        return CommandAction::Report;
    if (first == "-u")
        return CommandAction::Unregister;
    if (first == "-s")
        return CommandAction::ShellInstall;
    return CommandAction::OpenFile;
}

std::string MadeAbsolute(const std::string& file, std::string_view appPath) {
    if (file.empty() || file.front() == '/')
        return file;
    return std::string(appPath) + file;
}

} // namespace

ParsedCommandLine ParseCommandLine(std::string_view commandLine, std::string_view appPath) {
    ParsedCommandLine parsed;
    if (commandLine.empty())
        return parsed;
    parsed.arguments = SplitAtSpaces(commandLine);
    ApplyQuotedText(commandLine, parsed.arguments);
    parsed.action = ActionOf(parsed.arguments.front());
    switch (parsed.action) {
    case CommandAction::Register:
    case CommandAction::Report:
    case CommandAction::Unregister:
        if (parsed.arguments.size() > 1)
            parsed.file = MadeAbsolute(parsed.arguments[1], appPath);
        break;
    case CommandAction::OpenFile:
        parsed.file = MadeAbsolute(parsed.arguments.front(), appPath);
        break;
    case CommandAction::ShellInstall:
    case CommandAction::None:
        break;
    }
    return parsed;
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            line += ' ';
        const std::string& argument = arguments[i];
        if (argument.empty() || argument.find(' ') != std::string::npos)
            line += '"' + argument + '"';
        else
            line += argument;
    }
    return line;
}

} // namespace sigillo
