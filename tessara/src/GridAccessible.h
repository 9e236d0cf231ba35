#pragma once
// What assistive technology (a screen reader) sees of the wrapped grid: a table
// whose children are its cells, row by row, the fixed ones as row and column
// headers. The table's own rows and columns are the data cells below and right
// of the fixed ones, as in other Qt tables.
#include <QAccessibleWidget>
#include <QObject>
#include <unordered_map>

namespace tessara {

class GridView;
class GridModel;

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(GridView* view);
    ~GridAccessible() override;

    // Makes the grid's accessible interface known to Qt (once per process).
    static void install();

    // QAccessibleInterface
    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { forgetCells(); }

    // The interface of grid cell (r, c), made on first use and kept until the grid changes shape.
    QAccessibleInterface* gridCell(int r, int c) const;
    GridView* view() const;
    GridModel& model() const;

private:
    void forgetCells();

    mutable std::unordered_map<long long, QAccessible::Id> cells_;
    QObject guard_; // ends the connections to the grid with this interface
};

} // namespace tessara
