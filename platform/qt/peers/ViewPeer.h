#pragma once
// What the peers of the widgets that move through their own items (calendar
// days, grid cells) share: the widget takes the mouse itself and reports the
// item chosen through its signals, and it moves with the navigation keys the
// model lets through.
#include "platform/qt/peers/Peer.h"

namespace qtbackend {

class ViewPeer : public Peer {
public:
    using Peer::Peer;
    bool MovesWithKeys() const override { return true; }

protected:
    bool Press(const QMouseEvent&, const ui::MouseEvent& m) override {
        PressClick(m, false);
        return false;
    }
    bool Release(const ui::MouseEvent& m) override {
        ReleaseClick(m, false);
        return false;
    }
    bool DoubleClick(const ui::MouseEvent&) override { return false; }
};

} // namespace qtbackend
