// The paths a user waits for over the vehicle archive (3370-byte records,
// about 560 bytes of text each): the vehicle search with no criterion, each
// deadline list, the export (the window with its grid filled and the file
// written, and each half alone), the card's opening, a browse step of the card
// (headless and through the Qt backend) and the recall of a listed vehicle
// into the card. Sizes: 1,000, 10,000 and 100,000 vehicles; 1,000,000 with
// BENCH_LARGE=1. See bench/Bench.h for how every path is measured.
//
//   bench_fleet [folder] [sizes...]
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "bench/Data.h"
#include "common/ExportWindow.h"
#include "common/Records.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Input.h"
#include "platform/ui/Services.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/Autoparco.h"
#include "vehicles/ExpAutoparco.h"
#include "vehicles/ScadAssicurazione.h"
#include "vehicles/ScadBollo.h"
#include "vehicles/ScadRevisione.h"
#include "vehicles/ScadTagliando.h"
#include "vehicles/TrovaAutomezzi.h"

#ifdef DORNEVAL_BENCH_QT
#include "platform/qt/Backend.h"
#endif

namespace {

const rtl::Date kOggi = *rtl::Date::FromYmd(2026, 3, 15);

// Answers the questions of the export (yes to export, no to opening the
// file); anything else is printed, as it means a path failed.
class Risposte : public ui::Services {
public:
    ui::Answer Message(ui::DialogType, const std::string& text, ui::Buttons buttons) override {
        if (text == common::kMsgEsportazioneRiuscita) return ui::Answer::No;
        if (text == common::kMsgDomandaEsportazione) return ui::Answer::Yes;
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        return buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::OK;
    }
    void ShellOpen(const std::string&, const std::function<void()>&) override {}
};

// The application of one process, with its answers.
struct Ambiente {
    Risposte risposte;
    ui::Application app;
    ui::Form main{app};
    Ambiente() { app.SetServices(&risposte); }
    ~Ambiente() { app.SetServices(nullptr); }
};

std::string Righe(std::size_t n) {
    return std::to_string(n) + " lines";
}

template <class W> bench::Operation ListaScadenze() {
    struct Stato {
        Ambiente a;
        W w{a.app};
    };
    auto s = std::make_shared<Stato>();
    return [s] {
        s->w.Show();
        const std::size_t n = s->w.lstRecords.Count();
        s->w.Close();
        return bench::Outcome{Righe(n)};
    };
}

// The card shown at the first vehicle, the search's recall target.
struct Scheda {
    Ambiente a;
    TfrmAutoparco card{a.app};
    Scheda() {
        frmAutoparco = &card;
        card.Show();
        card.cmdPrimo.OnClick();
    }
    ~Scheda() { frmAutoparco = nullptr; }
    // One step forward, back to the first after the last.
    void Passo(std::size_t count) {
        if (card.lblPosizione.Text() == std::to_string(count))
            card.cmdPrimo.OnClick();
        else
            card.cmdAvanti.OnClick();
    }
};

std::vector<bench::Path> Percorsi(const std::string& cartella, std::size_t count) {
    const std::string archivio = cartella + std::string(vehicles::kArchivioAutomezzi);
    const std::size_t rec = common::TAutomezzoRec.size;
    const std::string xls = cartella + "Parco_Automezzi.xls";
    std::vector<bench::Path> p;
    p.push_back({"search, no criterion",
                 [] {
                     // The search window opened anew each time; "Cerca" timed.
                     auto a = std::make_shared<Ambiente>();
                     return [a] {
                         TfrmTrovaAutomezzi w(a->app);
                         w.Show();
                         const double start = bench::Now();
                         w.btnCerca.OnClick();
                         const double t = bench::Now() - start;
                         return bench::Outcome{Righe(w.lstRecords.Count()), t};
                     };
                 },
                 archivio, rec});
    p.push_back({"deadline list: revision", ListaScadenze<TfrmScadRevisione>, archivio, rec});
    p.push_back({"deadline list: service", ListaScadenze<TfrmScadTagliando>, archivio, rec});
    p.push_back({"deadline list: insurance", ListaScadenze<TfrmScadAssicurazione>, archivio, rec});
    p.push_back({"deadline list: road tax", ListaScadenze<TfrmScadBollo>, archivio, rec});
    // What the user waits for from the export button to the file: the window
    // shown with its grid filled, then "Esporta".
    p.push_back({"export: window and file",
                 [] {
                     auto a = std::make_shared<Ambiente>();
                     return [a] {
                         TfrmExpAutoparco w(a->app);
                         const double start = bench::Now();
                         w.Show();
                         w.cmdEsporta.OnClick();
                         const double t = bench::Now() - start;
                         return bench::Outcome{std::to_string(w.grdRecords.RowCount()) + " rows", t};
                     };
                 },
                 archivio, rec, xls});
    p.push_back({"export: grid fill",
                 [] {
                     auto a = std::make_shared<Ambiente>();
                     return [a] {
                         TfrmExpAutoparco w(a->app);
                         const double start = bench::Now();
                         w.Show();
                         const double t = bench::Now() - start;
                         return bench::Outcome{std::to_string(w.grdRecords.RowCount()) + " rows", t};
                     };
                 },
                 archivio, rec});
    p.push_back({"export: file",
                 [] {
                     struct Stato {
                         Ambiente a;
                         TfrmExpAutoparco w{a.app};
                     };
                     auto s = std::make_shared<Stato>();
                     s->w.Show();
                     return [s] {
                         s->w.cmdEsporta.OnClick();
                         return bench::Outcome{"from the grid shown"};
                     };
                 },
                 archivio, rec, xls});
    // The paths that do not read the whole archive print their ratio too, so
    // that their constant cost reads beside the growing one.
    p.push_back({"card open",
                 [] {
                     auto a = std::make_shared<Ambiente>();
                     return [a] {
                         const double start = bench::Now();
                         TfrmAutoparco card(a->app);
                         card.Show();
                         const double t = bench::Now() - start;
                         return bench::Outcome{"window built and shown", t};
                     };
                 },
                 archivio, rec});
    p.push_back({"browse step (headless)",
                 [count] {
                     auto s = std::make_shared<Scheda>();
                     return [s, count] {
                         s->Passo(count);
                         return bench::Outcome{"card at record " + s->card.lblPosizione.Text()};
                     };
                 },
                 archivio, rec});
#ifdef DORNEVAL_BENCH_QT
    p.push_back({"browse step (Qt backend)",
                 [count] {
                     struct Stato {
                         Ambiente a;
                         qtbackend::Session session{a.app, qtbackend::Mode::Unattended};
                         TfrmAutoparco card{a.app};
                     };
                     auto s = std::make_shared<Stato>();
                     // The session installed its own services: the answers
                     // stay ours.
                     s->a.app.SetServices(&s->a.risposte);
                     frmAutoparco = &s->card;
                     s->card.Show();
                     s->session.ProcessEvents();
                     s->card.cmdPrimo.OnClick();
                     s->session.ProcessEvents();
                     return [s, count] {
                         if (s->card.lblPosizione.Text() == std::to_string(count))
                             s->card.cmdPrimo.OnClick();
                         else
                             s->card.cmdAvanti.OnClick();
                         s->session.ProcessEvents();
                         return bench::Outcome{"step and its drawing, offscreen"};
                     };
                 },
                 archivio, rec});
#endif
    p.push_back({"recall into the card",
                 [] {
                     auto s = std::make_shared<Scheda>();
                     return [s] {
                         TfrmTrovaAutomezzi w(s->a.app, &s->card, &s->card);
                         w.lblMemory.SetText("autoparco");
                         w.Show();
                         w.btnCerca.OnClick();
                         w.lstRecords.SetItemIndex(int(w.lstRecords.Count() / 2));
                         const double start = bench::Now();
                         w.lstRecords.OnDblClick();
                         const double t = bench::Now() - start;
                         return bench::Outcome{"card shows record " + s->card.lblPosizione.Text(), t};
                     };
                 },
                 archivio, rec});
    return p;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::Program program;
    program.name = "fleet";
    program.sizes = {1000, 10000, 100000};
    program.largeSizes = {1000000};
    program.setup = [](const std::string& cartella) {
        rtl::SetDataFolderForTesting(cartella);
        rtl::SetClock(rtl::DateTime{kOggi, {9, 0, 0}});
    };
    program.data = [](const std::string& cartella, std::size_t count) {
        const bench::Written w =
            bench::WriteVehicles(cartella + std::string(vehicles::kArchivioAutomezzi), count, kOggi);
        return bench::Describe(w, common::TAutomezzoRec.size, "vehicles");
    };
    program.paths = Percorsi;
    return bench::Main(argc, argv, program);
}
