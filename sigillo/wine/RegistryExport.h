// The whole registry of a Wine prefix as .reg text, exported by Wine's own
// regedit (which writes UTF-16 with CR LF line ends) and handed back as UTF-8
// with LF line ends, like the export of the .reg store.
#pragma once

#include <optional>
#include <string>

namespace sigillo::wine {

std::optional<std::string> ExportPrefixRegistry(const std::string& prefix);

// UTF-16LE text (a leading byte-order mark dropped) as UTF-8, carriage
// returns removed; an unpaired surrogate becomes U+FFFD.
std::string Utf16LeToUtf8Lines(const std::string& bytes);

} // namespace sigillo::wine
