// The registry functions of sigillo_registry.h answered by the real advapi32
// of a Wine prefix: one sigillo-winereg.exe per process, started on the first
// call and kept for the session, takes each call as a line on its standard
// input and answers on its standard output. wineserver owns the prefix's
// registry while it runs, so going through Wine is the only safe way in.
#pragma once

#include <string>
#include <vector>

#include "sigillo_registry_backend.h"

namespace sigillo::wine {

// The functions, for the prefix that PrefixInUse() names when they are called.
const SigilloRegistryBackend& WineRegistryBackend();

// Ends the session's helper; the next call starts a new one.
void StopWineSession();

// The line protocol's text escapes (backslash, tab, line feed, carriage return).
std::string EscapeField(const std::string& text);
bool UnescapeField(const std::string& field, std::string& text);

} // namespace sigillo::wine
