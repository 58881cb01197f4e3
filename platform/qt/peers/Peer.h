#pragma once
// The peer of a control: the real widget that mirrors one control of the
// form model, property by property, and hands the user's mouse and keys on
// that widget to the model's input entry points. One class per kind (or
// family of kinds), each in its own unit beside this one; Registry.cpp maps
// every kind to its peer. The bridge creates peers and routes events to them.
#include <QObject>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/ui/Control.h"

class QKeyEvent;
class QMouseEvent;

namespace qtbackend {

class Bridge;

class Peer : public QObject {
public:
    Peer(Bridge& bridge, ui::Control& control);
    // Stops routing its widgets to the control and forgets a press on it; the
    // widget itself goes with its window.
    ~Peer() override;
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    ui::Control& GetControl() const { return control_; }
    // The widget, null before Realise and for a peer without one (a timer).
    QWidget* Widget() const { return widget_; }

    // Makes the widget under `parent` and mirrors the whole control into it.
    void Realise(QWidget* parent);
    // Mirrors one property of the control that changed: geometry,
    // visibility, enabled state and cursor here, the rest in SyncOwn.
    virtual void Sync(ui::Property p);

    // A mouse event on the widget or an inner one, `m` at its point in the
    // widget's coordinates. True when it is eaten (Qt's widget never sees it).
    bool Mouse(const QMouseEvent& e, const ui::MouseEvent& m);
    // An event taken away from the widget before anything else sees it (text
    // that would enter a field behind the model). True when it is eaten.
    virtual bool Refuse(QEvent&) { return false; }

    // Whether keys reaching `receiver` (the widget or one inside it) are left
    // to Qt alone (a grid's cell editor).
    virtual bool KeysStayInQt(const QObject*) const { return false; }
    // Whether the widget moves through its items itself with the navigation
    // keys the model lets through as they came (calendar days, grid cells).
    virtual bool MovesWithKeys() const { return false; }
    // A clipboard command (paste, copy, cut, select all) while the control
    // holds the focus. True when the peer took it.
    virtual bool Command(const QKeyEvent&) { return false; }

protected:
    virtual QWidget* MakeWidget(QWidget* parent) = 0;
    virtual void SyncOwn(ui::Property p) = 0;
    virtual Qt::FocusPolicy FocusPolicy() const;

    // The left button's press, release and double click (after the press
    // and release of the first click). True when eaten. By default the
    // click of a control drawn by the model: the mouse-down handler at the
    // press, the click at the release over the control.
    virtual bool Press(const QMouseEvent& e, const ui::MouseEvent& m);
    virtual bool Release(const ui::MouseEvent& m);
    virtual bool DoubleClick(const ui::MouseEvent& m);

    // The click every peer shares. A press remembers the control and, when
    // `runDown`, runs its mouse-down handler at once (the rest of the click
    // waits for the release); text fields keep their whole click for the
    // release, where their focus and caret are settled.
    void PressClick(const ui::MouseEvent& m, bool runDown);
    // The release: with `clicks`, a click when it ends a press on this
    // control over it; else the mouse-up that undoes what the press showed.
    void ReleaseClick(const ui::MouseEvent& m, bool clicks);
    // The second press of a double click: the double click, or a second
    // plain press for a control without a double-click handler.
    void DoubleClickAt(const ui::MouseEvent& m, bool runDown);

    // An inner widget that receives the mouse and keys for the control;
    // `tracked`: it also reports moves of the mouse with no button held.
    void Route(QWidget* inner, bool tracked = true);
    void Unroute(QObject* inner);
    // While the model is mirrored into the widgets: what the widgets report
    // then is not the user's.
    bool Syncing() const;
    // Lets the program end when the user's action left no window visible.
    void CheckWindowsSoon();

    Bridge& bridge_;

private:
    ui::Control& control_;
    QWidget* widget_ = nullptr;
    std::vector<const QObject*> routed_;
};

// Whether a change of this property may change a peer's look: a new text,
// caret or selection leaves font, colours and style as they are.
bool ChangesLook(ui::Property p);

// Style sheets are parsed again at every setStyleSheet, which costs far more
// than the text change that usually comes with it: a peer's style is set
// only when it really changes. The same holds for fonts and palettes.
void SetStyleIfChanged(QWidget* w, const QString& css);
void SetFontIfChanged(QWidget* w, const QFont& f);
void SetPaletteIfChanged(QWidget* w, const QPalette& p);

// The peer of a control of that kind (Registry.cpp); null for a kind the
// backend does not know.
std::unique_ptr<Peer> MakePeer(Bridge& bridge, ui::Control& control);
// Whether a control of that kind has a peer without a widget, alive with
// its control whether or not its window was ever shown (timers).
bool IsWindowless(ui::ControlKind kind);

} // namespace qtbackend
