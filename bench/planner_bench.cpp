// The planner's work over a fleet of 10,000 vehicles (3370-byte records):
// the planner menu's vehicle list, a choice on it, and the planner's show
// (the load of a year with a booking on every other day) and close (the
// save). See bench/Bench.h for how every path is measured.
//
//   bench_planner [folder] [sizes...]
#include <memory>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "bench/Data.h"
#include "common/Records.h"
#include "planner/MenuDisponibili.h"
#include "planner/Planning.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Input.h"
#include "vehicles/AutomezzoRec.h"

namespace {

const rtl::Date kOggi = *rtl::Date::FromYmd(2026, 3, 15);
constexpr const char* kAnno = "2026";

// The menu and the planner of one process.
struct Ambiente {
    ui::Application app;
    ui::Form main{app};
    TfrmMenuDisponibili menu{app};
    TfrmPlanning planning{app};
    Ambiente() { frmMenuDisponibili = &menu; }
    ~Ambiente() {
        frmMenuDisponibili = nullptr;
        frmPlanning = nullptr;
    }
    // The vehicle in the middle of the menu's list chosen for the year; with
    // `mostra` the planner opens as "Apri" opens it, otherwise it is only
    // handed the choice, as "Apri" hands it.
    void Scegli(bool mostra) {
        frmPlanning = mostra ? &planning : nullptr;
        menu.Show();
        ui::input::SelectItem(menu.lstRecords, int(menu.lstRecords.Count() / 2));
        menu.txtAnnoFatture.SetText(kAnno);
        ui::input::Click(menu.btnApriFatture);
        frmPlanning = &planning;
        if (!mostra)
            planning.ImpostaAnno(kAnno, menu.lblVeicolo.Text(), menu.lblMarca.Text(), menu.lblModello.Text(),
                                 menu.lblTarga.Text(), menu.lblFile.Text());
    }
    int Prenotati() const {
        int booked = 0;
        for (int i = 0; i < 366; ++i)
            booked += planning.Cella(i).occ.Visible();
        return booked;
    }
};

std::vector<bench::Path> Percorsi(const std::string& cartella, std::size_t) {
    const std::string archivio = cartella + std::string(vehicles::kArchivioAutomezzi);
    const std::size_t rec = common::TAutomezzoRec.size;
    return {
        {"menu: vehicle list",
         [] {
             auto a = std::make_shared<Ambiente>();
             return [a] {
                 a->menu.Hide();
                 a->menu.Show();
                 return bench::Outcome{std::to_string(a->menu.lstRecords.Count()) + " lines"};
             };
         },
         archivio, rec},
        {"menu: choice of a line",
         [] {
             auto a = std::make_shared<Ambiente>();
             a->menu.Show();
             auto at = std::make_shared<int>(0);
             return [a, at] {
                 ui::input::SelectItem(a->menu.lstRecords, int(a->menu.lstRecords.Count() / 2) + (*at)++);
                 return bench::Outcome{a->menu.lblTarga.Text()};
             };
         },
         archivio, rec},
        {"planner: show (load)",
         [] {
             auto a = std::make_shared<Ambiente>();
             a->Scegli(false);
             return [a] {
                 a->planning.Hide();
                 a->planning.Show();
                 return bench::Outcome{std::to_string(a->Prenotati()) + " days booked"};
             };
         },
         archivio, rec},
        {"planner: close (save)",
         [] {
             auto a = std::make_shared<Ambiente>();
             a->Scegli(true);
             return [a] {
                 const double start = bench::Now();
                 a->planning.Close();
                 const double t = bench::Now() - start;
                 a->planning.Show();
                 return bench::Outcome{std::to_string(a->Prenotati()) + " days booked", t};
             };
         },
         archivio, rec},
    };
}

} // namespace

int main(int argc, char** argv) {
    bench::Program program;
    program.name = "planner";
    program.sizes = {10000};
    program.setup = [](const std::string& cartella) {
        rtl::SetDataFolderForTesting(cartella);
        rtl::SetClock(rtl::DateTime{kOggi, {9, 0, 0}});
    };
    program.data = [](const std::string& cartella, std::size_t count) {
        const bench::Written w =
            bench::WriteVehicles(cartella + std::string(vehicles::kArchivioAutomezzi), count, kOggi);
        // The chosen vehicle's year: a booking on every other day, saved
        // by the planner's close.
        Ambiente a;
        a.Scegli(true);
        for (int i = 0; i < 366; i += 2)
            a.planning.ScriviGiorno(i, "Cliente " + std::to_string(i) + " tel. 333 1234567");
        a.planning.Close();
        return bench::Describe(w, common::TAutomezzoRec.size, "vehicles") + "; planner of " +
               a.menu.lblTarga.Text() + " for " + kAnno;
    };
    program.paths = Percorsi;
    return bench::Main(argc, argv, program);
}
