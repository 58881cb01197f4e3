// The peer of a list box: a list view over a model that reads the list's
// items where the form model keeps them (no item per line), so lists of
// 100,000 lines stay fast. A press selects the item under it.
#include "platform/qt/Bridge.h"
#include "platform/qt/Convert.h"
#include "platform/qt/Paint.h"
#include "platform/qt/peers/Peer.h"
#include "platform/ui/Input.h"

#include <QAbstractListModel>
#include <QListView>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace qtbackend {

namespace {

class ListModel : public QAbstractListModel {
public:
    explicit ListModel(QObject* parent) : QAbstractListModel(parent) {}
    ui::ListBox* list = nullptr;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() || !list ? 0 : int(list->Count());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!list || !index.isValid() || std::size_t(index.row()) >= list->Count()) return {};
        const auto row = std::size_t(index.row());
        switch (role) {
        case Qt::DisplayRole: {
            const ui::ItemText text = list->Items()[row];
            return QString::fromUtf8(text.data(), qsizetype(text.size()));
        }
        case Qt::FontRole:
            return Qfont(list->FontOfItem(row));
        case Qt::ForegroundRole:
            return QBrush(ToQColor(list->FontOfItem(row).color));
        case Qt::BackgroundRole:
            if (const ui::ItemStyle* s = list->ItemStyleAt(row); s && s->background)
                return QBrush(ToQColor(*s->background));
            return {};
        default:
            return {};
        }
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }
};

class ListDelegate : public QStyledItemDelegate {
public:
    explicit ListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
    int itemHeight = 0;
    int itemWidth = 0;
    // An item is at least as wide as the list's item width, so the horizontal
    // scroll bar reaches that far even when no line is as long.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        if (itemHeight > 0) s.setHeight(itemHeight);
        if (itemWidth > s.width()) s.setWidth(itemWidth);
        return s;
    }
};

class ListPeer final : public Peer {
public:
    using Peer::Peer;
    ~ListPeer() override {
        if (model_) model_->list = nullptr;
    }

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        lv_ = new QListView(parent);
        model_ = new ListModel(lv_);
        model_->list = &Model();
        delegate_ = new ListDelegate(lv_);
        lv_->setModel(model_);
        lv_->setItemDelegate(delegate_);
        lv_->setUniformItemSizes(true); // lists of 100,000 lines stay fast
        lv_->setSelectionMode(QAbstractItemView::SingleSelection);
        lv_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        Route(lv_->viewport());
        return lv_;
    }

    void SyncOwn(ui::Property p) override {
        ui::ListBox& l = Model();
        // The item size is set before the reset, which lays the items out
        // again; a new size alone lays them out too.
        const bool resized = delegate_->itemHeight != l.ItemHeight() || delegate_->itemWidth != l.ItemWidth();
        delegate_->itemHeight = l.ItemHeight();
        delegate_->itemWidth = l.ItemWidth();
        if (p == ui::Property::Items || p == ui::Property::ItemStyle)
            model_->Reset();
        else if (resized)
            lv_->doItemsLayout();
        SetFontIfChanged(lv_, Qfont(l.ItemFont()));
        // A policy set again lays the view out again, even when it is the same.
        const Qt::ScrollBarPolicy bars = l.ShowScrollBars() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
        if (lv_->verticalScrollBarPolicy() != bars) lv_->setVerticalScrollBarPolicy(bars);
        if (lv_->horizontalScrollBarPolicy() != bars) lv_->setHorizontalScrollBarPolicy(bars);
        if (l.Fill().kind == ui::Brush::Kind::Solid && l.Fill().color)
            SetStyleIfChanged(
                lv_, QStringLiteral("QListView { background-color: %1; }").arg(CssColor(l.Fill().color)));
        const QModelIndex current = l.ItemIndex() >= 0 ? model_->index(l.ItemIndex()) : QModelIndex();
        if (current.isValid()) {
            lv_->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
            lv_->scrollTo(current);
        } else {
            lv_->selectionModel()->clearSelection();
        }
    }

    // The press selects the item under it (and clicks it), or gives the
    // list the focus; the release adds nothing.
    bool Press(const QMouseEvent& e, const ui::MouseEvent& m) override {
        // The second press of a double click: the double click follows.
        if (e.flags() & Qt::MouseEventCreatedDoubleClick) return true;
        const QModelIndex index = ItemAt(m);
        if (index.isValid())
            ui::input::SelectItem(Model(), index.row());
        else
            ui::input::Focus(Model());
        return true;
    }
    bool Release(const ui::MouseEvent&) override {
        Bridge::Clicks& clicks = bridge_.GetClicks();
        clicks.pressed = nullptr;
        clicks.downRun = nullptr;
        return true;
    }
    bool DoubleClick(const ui::MouseEvent& m) override {
        // The first press selected the item and clicked it. The handler
        // may take the peer away: afterwards only the bridge is touched.
        Bridge& bridge = bridge_;
        if (const QModelIndex index = ItemAt(m); index.isValid())
            ui::input::SecondClickItem(Model(), index.row());
        bridge.CheckWindowsSoon();
        return true;
    }

private:
    ui::ListBox& Model() const { return static_cast<ui::ListBox&>(GetControl()); }
    QModelIndex ItemAt(const ui::MouseEvent& m) const {
        return lv_->indexAt(lv_->viewport()->mapFrom(lv_, QPoint(m.x, m.y)));
    }
    QListView* lv_ = nullptr;
    ListModel* model_ = nullptr;
    ListDelegate* delegate_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeListPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<ListPeer>(bridge, control);
}

} // namespace qtbackend
