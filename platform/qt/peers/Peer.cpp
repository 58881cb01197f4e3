#include "platform/qt/peers/Peer.h"

#include "platform/qt/Bridge.h"
#include "platform/ui/Input.h"

#include <QMouseEvent>

namespace qtbackend {

Peer::Peer(Bridge& bridge, ui::Control& control) : bridge_(bridge), control_(control) {}

Peer::~Peer() {
    for (const QObject* o : routed_)
        bridge_.Unroute(o);
    bridge_.Forget(control_);
}

void Peer::Realise(QWidget* parent) {
    widget_ = MakeWidget(parent);
    widget_->setObjectName(QString::fromStdString(control_.Name()));
    Route(widget_);
    widget_->setAttribute(Qt::WA_NoMousePropagation);
    widget_->setFocusPolicy(FocusPolicy());
    {
        Bridge::Mirroring mirroring(bridge_);
        widget_->setGeometry(control_.Left(), control_.Top(), control_.Width(), control_.Height());
        widget_->setVisible(control_.Visible());
        widget_->setEnabled(control_.Enabled());
        widget_->setAttribute(Qt::WA_TransparentForMouseEvents, !control_.HitTest());
    }
    for (ui::Property p : {ui::Property::Cursor, ui::Property::Font, ui::Property::Items,
                           ui::Property::Columns, ui::Property::Other})
        Sync(p);
}

Qt::FocusPolicy Peer::FocusPolicy() const {
    return control_.Focusable() ? Qt::ClickFocus : Qt::NoFocus;
}

void Peer::Sync(ui::Property p) {
    if (!widget_) return;
    Bridge::Mirroring mirroring(bridge_);
    QWidget* q = widget_;
    switch (p) {
    case ui::Property::Bounds:
        q->setGeometry(control_.Left(), control_.Top(), control_.Width(), control_.Height());
        return;
    case ui::Property::Visible:
        q->setVisible(control_.Visible());
        return;
    case ui::Property::Enabled:
        q->setEnabled(control_.Enabled());
        return;
    case ui::Property::Hint:
        return; // hints reach the status line through the windows' own handlers
    case ui::Property::TabOrder:
        return;
    case ui::Property::Cursor:
        switch (control_.GetCursor()) {
        case ui::Cursor::Default:
            q->unsetCursor();
            break;
        case ui::Cursor::Arrow:
            q->setCursor(Qt::ArrowCursor);
            break;
        case ui::Cursor::Hand:
            q->setCursor(Qt::PointingHandCursor);
            break;
        case ui::Cursor::IBeam:
            q->setCursor(Qt::IBeamCursor);
            break;
        case ui::Cursor::Wait:
            q->setCursor(Qt::WaitCursor);
            break;
        }
        return;
    default:
        SyncOwn(p);
        return;
    }
}

bool Peer::Mouse(const QMouseEvent& e, const ui::MouseEvent& m) {
    if (e.type() == QEvent::MouseMove) {
        ui::input::MouseMove(control_, m);
        return false;
    }
    if (e.button() != Qt::LeftButton) return false;
    switch (e.type()) {
    case QEvent::MouseButtonPress:
        return Press(e, m);
    case QEvent::MouseButtonRelease:
        return Release(m);
    case QEvent::MouseButtonDblClick:
        return DoubleClick(m);
    default:
        return false;
    }
}

bool Peer::Press(const QMouseEvent&, const ui::MouseEvent& m) {
    PressClick(m, true);
    return true;
}

bool Peer::Release(const ui::MouseEvent& m) {
    ReleaseClick(m, true);
    return true;
}

bool Peer::DoubleClick(const ui::MouseEvent& m) {
    DoubleClickAt(m, true);
    return true;
}

void Peer::PressClick(const ui::MouseEvent& m, bool runDown) {
    Bridge::Clicks& clicks = bridge_.GetClicks();
    clicks.pressed = &control_;
    if (!runDown || !control_.OnMouseDown) return;
    clicks.downRun = &control_;
    ui::input::PressMouse(control_, m);
}

// The model's handlers may take the peer away (a window closed and
// destroyed): after calling them, these touch only the bridge.
void Peer::ReleaseClick(const ui::MouseEvent& m, bool clicks) {
    Bridge& bridge = bridge_;
    Bridge::Clicks& state = bridge.GetClicks();
    const ui::Control* pressed = state.pressed;
    const bool downRun = state.downRun == &control_;
    state.pressed = nullptr;
    state.downRun = nullptr;
    if (state.skipRelease == &control_) {
        // The release that ends a double click.
        state.skipRelease = nullptr;
    } else if (clicks && pressed == &control_ && widget_->rect().contains(m.x, m.y)) {
        if (downRun)
            ui::input::ReleaseMouse(control_, m, true);
        else
            ui::input::Click(control_);
        bridge.CheckWindowsSoon();
    } else if (downRun) {
        // Released elsewhere: no click, but the mouse-up that undoes what
        // the press showed.
        ui::input::ReleaseMouse(control_, m, false);
    }
}

void Peer::DoubleClickAt(const ui::MouseEvent& m, bool runDown) {
    if (control_.OnDblClick) {
        // The first click already went through on its release: the double
        // click takes the second press and release.
        Bridge& bridge = bridge_;
        ui::Control& c = control_;
        ui::input::SecondClick(c);
        bridge.GetClicks().skipRelease = &c;
        bridge.CheckWindowsSoon();
    } else {
        PressClick(m, runDown); // a second plain click
    }
}

void Peer::Route(QWidget* inner, bool tracked) {
    bridge_.Route(inner, *this);
    routed_.push_back(inner);
    if (tracked) inner->setMouseTracking(true);
}

void Peer::Unroute(QObject* inner) {
    bridge_.Unroute(inner);
    std::erase(routed_, inner);
}

bool Peer::Syncing() const {
    return bridge_.Syncing();
}

void Peer::CheckWindowsSoon() {
    bridge_.CheckWindowsSoon();
}

bool ChangesLook(ui::Property p) {
    return p != ui::Property::Text && p != ui::Property::Caret && p != ui::Property::Selection;
}

void SetStyleIfChanged(QWidget* w, const QString& css) {
    if (w->styleSheet() != css) w->setStyleSheet(css);
}

void SetFontIfChanged(QWidget* w, const QFont& f) {
    if (w->font() != f || !w->testAttribute(Qt::WA_SetFont)) w->setFont(f);
}

void SetPaletteIfChanged(QWidget* w, const QPalette& p) {
    if (w->palette() != p || !w->testAttribute(Qt::WA_SetPalette)) w->setPalette(p);
}

} // namespace qtbackend
