#pragma once
// Libraries the program loads by name when it first needs them.
#include <string>
#include <vector>

namespace kartello {

// The file beside the running program, then the bare name for the ordinary
// library search path.
std::vector<std::string> besideProgramThenSearchPath(const char* fileName);

// The first candidate that loads (RTLD_NOW | RTLD_LOCAL), null when none
// does. The floating-point environment is kept as it was: a library may set
// the control word when it loads, and the program's own arithmetic relies on
// masked exceptions.
void* openSharedLibrary(const std::vector<std::string>& candidates);

// The entry point `symbol` of the first candidate that loads. Throws
// RuntimeError 53 ("File not found: fileName") when none loads, 453 ("Can't
// find DLL entry point symbol in fileName") when it lacks the entry point.
void* sharedLibrarySymbol(const std::vector<std::string>& candidates, const char* fileName,
                          const char* symbol);

} // namespace kartello
