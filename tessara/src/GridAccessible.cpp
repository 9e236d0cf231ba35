#include "GridAccessible.h"

#include <algorithm>

#include "GridView.h"
#include "tessara/GridModel.h"

namespace tessara {

namespace {

// One cell of the grid, by its grid row and column.
class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(const GridAccessible& table, int r, int c) : table_(table), r_(r), c_(c) {}

    bool isValid() const override { return r_ < model().Rows() && c_ < model().Cols(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_.window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return const_cast<GridAccessible*>(&table_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return QString();
        return model().TextMatrix(r_, c_);
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t == QAccessible::Value && isValid() && model().cellBackColorAt(r_, c_) != model().CellNoEdit)
            model().setTextMatrix(r_, c_, text);
    }
    QRect rect() const override {
        const QRect cell = table_.view()->cellRectInView(r_, c_);
        if (cell.isEmpty())
            return QRect();
        return QRect(table_.view()->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override {
        if (r_ < model().FixedRows())
            return QAccessible::ColumnHeader;
        if (c_ < model().FixedCols())
            return QAccessible::RowHeader;
        return QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State st;
        if (!isValid())
            return st;
        st.selectable = true;
        st.focusable = true;
        st.selected = isSelected();
        st.focused = r_ == model().Row() && c_ == model().Col() && table_.view()->hasFocus();
        st.editable = model().cellBackColorAt(r_, c_) != model().CellNoEdit;
        st.invisible = table_.view()->cellRectInView(r_, c_).isEmpty();
        st.offscreen = st.invisible;
        return st;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                       : nullptr;
    }

    bool isSelected() const override {
        const auto [r1, r2] = std::minmax({model().Row(), model().RowSel()});
        const auto [c1, c2] = std::minmax({model().Col(), model().ColSel()});
        return r_ >= r1 && r_ <= r2 && c_ >= c1 && c_ <= c2;
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        QList<QAccessibleInterface*> out;
        for (int r = 0; r < model().FixedRows(); ++r)
            out << table_.gridCell(r, c_);
        return out;
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override {
        QList<QAccessibleInterface*> out;
        for (int c = 0; c < model().FixedCols(); ++c)
            out << table_.gridCell(r_, c);
        return out;
    }
    int columnIndex() const override { return c_ - model().FixedCols(); }
    int rowIndex() const override { return r_ - model().FixedRows(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    GridModel& model() const { return table_.model(); }

    const GridAccessible& table_;
    int r_;
    int c_;
};

long long cellKey(int r, int c) {
    return (static_cast<long long>(r) << 32) | static_cast<unsigned>(c);
}

QAccessibleInterface* gridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("tessara::GridView") && object && object->isWidgetType())
        return new GridAccessible(static_cast<GridView*>(object));
    return nullptr;
}

} // namespace

void GridAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

GridAccessible::GridAccessible(GridView* view) : QAccessibleWidget(view, QAccessible::Table) {
    // Cells that moved or went away must not be reported with stale places.
    QObject::connect(&model(), &GridModel::restructured, &guard_, [this] { forgetCells(); });
}

GridAccessible::~GridAccessible() {
    forgetCells();
}

GridView* GridAccessible::view() const {
    return static_cast<GridView*>(widget());
}

GridModel& GridAccessible::model() const {
    return view()->model();
}

void GridAccessible::forgetCells() {
    for (const auto& [key, id] : cells_)
        QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
}

QAccessibleInterface* GridAccessible::gridCell(int r, int c) const {
    if (r < 0 || c < 0 || r >= model().Rows() || c >= model().Cols())
        return nullptr;
    const long long key = cellKey(r, c);
    const auto found = cells_.find(key);
    if (found != cells_.end())
        return QAccessible::accessibleInterface(found->second);
    auto* cell = new CellAccessible(*this, r, c);
    cells_.emplace(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessible::Role GridAccessible::role() const {
    return QAccessible::Table;
}

int GridAccessible::childCount() const {
    return model().Rows() * model().Cols();
}

QAccessibleInterface* GridAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    return gridCell(index / model().Cols(), index % model().Cols());
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = dynamic_cast<const CellAccessible*>(child);
    if (!cell || cell->parent() != this)
        return -1;
    auto* tableCell = const_cast<CellAccessible*>(cell);
    return (tableCell->rowIndex() + model().FixedRows()) * model().Cols() + tableCell->columnIndex() +
           model().FixedCols();
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const {
    const QPoint cell = view()->cellAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
    return gridCell(cell.x(), cell.y());
}

QAccessibleInterface* GridAccessible::focusChild() const {
    return gridCell(model().Row(), model().Col());
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int GridAccessible::rowCount() const {
    return std::max(0, model().Rows() - model().FixedRows());
}

int GridAccessible::columnCount() const {
    return std::max(0, model().Cols() - model().FixedCols());
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return gridCell(row + model().FixedRows(), column + model().FixedCols());
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> out;
    const auto [r1, r2] = std::minmax({model().Row(), model().RowSel()});
    const auto [c1, c2] = std::minmax({model().Col(), model().ColSel()});
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            if (QAccessibleInterface* cell = gridCell(r, c))
                out << cell;
    return out;
}

int GridAccessible::selectedCellCount() const {
    const auto [r1, r2] = std::minmax({model().Row(), model().RowSel()});
    const auto [c1, c2] = std::minmax({model().Col(), model().ColSel()});
    return (r2 - r1 + 1) * (c2 - c1 + 1);
}

QString GridAccessible::columnDescription(int column) const {
    const int c = column + model().FixedCols();
    return model().FixedRows() > 0 && c < model().Cols() ? model().TextMatrix(model().FixedRows() - 1, c)
                                                         : QString();
}

QString GridAccessible::rowDescription(int row) const {
    const int r = row + model().FixedRows();
    return model().FixedCols() > 0 && r < model().Rows() ? model().TextMatrix(r, model().FixedCols() - 1)
                                                         : QString();
}

QList<int> GridAccessible::selectedRows() const {
    QList<int> out;
    for (int row = 0; row < rowCount(); ++row)
        if (isRowSelected(row))
            out << row;
    return out;
}

QList<int> GridAccessible::selectedColumns() const {
    QList<int> out;
    for (int column = 0; column < columnCount(); ++column)
        if (isColumnSelected(column))
            out << column;
    return out;
}

// A row counts as selected when the selection spans it from the first data column to the last.
bool GridAccessible::isRowSelected(int row) const {
    const auto [r1, r2] = std::minmax({model().Row(), model().RowSel()});
    const auto [c1, c2] = std::minmax({model().Col(), model().ColSel()});
    const int r = row + model().FixedRows();
    return r >= r1 && r <= r2 && c1 <= model().FixedCols() && c2 >= model().Cols() - 1;
}

bool GridAccessible::isColumnSelected(int column) const {
    const auto [r1, r2] = std::minmax({model().Row(), model().RowSel()});
    const auto [c1, c2] = std::minmax({model().Col(), model().ColSel()});
    const int c = column + model().FixedCols();
    return c >= c1 && c <= c2 && r1 <= model().FixedRows() && r2 >= model().Rows() - 1;
}

bool GridAccessible::selectRow(int row) {
    if (row < 0 || row >= rowCount() || columnCount() == 0)
        return false;
    model().setCurrentCell(row + model().FixedRows(), model().FixedCols());
    model().setColSel(model().Cols() - 1);
    return true;
}

bool GridAccessible::selectColumn(int column) {
    if (column < 0 || column >= columnCount() || rowCount() == 0)
        return false;
    model().setCurrentCell(model().FixedRows(), column + model().FixedCols());
    model().setRowSel(model().Rows() - 1);
    return true;
}

} // namespace tessara
