// The driver windows over an archive of 20,000 drivers (3206-byte records)
// whose surnames and names repeat as in a real population: the search with
// no criterion and with two, the three driver lists, the export's grid fill
// and file. See bench/Bench.h for how every path is measured.
//
//   bench_drivers [folder] [sizes...]
#include <memory>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "bench/Data.h"
#include "common/Records.h"
#include "drivers/ExpAnagrafica.h"
#include "drivers/Ferie.h"
#include "drivers/Servizio.h"
#include "drivers/Trasferte.h"
#include "drivers/TrovaAnagrafica.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Services.h"

namespace {

// The export asks twice: yes to export, no to opening the file.
class Risposte : public ui::Services {
public:
    ui::Answer Message(ui::DialogType, const std::string& text, ui::Buttons) override {
        return text.rfind("L'esportazione", 0) == 0 ? ui::Answer::Yes : ui::Answer::No;
    }
    void ShellOpen(const std::string&, const std::function<void()>&) override {}
};

struct Ambiente {
    Risposte risposte;
    ui::Application app;
    Ambiente() { app.SetServices(&risposte); }
    ~Ambiente() { app.SetServices(nullptr); }
};

std::string Righe(std::size_t n) {
    return std::to_string(n) + " lines";
}

// A search in a window shown anew, with the criteria given.
bench::Operation Ricerca(std::string citta, std::string marca) {
    auto a = std::make_shared<Ambiente>();
    return [a, citta, marca] {
        TfrmTrovaAnagrafica w(a->app);
        w.Show();
        w.txtCitta.SetText(citta);
        w.txtMarca.SetText(marca);
        const double start = bench::Now();
        w.btnCerca.OnClick();
        const double t = bench::Now() - start;
        return bench::Outcome{Righe(w.lstRecords.Count()), t};
    };
}

template <class W> bench::Operation Elenco() {
    auto a = std::make_shared<Ambiente>();
    return [a] {
        W w(a->app);
        const double start = bench::Now();
        w.Show();
        const double t = bench::Now() - start;
        return bench::Outcome{Righe(w.lstRecords.Count()), t};
    };
}

std::vector<bench::Path> Percorsi(const std::string& cartella, std::size_t) {
    const std::string archivio = cartella + "Conducenti.pro", xls = cartella + "Conducenti.xls";
    const std::size_t rec = common::TConduttoreRec.size;
    return {
        {"search, no criterion", [] { return Ricerca("", ""); }, archivio, rec},
        {"search, two criteria", [] { return Ricerca("forl", "fiat"); }, archivio, rec},
        {"list: transfers", Elenco<TfrmTrasferte>, archivio, rec},
        {"list: on holiday", Elenco<TfrmFerie>, archivio, rec},
        {"list: in service", Elenco<TfrmServizio>, archivio, rec},
        {"export: grid fill",
         [] {
             auto a = std::make_shared<Ambiente>();
             return [a] {
                 TfrmExpAnagrafica w(a->app);
                 const double start = bench::Now();
                 w.Show();
                 const double t = bench::Now() - start;
                 return bench::Outcome{std::to_string(w.grdRecords.RowCount()) + " rows", t};
             };
         },
         archivio, rec},
        {"export: file",
         [] {
             struct Stato {
                 Ambiente a;
                 TfrmExpAnagrafica w{a.app};
             };
             auto s = std::make_shared<Stato>();
             s->w.Show();
             return [s] {
                 s->w.cmdEsporta.OnClick();
                 return bench::Outcome{"from the grid shown"};
             };
         },
         archivio, rec, xls},
    };
}

} // namespace

int main(int argc, char** argv) {
    bench::Program program;
    program.name = "drivers";
    program.sizes = {20000};
    program.setup = [](const std::string& cartella) { rtl::SetDataFolderForTesting(cartella); };
    program.data = [](const std::string& cartella, std::size_t count) {
        return bench::Describe(bench::WriteDrivers(cartella + "Conducenti.pro", count),
                               common::TConduttoreRec.size, "drivers");
    };
    program.paths = Percorsi;
    return bench::Main(argc, argv, program);
}
