// The gate register's windows on a year of transits (1366-byte records, in
// the order they happen up to today): the three daily lists and a recall, the
// visit search with no criterion and with two, the monthly count of the
// statistics and the export (grid fill, file). Everything runs through the
// windows' own handlers, headless. Sizes: 100,000 transits; 1,000,000 with
// BENCH_LARGE=1. See bench/Bench.h for how every path is measured.
//
//   bench_gate [folder] [sizes...]
#include <memory>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "bench/Data.h"
#include "common/Records.h"
#include "gate/EntratiOggi.h"
#include "gate/ExpVisite.h"
#include "gate/NonUsciti.h"
#include "gate/Registro.h"
#include "gate/Statistiche.h"
#include "gate/TrovaVisite.h"
#include "gate/UscitiOggi.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Input.h"
#include "platform/ui/Services.h"

namespace {

const rtl::Date kOggi = *rtl::Date::FromYmd(2024, 12, 13);

// The answers of a user who exports and does not open the file.
class Risposte : public ui::Services {
public:
    ui::Answer Message(ui::DialogType, const std::string& text, ui::Buttons) override {
        return text.rfind("L'esportazione", 0) == 0 ? ui::Answer::Yes : ui::Answer::No;
    }
    void ShellOpen(const std::string&, const std::function<void()>&) override {}
};

// The application of one process and the visit card with the year open.
struct Ambiente {
    Risposte risposte;
    ui::Application app;
    ui::Form main{app};
    TfrmRegistro card{app};
    std::string anno; // the archive the card hands to the windows it opens
    explicit Ambiente(const std::string& anno) : anno(anno) {
        app.SetServices(&risposte);
        frmRegistro = &card;
        card.lblFile.SetText(anno);
        card.Show();
    }
    ~Ambiente() {
        frmRegistro = nullptr;
        app.SetServices(nullptr);
    }
};

std::string Righe(std::size_t n) {
    return std::to_string(n) + " lines";
}

template <class W> bench::Operation Elenco(const std::string& anno) {
    auto a = std::make_shared<Ambiente>(anno);
    return [a] {
        W w(a->app, &a->card, &a->card);
        w.ImpostaArchivio(a->anno);
        const double start = bench::Now();
        w.Show();
        const double t = bench::Now() - start;
        return bench::Outcome{Righe(w.lstRecords.Count()), t};
    };
}

// A search in a window opened anew, "Cerca" timed.
bench::Operation Ricerca(const std::string& anno, std::string veicolo, std::string dataEnt) {
    auto a = std::make_shared<Ambiente>(anno);
    return [a, veicolo, dataEnt] {
        TfrmTrovaVisite s(a->app, &a->card, &a->card);
        s.lblMemory.SetText("registro");
        s.ImpostaArchivio(a->anno);
        s.Show();
        s.txtVeicolo.SetText(veicolo);
        s.txtDataEnt.SetText(dataEnt);
        const double start = bench::Now();
        s.btnCerca.OnClick();
        const double t = bench::Now() - start;
        return bench::Outcome{Righe(s.lstRecords.Count()), t};
    };
}

std::vector<bench::Path> Percorsi(const std::string& cartella, std::size_t) {
    const std::string anno = cartella + std::to_string(kOggi.Year()) + ".vis";
    const std::string xls = cartella + "Ingressi_e_Uscite_Veicoli.xls";
    const std::size_t rec = common::TVisitaRec.size;
    return {
        {"list: left today", [anno] { return Elenco<TfrmUscitiOggi>(anno); }, anno, rec},
        {"list: entered today", [anno] { return Elenco<TfrmEntratiOggi>(anno); }, anno, rec},
        {"list: not yet left", [anno] { return Elenco<TfrmNonUsciti>(anno); }, anno, rec},
        {"recall of one card",
         [anno] {
             struct Stato {
                 Ambiente a;
                 TfrmNonUsciti w;
                 explicit Stato(const std::string& anno) : a(anno), w(a.app, &a.card, &a.card) {
                     w.ImpostaArchivio(anno);
                 }
             };
             auto s = std::make_shared<Stato>(anno);
             return [s] {
                 s->w.Show();
                 ui::input::SelectItem(s->w.lstRecords, int(s->w.lstRecords.Count() / 2));
                 const double start = bench::Now();
                 s->w.lstRecords.OnDblClick();
                 const double t = bench::Now() - start;
                 return bench::Outcome{"card " + s->a.card.lblPosizione.Text(), t};
             };
         },
         anno, rec},
        {"search, no criterion", [anno] { return Ricerca(anno, "", ""); }, anno, rec},
        {"search, two criteria", [anno] { return Ricerca(anno, "iveco", "03/2024"); }, anno, rec},
        {"statistics: monthly count",
         [anno] {
             struct Stato {
                 Ambiente a;
                 TfrmStatistiche stats;
                 explicit Stato(const std::string& anno) : a(anno), stats(a.app) {}
             };
             auto s = std::make_shared<Stato>(anno);
             return [s] {
                 s->stats.Show();
                 s->stats.txtAnno.SetText(std::to_string(kOggi.Year()));
                 const double start = bench::Now();
                 s->stats.btnApri.OnClick();
                 const double t = bench::Now() - start;
                 const std::string marzo = s->stats.ContaMese(3).Text();
                 s->stats.Close();
                 return bench::Outcome{"March " + marzo, t};
             };
         },
         anno, rec},
        {"export: grid fill",
         [anno] {
             auto a = std::make_shared<Ambiente>(anno);
             return [a] {
                 TfrmExpVisite e(a->app, &a->card);
                 e.ImpostaArchivio(a->anno);
                 const double start = bench::Now();
                 e.Show();
                 const double t = bench::Now() - start;
                 return bench::Outcome{std::to_string(e.grdRecords.RowCount()) + " rows", t};
             };
         },
         anno, rec},
        {"export: file",
         [anno] {
             struct Stato {
                 Ambiente a;
                 TfrmExpVisite e;
                 explicit Stato(const std::string& anno) : a(anno), e(a.app, &a.card) {
                     e.ImpostaArchivio(anno);
                 }
             };
             auto s = std::make_shared<Stato>(anno);
             s->e.Show();
             return [s] {
                 s->e.cmdEsporta.OnClick();
                 return bench::Outcome{"from the grid shown"};
             };
         },
         anno, rec, xls},
    };
}

} // namespace

int main(int argc, char** argv) {
    bench::Program program;
    program.name = "gate";
    program.sizes = {100000};
    program.largeSizes = {1000000};
    program.setup = [](const std::string& cartella) {
        rtl::SetDataFolderForTesting(cartella);
        rtl::SetClock({kOggi, {12, 0, 0}});
    };
    program.data = [](const std::string& cartella, std::size_t count) {
        const std::string anno = cartella + std::to_string(kOggi.Year()) + ".vis";
        return bench::Describe(bench::WriteVisits(anno, count, kOggi), common::TVisitaRec.size,
                               "transits in " + std::to_string(kOggi.Year()));
    };
    program.paths = Percorsi;
    return bench::Main(argc, argv, program);
}
