#pragma once
// The bridge between the form model and real Qt windows. Each form gets a
// top-level window the first time it is shown, each control a peer
// (platform/qt/peers): the model tells the bridge what changes (ui::Backend)
// and the bridge hands it to the control's peer; what the user does in the
// windows the bridge routes to the peer of the control under it, which turns
// it into the model's input entry points (platform/ui/Input.h), the same
// that the headless tests call.
#include <QObject>
#include <QWidget>
#include <memory>
#include <unordered_map>

#include "platform/ui/Application.h"

class QEventLoop;

namespace qtbackend {

class Bridge;
class Peer;

// The real window of a form.
class FormWindow : public QWidget {
public:
    FormWindow(Bridge& bridge, ui::Form& form);
    ui::Form* GetForm() const { return form_; }
    void Detach() { form_ = nullptr; }
    // The area of the controls: the whole window, whose size the model hears
    // of as the form's client size (the model keeps a maximised window's
    // design area centred).
    QWidget* Client() const { return client_; }
    void PlaceClient();

protected:
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    Bridge& bridge_;
    ui::Form* form_;
    QWidget* client_;
};

class Bridge : public QObject, public ui::Backend {
public:
    explicit Bridge(ui::Application& app);
    ~Bridge() override;

    // ui::Backend
    void FormCreated(ui::Form&) override {}
    void FormDestroyed(ui::Form& f) override;
    void ControlCreated(ui::Control& c) override;
    void FormShown(ui::Form& f) override;
    void FormHidden(ui::Form& f) override;
    void FormChanged(ui::Form& f) override;
    void PropertyChanged(ui::Control& c, ui::Property p) override;
    void FocusChanged(ui::Form& f, ui::Control* c) override;
    void RunModal(ui::Form& f) override;
    void EndModal(ui::Form& f) override;
    void Run(ui::Application& app) override;
    void Terminate() override;

    // The window of a form, created (hidden) when it has none yet.
    FormWindow& Window(ui::Form& f);
    // The peer widget of a control (null for timers and unrealised forms).
    QWidget* Widget(const ui::Control& c) const;
    // The control a widget (or one of its inner widgets) stands for.
    ui::Control* ControlOf(const QObject* o) const;

    // A close asked by the window manager: never lost, also on a window
    // without a close box (see the definition).
    void CloseRequested(ui::Form& f);

    // The real window of a form took a new size: the model hears of it,
    // unless the size came from the model itself.
    void WindowResized(ui::Form& f, QSize size);

    // Sizes a maximised window takes when no real screen decides it (the
    // application's screen size follows).
    void SetUnattended(bool u);
    // The screen the windows are laid out on: the primary screen, or a
    // common desktop size when unattended.
    QSize ScreenSize() const;

    // For the peers.
    // While a Mirroring lives, the model is being mirrored into the widgets:
    // what the widgets report then is not the user's.
    class Mirroring {
    public:
        explicit Mirroring(Bridge& b) : b_(b) { ++b_.syncing_; }
        ~Mirroring() { --b_.syncing_; }
        Mirroring(const Mirroring&) = delete;
        Mirroring& operator=(const Mirroring&) = delete;

    private:
        Bridge& b_;
    };
    bool Syncing() const { return syncing_ > 0; }
    // Where the user's click stands, shared by the peers.
    struct Clicks {
        ui::Control* pressed = nullptr;     // control under the last mouse press
        ui::Control* skipRelease = nullptr; // the release that ends a double click
        ui::Control* downRun = nullptr;     // pressed control whose mouse-down handler ran
    };
    Clicks& GetClicks() { return clicks_; }
    // The peer's control is going away: no click waits on it any more.
    void Forget(const ui::Control& c);
    // Events of this widget (or inner widget) go to the peer.
    void Route(const QObject* o, Peer& peer);
    void Unroute(const QObject* o);
    // Lets the program end, once the event at hand is done, when no window
    // is visible any more.
    void CheckWindowsSoon();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreatePeer(FormWindow& w, ui::Control& c);
    Peer* PeerOf(const ui::Control* c) const;
    // The peer of a widget or of the nearest widget above it that has one.
    Peer* PeerAt(const QObject* o) const;
    void SyncForm(ui::Form& f);
    void PlaceWindow(ui::Form& f, FormWindow& w);
    void CheckVisibleWindows();
    bool HandleKeyEvent(FormWindow& w, QObject* receiver, QEvent* event);
    bool HandleMouseEvent(QObject* receiver, QEvent* event);

    ui::Application& app_;
    std::unordered_map<ui::Form*, FormWindow*> windows_;
    std::unordered_map<const ui::Control*, std::unique_ptr<Peer>> peers_;
    std::unordered_map<const QObject*, Peer*> routes_;
    std::unordered_map<ui::Form*, QEventLoop*> modalLoops_;
    int syncing_ = 0;      // > 0 while the model is mirrored into widgets
    bool running_ = false; // inside Run
    bool unattended_ = false;
    Clicks clicks_;
};

} // namespace qtbackend
