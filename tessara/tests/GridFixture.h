#pragma once
// Helpers shared by the model tests: grids filled with recognisable texts and
// a recorder of the ErrorMsg reports.
#include <QObject>
#include <QString>
#include <utility>
#include <vector>

#include "tessara/GridModel.h"

namespace tessara::test {

// A grid of rows x cols whose cell (r, c) reads "r,c".
inline void fillNamed(GridModel& grid, int rows, int cols, int fixedRows = 1, int fixedCols = 0) {
    grid.setRows(rows);
    grid.setCols(cols);
    grid.setFixedRows(fixedRows);
    grid.setFixedCols(fixedCols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid.setTextMatrix(r, c, QString::number(r) + QLatin1Char(',') + QString::number(c));
}

// Column c of every row, top to bottom.
inline std::vector<QString> column(const GridModel& grid, int c) {
    std::vector<QString> out;
    for (int r = 0; r < grid.Rows(); ++r)
        out.push_back(grid.TextMatrix(r, c));
    return out;
}

struct ErrorLog {
    explicit ErrorLog(GridModel& grid) {
        QObject::connect(&grid, &GridModel::ErrorMsg,
                         [this](const QString& source, const QString& description) {
                             reports.emplace_back(source, description);
                         });
    }
    std::vector<std::pair<QString, QString>> reports;
};

} // namespace tessara::test
