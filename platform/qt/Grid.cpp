#include "platform/qt/Grid.h"

#include "platform/ui/Control.h"

#include <QHeaderView>

namespace qtbackend {

GridModel::GridModel(ui::StringGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(&grid) {
    rows_ = grid.RowCount();
    cols_ = grid.ColumnCount();
}

bool GridModel::NoteChange(bool cells) {
    cellsChanged_ = cellsChanged_ || cells;
    if (pending_) return false;
    pending_ = true;
    return true;
}

void GridModel::Flush() {
    pending_ = false;
    const bool cells = cellsChanged_;
    cellsChanged_ = false;
    if (!grid_) return;
    const int rows = grid_->RowCount(), cols = grid_->ColumnCount();
    if (cols != cols_) {
        beginResetModel();
        rows_ = rows;
        cols_ = cols;
        endResetModel();
        return;
    }
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (cells && rows_ > 0 && cols_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1), {Qt::DisplayRole});
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!grid_ || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    // Cells beyond the grid's rows (a change not yet told) read empty.
    return QString::fromStdString(grid_->Cell(index.column(), index.row()));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!grid_ || role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= grid_->ColumnCount()) return {};
    return QString::fromStdString(grid_->Columns()[std::size_t(section)].header);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!grid_ || !index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int col = index.column();
    if (!grid_->ReadOnly() && col < grid_->ColumnCount() && !grid_->Columns()[std::size_t(col)].readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!grid_ || !index.isValid() || role != Qt::EditRole || !onEdit) return false;
    const bool taken = onEdit(index.column(), index.row(), value.toString().toStdString());
    // Shows the cell as the model keeps it (a refused edit: its old text).
    emit dataChanged(index, index, {Qt::DisplayRole});
    return taken;
}

GridView::GridView(ui::StringGrid& grid, QWidget* parent)
    : QTableView(parent), grid_(&grid), model_(new GridModel(grid, this)) {
    setModel(model_);
    verticalHeader()->setVisible(false);
    // Rows of one height: a grid of a year of records lays out at once.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
}

void GridView::Detach() {
    grid_ = nullptr;
    model_->Detach();
}

void GridView::SyncFromGrid() {
    if (!grid_) return;
    model_->Flush();
    const ui::StringGrid& g = *grid_;
    if (alternatingRowColors() != g.AlternatingRows())
        setAlternatingRowColors(g.AlternatingRows()); // set again, it repaints
    verticalHeader()->setDefaultSectionSize(g.RowHeight());
    // Keys edit the cell through the model (the window's key handlers see
    // them first); a double click opens the cell editor.
    setEditTriggers(g.ReadOnly() ? QAbstractItemView::NoEditTriggers : QAbstractItemView::DoubleClicked);
    if (model_->columnCount() > 0)
        emit model_->headerDataChanged(Qt::Horizontal, 0, model_->columnCount() - 1);
    for (int col = 0; col < g.ColumnCount() && col < model_->columnCount(); ++col)
        if (columnWidth(col) != g.Columns()[std::size_t(col)].width)
            setColumnWidth(col, g.Columns()[std::size_t(col)].width);
    if (g.Row() >= 0 && g.Col() >= 0) {
        const QModelIndex current = model_->index(g.Row(), g.Col());
        if (current.isValid() && currentIndex() != current)
            selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    }
}

} // namespace qtbackend
