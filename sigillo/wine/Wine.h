// Where Wine and Sigillo's helper are, and how a Wine process is started for
// a prefix. Only the 64-bit loader is used: 32-bit programs may not run on
// the machine at all (then /usr/bin/wine fails with "Exec format error").
#pragma once

#include <string>
#include <vector>

namespace sigillo::wine {

// WINELOADER when it names a program, else Debian's /usr/lib/wine/wine64,
// else wine64 on the PATH; empty when there is none.
std::string LoaderPath();

// SIGILLO_WINE_HELPER when set, else sigillo-winereg.exe beside the running
// program.
std::string HelperPath();

// The environment entries of a Wine process in prefix: the prefix, the
// loader, no debug output, and no offer to install Mono or Gecko when Wine
// creates or updates the prefix.
std::vector<std::string> WineEnvironment(const std::string& prefix);

// The path under which Windows programs in prefix see a file: a file of the
// prefix's drive_c on drive C:, any other on drive Z:, the root of the file
// system in every prefix. Relative paths are made absolute first.
std::string WindowsPath(const std::string& prefix, const std::string& unixPath);

} // namespace sigillo::wine
