#pragma once
// "Open file": the one command that picks a file and hands it to its reader.
#include "places/PlaceContext.h"

namespace kartello {

// carregaKML: the open dialog, then the text reader for a ".txt" name, the KML
// reader otherwise (shapes go to the shape reader).
void carregaKML(PlaceContext& ctx);

} // namespace kartello
