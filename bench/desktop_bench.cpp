// The program as a user sees it: every window of the program created as at
// start-up, drawn by the Qt backend (under the display of $DISPLAY, such as
// a virtual one from xvfb-run, or else on the offscreen platform), the
// vehicle card shown over 100,000 vehicles (1,000,000 with BENCH_LARGE=1).
// Real mouse clicks go to the real widgets, and the time runs from the click
// until the X server has drawn the view, with its lines in it, on the screen
// (its DAMAGE extension, watched on a connection of our own); on the
// offscreen platform, to the end of the view's first paint in the process:
//   - the search: the card's search button opens the search window; from the
//     click on "Cerca" to the list painted;
//   - the export: from the click on the card's export button to the export
//     window's grid painted.
// See bench/Bench.h for how every path is measured.
//
//   bench_desktop [folder] [sizes...]
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#ifdef DORNEVAL_BENCH_XDAMAGE
#include <poll.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#endif

#include "bench/Bench.h"
#include "bench/Data.h"
#include "common/Records.h"
#include "platform/qt/Backend.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "shell/WindowSet.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/Autoparco.h"

namespace {

const rtl::Date kOggi = *rtl::Date::FromYmd(2026, 3, 15);
// A path that has not painted by then failed.
constexpr int kTimeoutMs = 120'000;

#ifdef DORNEVAL_BENCH_XDAMAGE
// The X server's drawing on the screen, watched on a connection of its own
// through the DAMAGE extension: the time at which each rectangle of the
// screen (the root window and every window in it) was drawn, as the server
// reports it. Not active without an X server that has the extension.
class DannoSchermo {
public:
    DannoSchermo() {
        if (QGuiApplication::platformName() != "xcb") return;
        conn_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(conn_)) return;
        const xcb_query_extension_reply_t* ext = xcb_get_extension_data(conn_, &xcb_damage_id);
        if (!ext || !ext->present) return;
        evento_ = ext->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(
            conn_, xcb_damage_query_version(conn_, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
            nullptr));
        danno_ = xcb_generate_id(conn_);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root;
        xcb_damage_create(conn_, danno_, root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(conn_);
        attivo_ = true;
        ascolto_ = std::thread([this] { Ascolta(); });
    }
    ~DannoSchermo() {
        fine_ = true;
        if (ascolto_.joinable()) ascolto_.join();
        if (conn_) xcb_disconnect(conn_);
    }
    bool Attivo() const { return attivo_; }

    // Forgets the drawing seen so far.
    void Azzera() {
        const std::lock_guard lock(mutex_);
        danni_.clear();
    }
    // The first time, from `da` on, at which the server drew inside `r`
    // (screen coordinates); -1 while there is none.
    double Primo(double da, const QRect& r) {
        const std::lock_guard lock(mutex_);
        for (const auto& [t, area] : danni_)
            if (t >= da && area.intersects(r)) return t;
        return -1;
    }

private:
    void Ascolta() {
        pollfd pfd{xcb_get_file_descriptor(conn_), POLLIN, 0};
        while (!fine_) {
            if (::poll(&pfd, 1, 20) <= 0) continue;
            while (xcb_generic_event_t* e = xcb_poll_for_event(conn_)) {
                if ((e->response_type & 0x7F) == evento_) {
                    const auto* d = reinterpret_cast<const xcb_damage_notify_event_t*>(e);
                    const double t = bench::Now();
                    // In the window's coordinates: moved to the screen's.
                    const QRect area(d->geometry.x + d->area.x, d->geometry.y + d->area.y, d->area.width,
                                     d->area.height);
                    const std::lock_guard lock(mutex_);
                    danni_.emplace_back(t, area);
                }
                free(e);
            }
            if (xcb_connection_has_error(conn_)) return;
        }
    }

    xcb_connection_t* conn_ = nullptr;
    xcb_damage_damage_t danno_ = 0;
    std::uint8_t evento_ = 0;
    bool attivo_ = false;
    std::atomic<bool> fine_{false};
    std::thread ascolto_;
    std::mutex mutex_;
    std::vector<std::pair<double, QRect>> danni_;
};
#else
// Without the DAMAGE extension's library: never active.
class DannoSchermo {
public:
    bool Attivo() const { return false; }
    void Azzera() {}
    double Primo(double, const QRect&) { return -1; }
};
#endif

// Watches the paints of the whole program. Armed with the name of a view (a
// list box or a grid), it lets the first paint of that view's viewport with
// lines in it run to its end, notes the time, and closes the view's window.
// With the X server's damage watched, the time is that at which the server
// drew the view's place on the screen after that paint began (the window
// closes once it has, or after kTimeoutDannoMs without it).
class Osservatore : public QObject {
public:
    explicit Osservatore(DannoSchermo& schermo) : schermo_(schermo) { qApp->installEventFilter(this); }
    ~Osservatore() override { qApp->removeEventFilter(this); }

    void Arma(const QString& vista) {
        vista_ = vista;
        dipinto_ = -1;
        schermo_.Azzera();
    }
    // The time of the paint (or of the screen's drawing), -1 for none.
    double Dipinto() const { return dipinto_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Paint || dentro_ || vista_.isEmpty() || !o->isWidgetType()) return false;
        auto* viewport = static_cast<QWidget*>(o);
        auto* view = qobject_cast<QAbstractItemView*>(viewport->parentWidget());
        if (!view || view->viewport() != viewport || view->objectName() != vista_ || !view->model() ||
            view->model()->rowCount() == 0)
            return false;
        // The paint itself, then the time.
        const double inizio = bench::Now();
        dentro_ = true;
        QCoreApplication::sendEvent(o, e);
        dentro_ = false;
        vista_.clear();
        QPointer<QWidget> finestra(view->window());
        if (!schermo_.Attivo()) {
            dipinto_ = bench::Now();
            QTimer::singleShot(0, finestra, [finestra] {
                if (finestra) finestra->close();
            });
            return true;
        }
        // Until the server has drawn the viewport's place on the screen.
        const QRect area(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
        auto* attesa = new QTimer(this);
        attesa->start(1);
        connect(attesa, &QTimer::timeout, this, [this, attesa, finestra, inizio, area] {
            const double t = schermo_.Primo(inizio, area);
            if (t < 0 && bench::Now() - inizio < kTimeoutDannoMs / 1e3) return;
            dipinto_ = t;
            attesa->deleteLater();
            if (finestra) finestra->close();
        });
        return true;
    }

private:
    static constexpr int kTimeoutDannoMs = 10'000;
    DannoSchermo& schermo_;
    QString vista_;
    double dipinto_ = -1;
    bool dentro_ = false;
};

// A left click in the middle of the widget, as the window system gives it.
void Clicca(QWidget* w) {
    const QPointF pos(w->width() / 2.0, w->height() / 2.0), global = w->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

// The visible widget of that name in a visible window other than `tranne`.
QWidget* Trova(const QString& nome, QWidget* tranne = nullptr) {
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == nome && w->isVisible() && w->window() != tranne) return w;
    return nullptr;
}

// The program of one process: its windows, the Qt session, the card shown.
struct Programma {
    ui::Application app;
    WindowSet windows{app};
    qtbackend::Session session{app, qtbackend::Mode::Interactive};
    DannoSchermo schermo;
    Osservatore osservatore{schermo};
    QWidget* scheda = nullptr;

    Programma() {
        frmAutoparco->Show();
        // Until the card is on screen and painted.
        for (int i = 0; i < 50; ++i)
            session.ProcessEvents();
        scheda = Trova("cmdEsporta");
        if (!scheda) {
            std::fprintf(stderr, "the vehicle card is not shown\n");
            std::exit(1);
        }
        scheda = scheda->window();
    }

    // Clicks the card's `bottone`, which opens a modal window; `nellaFinestra`
    // runs inside that window's modal run (by a timer) and arms the watch.
    // Returns the time from `Inizio` (set by the caller's step) to the paint.
    double Apri(const QString& bottone, const std::function<void()>& nellaFinestra) {
        bool scaduto = false;
        QTimer scadenza;
        scadenza.setSingleShot(true);
        QObject::connect(&scadenza, &QTimer::timeout, [&] {
            scaduto = true;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w != scheda) w->close();
        });
        scadenza.start(kTimeoutMs);
        QTimer::singleShot(0, [&] { nellaFinestra(); });
        Clicca(Trova(bottone, nullptr));
        if (scaduto || osservatore.Dipinto() < 0) {
            std::fprintf(stderr, schermo.Attivo() ? "no drawing of the view on the screen\n"
                                                  : "no paint of the view\n");
            std::exit(1);
        }
        return osservatore.Dipinto() - inizio;
    }
    double inizio = 0;

    // How the time was taken, for the note.
    std::string Misura() const {
        return schermo.Attivo()
                   ? "to the screen (X damage), " + QGuiApplication::platformName().toStdString()
                   : "to the paint in the process, " + QGuiApplication::platformName().toStdString();
    }
};

std::vector<bench::Path> Percorsi(const std::string& cartella, std::size_t) {
    const std::string archivio = cartella + std::string(vehicles::kArchivioAutomezzi);
    const std::size_t rec = common::TAutomezzoRec.size;
    return {
        {"search: click Cerca to list painted",
         [] {
             auto p = std::make_shared<Programma>();
             return [p] {
                 // In the search window's modal run: once it is painted, a
                 // click on "Cerca".
                 std::function<void()> cerca;
                 cerca = [p, &cerca] {
                     QWidget* btn = Trova("btnCerca", p->scheda);
                     if (!btn || !btn->window()->windowHandle() ||
                         !btn->window()->windowHandle()->isExposed()) {
                         QTimer::singleShot(1, cerca);
                         return;
                     }
                     QCoreApplication::processEvents();
                     p->osservatore.Arma("lstRecords");
                     p->inizio = bench::Now();
                     Clicca(btn);
                 };
                 const double t = p->Apri("cmdTrova", cerca);
                 return bench::Outcome{"target 150 ms; " + p->Misura(), t};
             };
         },
         archivio, rec},
        {"export: click to grid painted",
         [] {
             auto p = std::make_shared<Programma>();
             return [p] {
                 p->osservatore.Arma("grdRecords");
                 p->inizio = bench::Now();
                 const double t = p->Apri("cmdEsporta", [] {});
                 return bench::Outcome{"target 300 ms; " + p->Misura(), t};
             };
         },
         archivio, rec},
    };
}

} // namespace

int main(int argc, char** argv) {
    // A display when there is one (xvfb-run), else the offscreen platform.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::Program program;
    program.name = "desktop";
    program.sizes = {100000};
    program.largeSizes = {1000000};
    program.setup = [](const std::string& cartella) {
        rtl::SetDataFolderForTesting(cartella);
        rtl::SetClock(rtl::DateTime{kOggi, {9, 0, 0}});
    };
    program.data = [](const std::string& cartella, std::size_t count) {
        return bench::Describe(
            bench::WriteVehicles(cartella + std::string(vehicles::kArchivioAutomezzi), count, kOggi),
            common::TAutomezzoRec.size, "vehicles");
    };
    program.paths = Percorsi;
    return bench::Main(argc, argv, program);
}
