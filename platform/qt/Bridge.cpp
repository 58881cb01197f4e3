#include "platform/qt/Bridge.h"

#include "platform/qt/Convert.h"
#include "platform/qt/KeyMap.h"
#include "platform/qt/peers/Peer.h"
#include "platform/ui/Input.h"
#include "platform/ui/Internal.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace qtbackend {

namespace {

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// FormWindow

FormWindow::FormWindow(Bridge& bridge, ui::Form& form)
    : QWidget(nullptr, Qt::Window), bridge_(bridge), form_(&form), client_(new QWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // takes the keys when no control has the focus
    client_->setObjectName(QStringLiteral("client"));
    client_->setMouseTracking(true);
}

void FormWindow::PlaceClient() {
    client_->setGeometry(rect());
}

void FormWindow::resizeEvent(QResizeEvent*) {
    PlaceClient();
    if (form_) bridge_.WindowResized(*form_, size());
}

void FormWindow::paintEvent(QPaintEvent*) {
    if (!form_) return;
    QPainter p(this);
    p.fillRect(rect(), Qbrush(form_->Fill(), rect()));
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The model decides what a close does; the window hides when the model
    // hides the form.
    e->ignore();
    if (form_) bridge_.CloseRequested(*form_);
}

// ---------------------------------------------------------------------------
// Bridge

Bridge::Bridge(ui::Application& app) : app_(app) {
    // Window code sizes pictures and panels from the screen.
    const QSize screen = ScreenSize();
    app_.SetScreenSize(screen.width(), screen.height());
    qApp->installEventFilter(this);
    QApplication::setQuitOnLastWindowClosed(false);
    // Timers run whether or not their window was ever shown.
    for (ui::Form* f : app_.Forms())
        for (ui::Control* c : f->Controls())
            if (IsWindowless(c->Kind())) ControlCreated(*c);
}

Bridge::~Bridge() {
    qApp->removeEventFilter(this);
    peers_.clear(); // before the widgets they mirror into
    for (auto& [form, w] : windows_) {
        w->Detach();
        delete w;
    }
}

void Bridge::SetUnattended(bool u) {
    unattended_ = u;
    const QSize screen = ScreenSize();
    app_.SetScreenSize(screen.width(), screen.height());
}

QSize Bridge::ScreenSize() const {
    if (unattended_) return QSize(1366, 768);
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

FormWindow& Bridge::Window(ui::Form& f) {
    if (auto it = windows_.find(&f); it != windows_.end()) return *it->second;
    auto* w = new FormWindow(*this, f);
    windows_[&f] = w;
    for (ui::Control* c : f.Controls())
        CreatePeer(*w, *c);
    SyncForm(f);
    return *w;
}

QWidget* Bridge::Widget(const ui::Control& c) const {
    Peer* peer = PeerOf(&c);
    return peer ? peer->Widget() : nullptr;
}

ui::Control* Bridge::ControlOf(const QObject* o) const {
    Peer* peer = PeerAt(o);
    return peer ? &peer->GetControl() : nullptr;
}

Peer* Bridge::PeerOf(const ui::Control* c) const {
    auto it = c ? peers_.find(c) : peers_.end();
    return it == peers_.end() ? nullptr : it->second.get();
}

Peer* Bridge::PeerAt(const QObject* o) const {
    for (; o; o = o->parent()) {
        if (auto it = routes_.find(o); it != routes_.end()) return it->second;
        if (dynamic_cast<const FormWindow*>(o)) return nullptr;
    }
    return nullptr;
}

void Bridge::Route(const QObject* o, Peer& peer) {
    routes_[o] = &peer;
}

void Bridge::Unroute(const QObject* o) {
    routes_.erase(o);
}

void Bridge::Forget(const ui::Control& c) {
    if (clicks_.pressed == &c) clicks_.pressed = nullptr;
    if (clicks_.skipRelease == &c) clicks_.skipRelease = nullptr;
    if (clicks_.downRun == &c) clicks_.downRun = nullptr;
}

void Bridge::CheckWindowsSoon() {
    QTimer::singleShot(0, this, [this] { CheckVisibleWindows(); });
}

void Bridge::CreatePeer(FormWindow& w, ui::Control& c) {
    if (IsWindowless(c.Kind())) return; // see ControlCreated
    std::unique_ptr<Peer> peer = MakePeer(*this, c);
    if (!peer) return;
    QWidget* parent = c.Parent() ? Widget(*c.Parent()) : nullptr;
    if (!parent) parent = w.Client();
    Peer& p = *peer;
    peers_[&c] = std::move(peer);
    p.Realise(parent);
}

void Bridge::ControlCreated(ui::Control& c) {
    if (IsWindowless(c.Kind())) {
        // Alive with the control, whether or not its window was ever shown.
        if (peers_.count(&c)) return;
        if (std::unique_ptr<Peer> peer = MakePeer(*this, c)) {
            Peer& p = *peer;
            peers_[&c] = std::move(peer);
            p.Sync(ui::Property::Timer);
        }
        return;
    }
    auto it = windows_.find(&c.GetForm());
    if (it != windows_.end()) {
        CreatePeer(*it->second, c);
        if (QWidget* q = Widget(c)) q->raise();
    }
}

void Bridge::FormDestroyed(ui::Form& f) {
    if (auto loop = modalLoops_.find(&f); loop != modalLoops_.end()) loop->second->exit();
    for (ui::Control* c : f.Controls())
        peers_.erase(c);
    auto it = windows_.find(&f);
    if (it == windows_.end()) return;
    FormWindow* w = it->second;
    windows_.erase(it);
    w->Detach();
    w->hide();
    w->deleteLater();
}

void Bridge::SyncForm(ui::Form& f) {
    auto it = windows_.find(&f);
    if (it == windows_.end()) return;
    FormWindow& w = *it->second;
    ++syncing_;
    w.setWindowTitle(Qs(f.Caption()));
    w.setFont(Qfont(f.GetFont()));
    Qt::WindowFlags flags = Qt::Window;
    if (f.GetBorderStyle() == ui::BorderStyle::None)
        flags |= Qt::FramelessWindowHint;
    else if (!f.CloseBox())
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    else if (f.GetBorderStyle() == ui::BorderStyle::Single)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    else
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint;
    if (w.windowFlags() != flags) {
        const bool visible = w.isVisible();
        w.setWindowFlags(flags);
        if (visible) w.show();
    }
    const QSize client(f.ClientWidth(), f.ClientHeight());
    if (f.GetWindowState() == ui::WindowState::Maximized) {
        w.setMinimumSize(0, 0);
        w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (!w.isVisible()) w.resize(client);
    } else if (f.GetBorderStyle() == ui::BorderStyle::Sizeable) {
        w.setMinimumSize(0, 0);
        w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w.resize(client);
    } else {
        w.setFixedSize(client);
    }
    w.PlaceClient();
    w.update();
    --syncing_;
}

void Bridge::FormChanged(ui::Form& f) {
    SyncForm(f);
}

void Bridge::WindowResized(ui::Form& f, QSize size) {
    if (syncing_ || size.isEmpty()) return;
    if (size == QSize(f.ClientWidth(), f.ClientHeight())) return;
    ui::input::Resize(f, size.width(), size.height());
}

void Bridge::PlaceWindow(ui::Form& f, FormWindow& w) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QRect around = avail;
    auto centreOn = [&](ui::Form* other) {
        if (!other) return;
        auto it = windows_.find(other);
        if (it != windows_.end() && it->second->isVisible()) around = it->second->frameGeometry();
    };
    switch (f.Position()) {
    case ui::FormPosition::Default:
        if (f.Left() || f.Top()) {
            w.move(f.Left(), f.Top());
            return;
        }
        break;
    case ui::FormPosition::ScreenCenter:
        break;
    case ui::FormPosition::OwnerFormCenter:
        centreOn(f.Owner());
        break;
    case ui::FormPosition::MainFormCenter:
        centreOn(app_.MainForm());
        break;
    }
    const QSize size = w.frameGeometry().size().expandedTo(w.size());
    QPoint topLeft = around.center() - QPoint(size.width() / 2, size.height() / 2);
    topLeft.setX(std::clamp(topLeft.x(), avail.left(), std::max(avail.left(), avail.right() - size.width())));
    topLeft.setY(std::clamp(topLeft.y(), avail.top(), std::max(avail.top(), avail.bottom() - size.height())));
    w.move(topLeft);
}

void Bridge::FormShown(ui::Form& f) {
    FormWindow& w = Window(f);
    SyncForm(f);
    if (f.IsModal()) {
        w.setWindowModality(Qt::ApplicationModal);
        if (ui::Form* owner = f.Owner()) {
            w.winId(); // the native window exists from now on
            if (auto it = windows_.find(owner); it != windows_.end() && it->second->windowHandle())
                w.windowHandle()->setTransientParent(it->second->windowHandle());
        }
    }
    if (f.GetWindowState() == ui::WindowState::Maximized) {
        if (unattended_) {
            // No real screen: take a common desktop size, at least the design size.
            w.resize(ScreenSize().expandedTo(QSize(f.ClientWidth(), f.ClientHeight())));
            w.show();
        } else {
            // Also without a window manager to maximise it, it covers the screen.
            if (QScreen* screen = QGuiApplication::primaryScreen())
                w.setGeometry(screen->availableGeometry());
            w.showMaximized();
        }
    } else {
        PlaceWindow(f, w);
        w.show();
    }
    if (!unattended_) {
        w.raise();
        w.activateWindow();
    }
    if (ui::Control* focused = f.Focused()) FocusChanged(f, focused);
}

void Bridge::FormHidden(ui::Form& f) {
    auto it = windows_.find(&f);
    if (it != windows_.end()) {
        it->second->hide();
        if (!f.IsModal()) it->second->setWindowModality(Qt::NonModal);
    }
    CheckWindowsSoon();
}

void Bridge::CheckVisibleWindows() {
    // The program never keeps running without a visible window: a user could
    // not reach it any more.
    if (!running_ || app_.Terminated() || !modalLoops_.empty()) return;
    for (ui::Form* f : app_.Forms())
        if (f->Visible()) return;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && !dynamic_cast<FormWindow*>(top)) return; // a dialog still open
    app_.Terminate();
}

void Bridge::FocusChanged(ui::Form& f, ui::Control* c) {
    auto it = windows_.find(&f);
    if (it == windows_.end()) return;
    ++syncing_;
    QWidget* q = c ? Widget(*c) : nullptr;
    if (q && c->IsShowing())
        q->setFocus(Qt::OtherFocusReason);
    else
        it->second->setFocus(Qt::OtherFocusReason); // a hidden control: the window takes its keys
    // The model moves the focus for Tab and the Enter chains: the style then
    // marks the focused button or check box, as after a keyboard move.
    it->second->window()->setAttribute(Qt::WA_KeyboardFocusChange, true);
    --syncing_;
}

void Bridge::RunModal(ui::Form& f) {
    FormWindow& w = Window(f);
    if (!w.isVisible()) FormShown(f);
    if (unattended_) return; // nobody would answer: the run ends at once, cancelled
    QEventLoop loop;
    modalLoops_[&f] = &loop;
    loop.exec(QEventLoop::DialogExec);
    modalLoops_.erase(&f);
    if (auto it = windows_.find(&f); it != windows_.end() && !it->second->isVisible())
        it->second->setWindowModality(Qt::NonModal);
}

void Bridge::EndModal(ui::Form& f) {
    if (auto it = modalLoops_.find(&f); it != modalLoops_.end()) it->second->exit();
}

void Bridge::Run(ui::Application&) {
    running_ = true;
    CheckWindowsSoon();
    QApplication::exec();
    running_ = false;
}

void Bridge::Terminate() {
    for (auto& [form, loop] : modalLoops_)
        loop->exit();
    QCoreApplication::exit(0);
}

void Bridge::CloseRequested(ui::Form& f) {
    if (!f.Visible()) return;
    if (ui::input::CloseWindow(f)) return;
    // The window has no close box, yet the window manager closed it: the
    // request is not lost. The form closes as its own code would close it:
    // its close handler runs, a modal run ends as cancelled, and closing the
    // main window ends the program.
    ui::detail::Dispatch(app_, [&] {
        f.Close();
        return true;
    });
    CheckWindowsSoon();
}

void Bridge::PropertyChanged(ui::Control& c, ui::Property p) {
    if (Peer* peer = PeerOf(&c)) peer->Sync(p);
}

// ---------------------------------------------------------------------------
// Widgets -> model

bool Bridge::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod: {
        if (!watched->isWidgetType()) return false;
        auto* fw = dynamic_cast<FormWindow*>(static_cast<QWidget*>(watched)->window());
        if (!fw || !fw->GetForm()) return false;
        const bool eaten = HandleKeyEvent(*fw, watched, event);
        CheckWindowsSoon();
        return eaten;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return HandleMouseEvent(watched, event);
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        Peer* peer = PeerAt(watched);
        return peer && peer->Refuse(*event);
    }
    case QEvent::FocusIn: {
        if (syncing_ || !watched->isWidgetType()) return false;
        auto* fw = dynamic_cast<FormWindow*>(static_cast<QWidget*>(watched)->window());
        if (!fw || !fw->GetForm()) return false;
        ui::Form& f = *fw->GetForm();
        ui::Control* c = ControlOf(watched);
        // Only a click moves the model's focus; Qt's own moves (window
        // activation, popups) give way to the model's focus.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (c && c->Focusable() && reason == Qt::MouseFocusReason && f.Focused() != c) ui::input::Focus(*c);
        if (f.Focused() != c) {
            // The model kept the focus elsewhere: the widgets follow it.
            ui::Form* form = &f;
            QTimer::singleShot(0, this, [this, form] {
                if (windows_.count(form)) FocusChanged(*form, form->Focused());
            });
        }
        return false;
    }
    default:
        return false;
    }
}

bool Bridge::HandleKeyEvent(FormWindow& w, QObject* receiver, QEvent* event) {
    ui::Form& f = *w.GetForm();
    Peer* peer = PeerAt(receiver);
    if (peer && peer->KeysStayInQt(receiver)) return false;
    const bool qtNavigates = peer && peer->MovesWithKeys();
    // What a key's handler does may take the peer away: only its control's
    // address is compared afterwards.
    const ui::Control* c = peer ? &peer->GetControl() : nullptr;

    if (event->type() == QEvent::InputMethod) {
        // Text composed by an input method (accented letters, dead keys).
        const QString commit = static_cast<QInputMethodEvent*>(event)->commitString();
        for (char32_t ch : commit.toUcs4())
            ui::input::PressKey(f, ui::input::KeyCodeFor(ch), ch);
        return true;
    }
    auto* ke = static_cast<QKeyEvent*>(event);
    const ui::Mod mods = Qmods(ke->modifiers());
    const WinKey k = MapKey(ke->key(), ke->modifiers(), ke->text());
    if (event->type() == QEvent::KeyRelease) {
        if (ke->isAutoRepeat()) return true; // a held key repeats its key down only
        if (k.code || k.ch) ui::input::KeyUp(f, std::uint16_t(k.code), k.ch, mods);
        return !(qtNavigates && IsNavigationKey(ke->key()));
    }

    if (Peer* focused = PeerOf(f.Focused()); focused && focused->Command(*ke)) return true;
    if (!k.code && !k.ch) return true;
    ui::KeyEvent key{std::uint16_t(k.code), k.ch, mods};
    const bool taken = ui::input::KeyDown(f, key);
    // A calendar or grid moves through its days or cells itself, but only
    // with a key the handlers let through as it came, while it still holds
    // the focus; a swallowed or changed key never reaches the widget.
    const bool letThrough =
        taken && !key.Swallowed() && key.key == k.code && key.ch == k.ch && f.Focused() == c;
    return !(qtNavigates && IsNavigationKey(ke->key()) && letThrough);
}

bool Bridge::HandleMouseEvent(QObject* receiver, QEvent* event) {
    if (!receiver->isWidgetType()) return false;
    auto* rw = static_cast<QWidget*>(receiver);
    auto* me = static_cast<QMouseEvent*>(event);
    // The point is mapped here, once, into the coordinates of the control's
    // area or of the peer's widget.
    const QPoint at = me->position().toPoint();
    if (auto* fw = dynamic_cast<FormWindow*>(rw->window()); fw && (rw == fw || rw == fw->Client())) {
        // The window's own background (also the margins of a maximised window
        // around its design area), in the coordinates of the controls' area.
        if (fw->GetForm() && event->type() == QEvent::MouseMove)
            ui::input::FormMouseMove(*fw->GetForm(), Qmouse(*me, MapBetween(rw, fw->Client(), at)));
        return false;
    }
    auto it = routes_.find(receiver);
    if (it == routes_.end()) return false;
    Peer& peer = *it->second;
    QWidget* widget = peer.Widget();
    if (!widget) return false;
    if (peer.Refuse(*event)) return true;
    // The receiver is the peer's widget or one inside it: the point goes up.
    return peer.Mouse(*me, Qmouse(*me, rw->mapTo(widget, at)));
}

} // namespace qtbackend
