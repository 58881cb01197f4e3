// The planner's work over a fleet of 10,000 vehicles (3370-byte records,
// 33.7 MB): the planner menu's vehicle list, a choice on it, and a planner
// show (load of a year with bookings) and close (save). Beside them the same
// archive is read raw and sequentially; each time is printed with its ratio
// to the raw read.
//
//   bench_planner [folder]   (default: the system's temporary folder)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/RawRead.h"
#include "common/Records.h"
#include "planner/MenuDisponibili.h"
#include "planner/Planning.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Input.h"

namespace {

constexpr std::size_t kVehicles = 10'000;
constexpr int kRounds = 5;

using bench::ThreadSeconds;

template <class F> double Best(F&& pass) {
    return bench::Best(kRounds, pass);
}

std::uint64_t RawRead(const std::string& path) {
    return bench::RawRead(path, common::TAutomezzoRec.size, 204);
}

} // namespace

int main(int argc, char** argv) {
    using namespace common;
    std::string folder = argc > 1 ? argv[1] : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    if (folder.back() != '/') folder += '/';
    folder += "bench_planner_" + std::to_string(::getpid()) + "/";
    rtl::CreateFolders(folder);
    rtl::SetDataFolderForTesting(folder);

    static const char* types[] = {"Autovettura", "Furgone", "Autocarro", "Camper", "Minibus"};
    static const char* makes[] = {"Fiat", "Alfa Romeo", "Iveco", "Citroën", "Ford"};
    static const char* models[] = {"Panda", "Giulia", "Daily", "Berlingo", "Transit"};
    static const char* fuels[] = {"Benzina", "Gasolio", "Metano", "GPL", "Elettrica"};
    std::string bytes;
    bytes.reserve(kVehicles * TAutomezzoRec.size);
    Record r(TAutomezzoRec);
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (std::size_t i = 0; i < kVehicles; ++i) {
        char plate[10];
        std::snprintf(plate, sizeof plate, "%c%c%03u%c%c", 'A' + next() % 26, 'A' + next() % 26,
                      next() % 1000, 'A' + next() % 26, 'A' + next() % 26);
        r.set("Tipo", types[next() % 5]);
        r.set("Marca", makes[next() % 5]);
        r.set("Modello", models[next() % 5]);
        r.set("Targa", i % 10 == 9 ? "" : plate); // a few vehicles without a plate
        r.set("Posti", std::to_string(2 + next() % 7));
        r.set("Alimentazione", fuels[next() % 5]);
        r.set("Note", "Revisione fatta presso l'officina convenzionata");
        bytes.append(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
    }
    const std::string archive = rtl::DataPath("Parco_Automezzi.pro");
    rtl::WriteWholeFile(archive, bytes);
    bytes.clear();
    bytes.shrink_to_fit();

    double raw = 0, list = 0, choice = 0, show = 0, close = 0;
    std::size_t lines = 0;
    {
        ui::Application app;
        ui::Form main(app);
        TfrmMenuDisponibili menu(app);
        TfrmPlanning planning(app);
        frmMenuDisponibili = &menu;
        frmPlanning = &planning;

        std::uint64_t rawSum = 0;
        RawRead(archive); // warm the page cache
        raw = Best([&] { rawSum += RawRead(archive); });
        list = Best([&] {
            menu.Hide();
            menu.Show();
        });
        lines = menu.lstRecords.Count();
        int at = 0;
        choice = Best([&] { ui::input::SelectItem(menu.lstRecords, int(lines / 2) + at++); });
        menu.txtAnnoFatture.SetText("2026");
        ui::input::Click(menu.btnApriFatture); // opens the planner: its file is created
        // A year with a booking on every other day, then shown and closed again.
        for (int i = 0; i < 366; i += 2)
            planning.ScriviGiorno(i, "Cliente " + std::to_string(i) + " tel. 333 1234567");
        planning.Close();
        show = Best([&] {
            planning.Hide();
            planning.Show();
        });
        int booked = 0;
        for (int i = 0; i < 366; ++i)
            booked += planning.Cella(i).occ.Visible();
        std::printf("booked days after a show: %d\n", booked);
        close = Best([&] {
            planning.Show();
            planning.Close();
        });
        frmMenuDisponibili = nullptr;
        frmPlanning = nullptr;
        std::printf("checksum %llu\n", (unsigned long long)rawSum);
    }
    if (!std::getenv("KEEP"))
        std::filesystem::remove_all(folder);
    else
        std::printf("%s\n", folder.c_str());

    std::printf("archive: %zu vehicles of %zu bytes (%.1f MB), %zu listed\n", kVehicles, TAutomezzoRec.size,
                double(kVehicles * TAutomezzoRec.size) / 1e6, lines);
    std::printf("best of %d rounds, CPU time of the thread\n", kRounds);
    std::printf("raw sequential read:        %8.2f ms\n", raw * 1e3);
    std::printf("menu list build:            %8.2f ms  ratio %6.2f\n", list * 1e3, list / raw);
    std::printf("choice of a line:           %8.3f ms  ratio %6.3f\n", choice * 1e3, choice / raw);
    std::printf("planner show (load):        %8.3f ms  ratio %6.3f\n", show * 1e3, show / raw);
    std::printf("planner close (save):       %8.3f ms  ratio %6.3f\n", close * 1e3, close / raw);
    return 0;
}
