// The peer of a combo edit: a combo box, editable unless the combo is read
// only; an item picked from the drop-down enters the model.
#include "platform/qt/Convert.h"
#include "platform/qt/peers/TextPeer.h"
#include "platform/ui/Input.h"

#include <QComboBox>
#include <QLineEdit>

namespace qtbackend {

namespace {

class ComboPeer final : public TextPeer {
public:
    using TextPeer::TextPeer;

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        cb_ = new QComboBox(parent);
        cb_->setInsertPolicy(QComboBox::NoInsert);
        connect(cb_, &QComboBox::activated, this, [this](int index) {
            if (Syncing()) return;
            ui::input::SelectItem(Model(), index);
        });
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
        cb_->setCurrentIndex(cm.ItemIndex());
        const QString text = Qs(cm.Text());
        if (QLineEdit* le = cb_->lineEdit()) {
            if (le->text() != text) le->setText(text);
            le->setCursorPosition(ToUtf16(text, cm.CaretPosition()));
        } else if (cm.ItemIndex() < 0) {
            cb_->setCurrentIndex(cb_->findText(text));
        }
    }

private:
    ui::ComboEdit& Model() const { return static_cast<ui::ComboEdit&>(GetControl()); }
    QComboBox* cb_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeComboPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<ComboPeer>(bridge, control);
}

} // namespace qtbackend
