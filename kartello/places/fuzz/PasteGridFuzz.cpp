// The two clipboard readers: a grid block and a column of values.
#include "FuzzSession.h"
#include "places/ClipboardReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = kartello::fuzz::Session::decoded(data, size);
    kartello::fuzz::Session& s = kartello::fuzz::Session::shared();
    const QString before = s.loadKnownSet();
    s.ui.clipboard = text;
    kartello::comRowClick(s.ctx, 2);
    s.checkReplacedOrKept(before);
    kartello::comRowClick(s.ctx, 3);
    if (s.grid.Rows() != s.set.lastPlace + 2)
        std::abort();
    return 0;
}
