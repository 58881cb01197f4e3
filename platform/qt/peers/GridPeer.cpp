// The peer of a string grid: a table view over the grid's cells
// (platform/qt/Grid.h). It moves through its cells itself; a cell chosen or
// edited in the view enters the model.
#include "platform/qt/Bridge.h"
#include "platform/qt/Convert.h"
#include "platform/qt/Grid.h"
#include "platform/qt/peers/ViewPeer.h"
#include "platform/ui/Input.h"

#include <QItemSelectionModel>
#include <QPointer>

namespace qtbackend {

namespace {

class GridPeer final : public ViewPeer {
public:
    using ViewPeer::ViewPeer;
    ~GridPeer() override {
        if (!gv_) return;
        gv_->Model()->onEdit = nullptr;
        gv_->Detach();
    }
    // Inside a cell editor Qt edits the cell; the grid reports the edit.
    bool KeysStayInQt(const QObject* receiver) const override { return receiver != gv_; }

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        ui::StringGrid& g = Model();
        gv_ = new GridView(g, parent);
        connect(gv_->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex& current, const QModelIndex&) {
                    if (Syncing() || !current.isValid()) return;
                    ui::input::SelectCell(Model(), current.column(), current.row());
                });
        gv_->Model()->onEdit = [this](int col, int row, const std::string& text) {
            return !Syncing() && ui::input::EditCell(Model(), col, row, text);
        };
        Route(gv_->viewport());
        return gv_;
    }

    void SyncOwn(ui::Property p) override {
        if (p == ui::Property::Cells || p == ui::Property::RowCount) {
            // One notice for all the changes of this turn of the event loop.
            if (gv_->Model()->NoteChange(p == ui::Property::Cells))
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        Bridge::Mirroring mirroring(bridge_);
                        gv_->Model()->Flush();
                    },
                    Qt::QueuedConnection);
            return;
        }
        SetFontIfChanged(gv_, Qfont(Model().GetFont()));
        gv_->SyncFromGrid();
    }

private:
    ui::StringGrid& Model() const { return static_cast<ui::StringGrid&>(GetControl()); }
    GridView* gv_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeGridPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<GridPeer>(bridge, control);
}

} // namespace qtbackend
