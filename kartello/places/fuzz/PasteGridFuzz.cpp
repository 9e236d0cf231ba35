// The two clipboard readers: a grid block and a column of values.
#include "FuzzSession.h"
#include "places/ClipboardReader.h"
#include "runtime/TextCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        kartello::decodeText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    kartello::fuzz::Session& s = kartello::fuzz::Session::shared();
    s.loadKnownSet();
    const QString before = s.fingerprint();
    s.ui.clipboard = text;
    kartello::comRowClick(s.ctx, 2);
    s.checkReplacedOrKept(before);
    kartello::comRowClick(s.ctx, 3);
    if (s.grid.Rows() != s.set.lastPlace + 2)
        std::abort();
    return 0;
}
