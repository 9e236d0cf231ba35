#pragma once
// A place context on a fresh form, table and store, with a scripted Ui and a
// scratch folder for files.
#include "places/PlaceContext.h"
#include "places/PlaceTable.h"
#include "runtime/testing/FakeUi.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

// Test failures show texts as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace kartello::test {

class PlaceFixture : public ::testing::Test {
protected:
    PlaceFixture();

    // Writes bytes to a file in the scratch folder and returns its path.
    QString writeFile(const QString& name, const QByteArray& bytes);
    // Loads a text or KML file as "Open file" would, answering the dialog.
    void open(const QString& path);
    // Table text of one row, columns 0..3 joined by "|".
    QString tableRow(int row) const;
    // Store cells of one row in store order, as texts joined by "|".
    QString storeRow(int row) const;
    QString backupRow(int row) const;

    FakeUi ui;
    FormModel form{ui};
    tessara::GridModel grid;
    PlaceSet set;
    PlaceContext ctx{set, grid, form, ui};
    QTemporaryDir scratch;
};

// Three Portuguese cities as a place text file.
inline const QByteArray kThreeCities = "\"Lisbon\",38.7167,-9.1333,547\r\n"
                                       "Porto,41.15,-8.6167,237.5\r\n"
                                       "Faro,37.0167,-7.9333,64\r\n";

} // namespace kartello::test
