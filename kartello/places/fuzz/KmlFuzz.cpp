// The KML reader (and the KML shape reader it hands over to) on any bytes.
#include "FuzzSession.h"
#include "places/KmlReader.h"

#include "runtime/TextCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kartello::fuzz::Session& s = kartello::fuzz::Session::shared();
    s.loadKnownSet();
    const QString before = s.fingerprint();
    const QString text =
        kartello::decodeText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    s.set.currentFile = QStringLiteral("input");
    kartello::readKmlText(s.ctx, text);
    s.checkReplacedOrKept(before);
    return 0;
}
