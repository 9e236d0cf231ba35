// The folder of the running program, where its helper programs and the
// program the shell verbs start lie.
#pragma once

#include <string>

namespace sigillo {

// Without a trailing separator; "." when it cannot be found.
std::string ProgramFolder();

} // namespace sigillo
