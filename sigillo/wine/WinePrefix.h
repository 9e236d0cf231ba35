// Which registry Sigillo uses: a Wine prefix's own, or, without a prefix, the
// .reg store. The choice is kept in the environment (SIGILLO_WINE_PREFIX), so
// that sigillo-regsvr and the servers it loads follow it too.
#pragma once

#include <optional>
#include <string>

namespace sigillo::wine {

// The prefix in use; empty when the .reg store is.
std::string PrefixInUse();

// Makes dir's registry the one in use (and WINEPREFIX the prefix that Wine
// programs started later see); an empty dir returns to the .reg store.
void UsePrefix(const std::string& dir);

// The prefix a program starts with: the --wine-prefix flag when given (an
// empty one chooses the .reg store), else WINEPREFIX, else the saved setting.
std::string ChoosePrefix(const std::optional<std::string>& flag);

// The prefix chosen in the window's options, kept in the .reg store (at
// HKEY_CURRENT_USER\Software\Sigillo\General, value "WinePrefix"), never in
// a prefix: it must be found before any prefix is known.
std::string SavedPrefix();
void SavePrefix(const std::string& dir);

// Says which registry is in use, for people: "Wine prefix DIR" or the path
// of the .reg store.
std::string RegistryInUseText();

} // namespace sigillo::wine
