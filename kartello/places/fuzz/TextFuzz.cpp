// The place text reader (and the shape text reader it hands over to) on any bytes.
#include "FuzzSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kartello::fuzz::Session& s = kartello::fuzz::Session::shared();
    const QString before = s.loadKnownSet();
    const QString text = kartello::fuzz::Session::decoded(data, size);
    s.set.currentFile = QStringLiteral("input");
    kartello::carregaText(s.ctx, text);
    s.checkReplacedOrKept(before);
    return 0;
}
