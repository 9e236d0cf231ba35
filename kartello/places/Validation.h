#pragma once
// ValidaGrid: the table check before a graph is made.
#include "places/PlaceContext.h"

namespace kartello {

// True when the table may be used; otherwise the first failing check has been
// shown (exclamation icon, title "Kartello").
bool validaGrid(PlaceContext& ctx);

} // namespace kartello
