#pragma once
// What the peers of the text fields (edit, memo, combo) share: text enters
// only through the model (no drops, no middle-button paste), Qt's widget
// takes the mouse itself (caret, selection), and the clipboard commands work
// on the model's text and selection.
#include "platform/qt/peers/Peer.h"

namespace qtbackend {

class TextPeer : public Peer {
public:
    using Peer::Peer;
    bool Refuse(QEvent& e) override;
    bool Command(const QKeyEvent& e) override;

protected:
    // The click goes through at the release, where focus and caret are
    // settled; the mouse-down handler does not run at the press.
    bool Press(const QMouseEvent&, const ui::MouseEvent& m) override {
        PressClick(m, false);
        return false;
    }
    bool Release(const ui::MouseEvent& m) override {
        ReleaseClick(m, true);
        return false;
    }
    bool DoubleClick(const ui::MouseEvent& m) override {
        DoubleClickAt(m, false);
        return false;
    }
};

// The look of an edit or memo: its "background" style element's rectangle
// gives the fill and the border (the field highlight); without one, the
// edit's fill.
struct EditColors {
    ui::Color fill, stroke;
};
EditColors GetEditColors(ui::Edit& e);

} // namespace qtbackend
