// The peer of a check box: a check box that shows the model's state; the
// click toggles it through the model.
#include "platform/qt/Convert.h"
#include "platform/qt/Paint.h"
#include "platform/qt/peers/Peer.h"

#include <QCheckBox>

namespace qtbackend {

namespace {

class CheckPeer final : public Peer {
public:
    using Peer::Peer;

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        check_ = new QCheckBox(parent);
        return check_;
    }

    void SyncOwn(ui::Property) override {
        auto& c = static_cast<ui::CheckBox&>(GetControl());
        const QString text = Qs(c.Text());
        if (check_->text() != text) check_->setText(text);
        SetFontIfChanged(check_, Qfont(c.GetFont()));
        if (check_->isChecked() != c.Checked()) check_->setChecked(c.Checked());
        QPalette pal = check_->palette();
        SetEnabledColor(pal, QPalette::WindowText, ToQColor(c.GetFont().color));
        SetPaletteIfChanged(check_, pal);
    }

private:
    QCheckBox* check_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeCheckPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<CheckPeer>(bridge, control);
}

} // namespace qtbackend
