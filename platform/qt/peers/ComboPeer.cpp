// The peer of a combo edit: a combo box, editable unless the combo is read
// only; an item picked from the drop-down enters the model.
#include "platform/qt/Convert.h"
#include "platform/qt/peers/TextPeer.h"
#include "platform/ui/Input.h"

#include <functional>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

namespace qtbackend {

namespace {

// A combo box whose drop-down list the model hears of when the user opens or
// closes it (a click on its arrow, a pick, a click elsewhere); the model's
// own opening and closing (F4, Alt+Down) shows and hides it here.
class ComboBox final : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void(bool open)> onPopup;
    bool PopupShown() const { return view()->isVisible(); }
    void showPopup() override {
        QComboBox::showPopup();
        if (onPopup) onPopup(true);
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (onPopup) onPopup(false);
    }
};

class ComboPeer final : public TextPeer {
public:
    using TextPeer::TextPeer;
    // The widget may outlive its peer for a moment (deleted later with its
    // window): a popup hidden then tells nobody.
    ~ComboPeer() override {
        if (cb_) cb_->onPopup = nullptr;
    }

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        cb_ = new ComboBox(parent);
        cb_->setInsertPolicy(QComboBox::NoInsert);
        connect(cb_, &QComboBox::activated, this, [this](int index) {
            if (Syncing()) return;
            ui::input::SelectItem(Model(), index);
        });
        cb_->onPopup = [this](bool open) {
            if (!Syncing()) ui::input::DropDown(Model(), open);
        };
        return cb_;
    }

    Qt::FocusPolicy FocusPolicy() const override { return Qt::ClickFocus; }

    // Qt's combo box opens its drop-down and edits its text itself: the
    // release clicks nothing.
    bool Release(const ui::MouseEvent& m) override {
        ReleaseClick(m, false);
        return false;
    }

    void SyncOwn(ui::Property p) override {
        ui::ComboEdit& cm = Model();
        if (p == ui::Property::DropDown) {
            // The list opened or closed by keys in the model.
            if (cm.DroppedDown() && !cb_->PopupShown() && cb_->isVisible())
                cb_->showPopup();
            else if (!cm.DroppedDown() && cb_->PopupShown())
                cb_->hidePopup();
            return;
        }
        const bool editable = !cm.ReadOnly();
        if (cb_->isEditable() != editable) {
            if (QLineEdit* old = cb_->lineEdit()) Unroute(old);
            cb_->setEditable(editable);
            if (QLineEdit* le = cb_->lineEdit()) {
                Route(le, false);
                le->setContextMenuPolicy(Qt::NoContextMenu);
            }
        }
        if (p == ui::Property::Items || cb_->count() != int(cm.Items().size())) {
            cb_->clear();
            for (const auto& item : cm.Items())
                cb_->addItem(Qs(item));
        }
        SetFontIfChanged(cb_, Qfont(cm.GetFont()));
        const QString text = Qs(cm.Text());
        if (QLineEdit* le = cb_->lineEdit()) {
            cb_->setCurrentIndex(cm.ItemIndex());
            if (le->text() != text) le->setText(text);
            le->setCursorPosition(ToUtf16(text, cm.CaretPosition()));
        } else {
            // A combo that takes no typing shows the item its text names
            // (none for an emptied one).
            cb_->setCurrentIndex(cm.CurrentItem());
        }
    }

private:
    ui::ComboEdit& Model() const { return static_cast<ui::ComboEdit&>(GetControl()); }
    QPointer<ComboBox> cb_;
};

} // namespace

std::unique_ptr<Peer> MakeComboPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<ComboPeer>(bridge, control);
}

} // namespace qtbackend
