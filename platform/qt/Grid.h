#pragma once
// The real widget of a string grid: a table view over one table model that
// reads the grid's cells where the form model keeps them (no item per cell).
// The form model's change notices are batched: any number of cell and row
// changes made in one handler reach the view as one notice, so filling a grid
// of n rows costs time in proportion to n.
#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <string>

namespace ui {
class StringGrid;
}

namespace qtbackend {

class GridModel : public QAbstractTableModel {
public:
    GridModel(ui::StringGrid& grid, QObject* parent);
    // The grid is going away: the model answers empty from now on.
    void Detach() { grid_ = nullptr; }

    // The grid's cells (cells) or its rows changed. True for the first change
    // since the last flush: the caller then arranges one flush() later.
    bool NoteChange(bool cells);
    bool Pending() const { return pending_; }
    // Tells the view of every change noted: rows inserted or removed, the
    // columns anew when their count changed, the cells as one range.
    void Flush();

    // A cell edited in the view's cell editor; false when the model refused it.
    std::function<bool(int col, int row, const std::string& text)> onEdit;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    ui::StringGrid* grid_;
    int rows_ = 0, cols_ = 0; // what the view was told
    bool pending_ = false;
    bool cellsChanged_ = false;
};

class GridView : public QTableView {
public:
    GridView(ui::StringGrid& grid, QWidget* parent);
    GridModel* Model() const { return model_; }
    void Detach();
    // Mirrors columns (headers, widths), row height, alternating rows, edit
    // triggers and the selected cell, after the pending change notices.
    void SyncFromGrid();

private:
    ui::StringGrid* grid_;
    GridModel* model_;
};

} // namespace qtbackend
