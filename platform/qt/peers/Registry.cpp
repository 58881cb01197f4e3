// Every kind of control and its peer: the one place to touch when a kind is
// added (besides its own unit).
#include "platform/qt/peers/Peer.h"

namespace qtbackend {

// Defined each in the unit of its peer.
std::unique_ptr<Peer> MakeLabelPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeEditPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeButtonPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakePicturePeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeShapePeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeListPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeComboPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeCheckPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeCalendarPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeMemoPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeGridPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeTimerPeer(Bridge&, ui::Control&);
std::unique_ptr<Peer> MakeChartPeer(Bridge&, ui::Control&);

namespace {

struct PeerKind {
    ui::ControlKind kind;
    std::unique_ptr<Peer> (*make)(Bridge&, ui::Control&);
    bool windowless = false;
};

const PeerKind kPeerKinds[] = {
    {ui::ControlKind::Label, MakeLabelPeer},       {ui::ControlKind::Edit, MakeEditPeer},
    {ui::ControlKind::Button, MakeButtonPeer},     {ui::ControlKind::Picture, MakePicturePeer},
    {ui::ControlKind::Rectangle, MakeShapePeer},   {ui::ControlKind::Panel, MakeShapePeer},
    {ui::ControlKind::GroupBox, MakeShapePeer},    {ui::ControlKind::Layout, MakeShapePeer},
    {ui::ControlKind::ListBox, MakeListPeer},      {ui::ControlKind::ComboEdit, MakeComboPeer},
    {ui::ControlKind::CheckBox, MakeCheckPeer},    {ui::ControlKind::Calendar, MakeCalendarPeer},
    {ui::ControlKind::Memo, MakeMemoPeer},         {ui::ControlKind::StringGrid, MakeGridPeer},
    {ui::ControlKind::Timer, MakeTimerPeer, true}, {ui::ControlKind::Chart, MakeChartPeer},
};

const PeerKind* Find(ui::ControlKind kind) {
    for (const PeerKind& k : kPeerKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

} // namespace

std::unique_ptr<Peer> MakePeer(Bridge& bridge, ui::Control& control) {
    const PeerKind* k = Find(control.Kind());
    return k ? k->make(bridge, control) : nullptr;
}

bool IsWindowless(ui::ControlKind kind) {
    const PeerKind* k = Find(kind);
    return k && k->windowless;
}

} // namespace qtbackend
