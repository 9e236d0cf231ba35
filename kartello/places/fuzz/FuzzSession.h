#pragma once
// One place session for the fuzz targets: a loaded set that every reader must
// either replace completely or leave exactly as it was.
#include "places/PlaceContext.h"
#include "places/PlaceTable.h"
#include "places/TextReader.h"
#include "runtime/TextCodec.h"
#include "runtime/testing/FakeUi.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kartello::fuzz {

struct Session {
    FakeUi ui;
    FormModel form{ui};
    tessara::GridModel grid;
    PlaceSet set;
    PlaceContext ctx{set, grid, form, ui};

    Session() {
        form.startUp();
        formataGrid(grid);
    }

    // One session serves every input: building a form and a scratch folder per
    // input would cost more than the reading under test.
    static Session& shared() {
        static Session s;
        return s;
    }

    // The input bytes as the readers get them from a file or the clipboard.
    static QString decoded(const uint8_t* data, size_t size) {
        return decodeText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    }

    // A known set of three places, loaded the ordinary way; returns its
    // fingerprint, for checkReplacedOrKept.
    QString loadKnownSet() {
        set.currentFile = QStringLiteral("known.txt");
        carregaText(ctx, u"A,1,2,3\r\nB,4,5,6\r\nC,7,8,9\r\n");
        if (set.lastPlace != 2) {
            std::fprintf(stderr, "known set not loaded: %s\n", qPrintable(ui.lastMessage()));
            std::abort();
        }
        ui.messages.clear();
        return fingerprint();
    }

    QString fingerprint() const {
        QString s = QString::number(set.lastPlace) + u'#' + QString::number(grid.Rows()) + u'#';
        for (int r = 0; r <= std::max(set.lastPlace, 0); ++r)
            for (int c = 0; c < 4; ++c)
                s += set.placeData.at(r, c).toText() + u'|';
        for (int r = 0; r < grid.Rows(); ++r)
            for (int c = 0; c < grid.Cols(); ++c)
                s += grid.TextMatrix(r, c) + u'|';
        return s;
    }

    // Either the reader loaded a new set (dataLoaded, table rows match the
    // count) or nothing at all changed.
    void checkReplacedOrKept(const QString& before) const {
        if (!ui.messages.empty() && fingerprint() != before) {
            std::fprintf(stderr, "a refused input changed the set: %s\n", qPrintable(ui.lastMessage()));
            std::abort();
        }
        if (set.lastPlace > PlaceStore::kRows - 1)
            std::abort();
    }
};

} // namespace kartello::fuzz
