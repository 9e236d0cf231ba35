#pragma once

// A Qt table model over a clsGrid wrapper: two columns of caption and text,
// header rows in their own colours, reset whenever the wrapper changes.

#include "engine/clsGrid.h"

#include <QAbstractTableModel>

namespace sigillo {

// Pixels for a width in twips (1440 to the inch) at 96 dots per inch.
int TwipsToPixels(int twips);

// A stored colour (0x00BBGGRR, or 0x800000nn for system colour nn) as shown
// here; system colour 1, the desktop, is a deep blue.
QColor GridColour(std::uint32_t stored);

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(clsGrid& grid, QObject* parent = nullptr);
    ~GridModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const clsGrid& grid() const { return grid_; }

signals:
    // The column widths may have changed with the rows.
    void layoutFromGrid();

private:
    clsGrid& grid_;
};

} // namespace sigillo
