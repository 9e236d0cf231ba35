#include "PlaceFixture.h"

#include "places/OpenCommand.h"

#include <QFile>

namespace kartello::test {

PlaceFixture::PlaceFixture() {
    form.startUp();
    form.isShapeMode = [this] {
        return set.shapeMode;
    };
    formataGrid(grid);
    set.placeData.row(0).backupRow = 0;
}

QString PlaceFixture::writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = scratch.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

void PlaceFixture::open(const QString& path) {
    ui.fileAnswers.push_back(path);
    carregaKML(ctx);
}

QString PlaceFixture::tableRow(int row) const {
    QStringList cells;
    for (int c = 0; c < 4; ++c)
        cells << grid.TextMatrix(row, c);
    return cells.join(u'|');
}

QString PlaceFixture::storeRow(int row) const {
    QStringList cells;
    for (int c = 0; c < 4; ++c)
        cells << set.placeData.at(row, c).toText();
    return cells.join(u'|');
}

QString PlaceFixture::backupRow(int row) const {
    QStringList cells;
    for (int c = 0; c < 4; ++c)
        cells << set.placeBackup.at(row, c).toText();
    return cells.join(u'|');
}

} // namespace kartello::test
