// A year of 25,000 trip sheets (3373-byte records; a few per cent still
// open): the open-sheet list, a two-criteria search and the export (grid
// fill, then the spreadsheet file through the window's "Esporta"). See
// bench/Bench.h for how every path is measured.
//
//   bench_tripsheets [folder] [sizes...]
#include <memory>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "bench/Data.h"
#include "common/ListFind.h"
#include "common/ListLayout.h"
#include "common/Records.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Services.h"
#include "tripsheets/ExpFogli.h"
#include "tripsheets/Fogli.h"
#include "tripsheets/FoglioRec.h"

namespace {

constexpr int kAnno = 2024;

// The export asks twice: yes to export, no to opening the file.
class Risposte : public ui::Services {
public:
    ui::Answer Message(ui::DialogType, const std::string& text, ui::Buttons) override {
        return text.rfind("L'esportazione", 0) == 0 ? ui::Answer::Yes : ui::Answer::No;
    }
    void ShellOpen(const std::string&, const std::function<void()>&) override {}
};

// The application of one process and the trip-sheet window with the year open.
struct Ambiente {
    Risposte risposte;
    ui::Application app;
    TfrmFogli fogli{app};
    std::string anno; // the archive the window hands to the windows it opens
    explicit Ambiente(const std::string& anno) : anno(anno) {
        app.SetServices(&risposte);
        frmFogli = &fogli;
        fogli.lblFile.SetText(anno);
    }
    ~Ambiente() {
        frmFogli = nullptr;
        app.SetServices(nullptr);
    }
};

std::vector<bench::Path> Percorsi(const std::string& cartella, std::size_t) {
    const std::string anno = cartella + std::to_string(kAnno) + ".fdm";
    const std::string xls = cartella + "Fogli_di_Marcia.xls";
    const std::size_t rec = common::TFoglioRec.size;
    return {
        {"list: open sheets",
         [anno] {
             return [anno] {
                 common::VociLista voci;
                 common::CostruisciVoci(voci, anno, tripsheets::FormatoFoglio(), tripsheets::FoglioAperto,
                                        false);
                 return bench::Outcome{std::to_string(voci.size()) + " open"};
             };
         },
         anno, rec},
        {"search, two criteria",
         [anno] {
             return [anno] {
                 const std::vector<common::Criterio> criteri = {
                     {"rossi", common::TFoglioRec.Field("Conduttore")},
                     {"/05/", common::TFoglioRec.Field("DataApertura")},
                 };
                 const common::RicercaMultipla ricerca(criteri);
                 common::VociLista voci;
                 common::CostruisciVoci(
                     voci, anno, tripsheets::FormatoFoglio(),
                     [&ricerca](const common::RecordView& f) { return ricerca.Corrisponde(f.Bytes()); },
                     false);
                 return bench::Outcome{std::to_string(voci.size()) + " found"};
             };
         },
         anno, rec},
        {"export: grid fill",
         [anno] {
             auto a = std::make_shared<Ambiente>(anno);
             return [a] {
                 TfrmExpFogli w(a->app, &a->fogli);
                 w.ImpostaArchivio(a->anno);
                 const double start = bench::Now();
                 w.Show();
                 const double t = bench::Now() - start;
                 return bench::Outcome{std::to_string(w.grdRecords.RowCount()) + " rows", t};
             };
         },
         anno, rec},
        {"export: file",
         [anno] {
             struct Stato {
                 Ambiente a;
                 TfrmExpFogli w;
                 explicit Stato(const std::string& anno) : a(anno), w(a.app, &a.fogli) {
                     w.ImpostaArchivio(anno);
                 }
             };
             auto s = std::make_shared<Stato>(anno);
             s->w.Show();
             return [s] {
                 s->w.cmdEsporta.OnClick();
                 return bench::Outcome{"from the grid shown"};
             };
         },
         anno, rec, xls},
    };
}

} // namespace

int main(int argc, char** argv) {
    bench::Program program;
    program.name = "tripsheets";
    program.sizes = {25000};
    program.setup = [](const std::string& cartella) { rtl::SetDataFolderForTesting(cartella); };
    program.data = [](const std::string& cartella, std::size_t count) {
        return bench::Describe(
            bench::WriteTripSheets(cartella + std::to_string(kAnno) + ".fdm", count, kAnno),
            common::TFoglioRec.size, "trip sheets");
    };
    program.paths = Percorsi;
    return bench::Main(argc, argv, program);
}
