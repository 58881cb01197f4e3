// The peer of a button: a push button, which shows its own press; the click
// still goes through the model at the release.
#include "platform/qt/Convert.h"
#include "platform/qt/Paint.h"
#include "platform/qt/peers/Peer.h"

#include <QPushButton>

namespace qtbackend {

namespace {

class ButtonPeer final : public Peer {
public:
    using Peer::Peer;

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        button_ = new QPushButton(parent);
        return button_;
    }

    // Each property set only when it differs: a set repaints the button.
    void SyncOwn(ui::Property) override {
        const ui::Control& c = GetControl();
        const QString text = Qs(c.Text());
        if (button_->text() != text) button_->setText(text);
        SetFontIfChanged(button_, Qfont(c.GetFont()));
        QPalette pal = button_->palette();
        SetEnabledColor(pal, QPalette::ButtonText, ToQColor(c.GetFont().color));
        SetPaletteIfChanged(button_, pal);
    }

    // The widget sees the press and release too, to draw itself pressed.
    bool Press(const QMouseEvent&, const ui::MouseEvent& m) override {
        PressClick(m, true);
        return false;
    }
    bool Release(const ui::MouseEvent& m) override {
        ReleaseClick(m, true);
        return false;
    }

private:
    QPushButton* button_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeButtonPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<ButtonPeer>(bridge, control);
}

} // namespace qtbackend
