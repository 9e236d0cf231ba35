// The shape readers and the centre and bounds procedures on the rings they store.
#include "FuzzSession.h"
#include "places/ShapeReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = kartello::fuzz::Session::decoded(data, size);
    kartello::fuzz::Session& s = kartello::fuzz::Session::shared();
    const QString before = s.loadKnownSet();
    kartello::carregaTxtPolygon(s.ctx, QStringLiteral("[ShapeFile]\r\n") + text);
    s.checkReplacedOrKept(before);
    if (s.set.shapeMode) {
        try {
            kartello::maxMinPoly(s.ctx);
            for (int i = 0; i <= s.set.lastPlace; ++i)
                kartello::pontoMedioShape(s.set.placeData.at(i, 0).toText(),
                                          s.set.placeData.at(i, 0).toText());
        } catch (const kartello::RuntimeError&) {
            // overflowing numbers are reported as error 6
        } catch (const tessara::GridError&) {
            // a ring beyond the table's rows is reported by the caller
        }
    }
    try {
        kartello::parseLinha7(text, u"lat");
        kartello::parseLinha7(text, u"lon");
        kartello::parseLinha7(text, u"alt");
    } catch (const kartello::RuntimeError& e) {
        if (e.number != 6)
            std::abort(); // only an overflowing number may stop the picker
    }
    return 0;
}
