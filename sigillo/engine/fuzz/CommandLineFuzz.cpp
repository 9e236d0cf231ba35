// Any command line, as a shell verb or a person may pass it, parses without
// fault, and what comes out keeps the rules' shape.

#include "engine/CommandLine.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const sigillo::ParsedCommandLine parsed = sigillo::ParseCommandLine(line, "/opt/sigillo/");
    if (line.empty() != (parsed.action == sigillo::CommandAction::None))
        std::abort();
    // With a quote the list is exactly two long.
    if (line.find('"') != std::string::npos && parsed.arguments.size() != 2)
        std::abort();
    // A file is either empty or absolute.
    if (!parsed.file.empty() && parsed.file.front() != '/')
        std::abort();
    if (parsed.action == sigillo::CommandAction::ShellInstall && !parsed.file.empty())
        std::abort();
    const std::string joined = sigillo::JoinArguments(parsed.arguments);
    (void)sigillo::ParseCommandLine(joined, "/opt/sigillo/");
    return 0;
}
