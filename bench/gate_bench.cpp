// Times the gate register's windows on a year of 100,000 transits (1366-byte
// records, about 137 MB): the three daily lists and a recall, the visit
// search with no criterion and with two, the monthly count of the
// statistics and the export (grid fill, file). Everything runs through the
// windows' own handlers, headless. Beside them it reads the same file raw and
// sequentially; it prints each time and its ratio to the raw read.
//
//   bench_gate [folder]   (default: the system's temporary folder)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/RawRead.h"
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

constexpr std::size_t kRecords = 100'000;
constexpr int kRounds = 3;

using bench::ThreadSeconds;

template <class F> double Best(F&& pass) {
    return bench::Best(kRounds, pass);
}

std::uint64_t RawRead(const std::string& path) {
    return bench::RawRead(path, common::TVisitaRec.size, 120);
}

// The answers of a user who exports and does not open the file.
class Answers : public ui::Services {
public:
    ui::Answer Message(ui::DialogType, const std::string& text, ui::Buttons) override {
        return text.rfind("L'esportazione", 0) == 0 ? ui::Answer::Yes : ui::Answer::No;
    }
    void ShellOpen(const std::string&) override {}
};

long PeakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    if (folder.back() != '/') folder += '/';
    folder += "bench_gate_" + std::to_string(::getpid()) + "/";
    rtl::CreateFolders(folder);
    rtl::SetDataFolderForTesting(folder);
    rtl::SetClock({*rtl::Date::FromYmd(2024, 3, 5), {12, 0, 0}});
    const std::string path = folder + "2024.vis";

    // The year: a few hundred cards of today, a few hundred still inside.
    static const char* makes[] = {"Fiat Panda", "Alfa Romeo Giulia", "Iveco Daily", "Citroën Berlingo",
                                  "Ford Transit"};
    static const char* drivers[] = {"Rossi Mario", "Bianchi Anna", "Verdi Luca", "Esposito Ciro",
                                    "Bruno Niccolò"};
    std::string bytes;
    bytes.reserve(kRecords * common::TVisitaRec.size);
    common::Record r(common::TVisitaRec);
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (std::size_t i = 0; i < kRecords; ++i) {
        char date[11], time[6], plate[8];
        const bool today = i % 250 == 0, inside = i % 300 == 7;
        if (today)
            std::snprintf(date, sizeof date, "05/03/2024");
        else
            std::snprintf(date, sizeof date, "%02u/%02u/2024", next() % 28 + 1, next() % 12 + 1);
        std::snprintf(time, sizeof time, "%02u:%02u", next() % 24, next() % 60);
        std::snprintf(plate, sizeof plate, "%c%c%03u%c%c", 'A' + next() % 26, 'A' + next() % 26,
                      next() % 1000, 'A' + next() % 26, 'A' + next() % 26);
        r.set("DataEnt", date);
        r.set("OraEnt", time);
        r.set("Targa", plate);
        r.set("Veicolo", makes[next() % 5]);
        r.set("Conduttore", drivers[next() % 5]);
        r.set("Note", "Documenti lasciati in portineria");
        r.set("DataUsc", inside ? "" : date);
        r.set("OraUsc", inside ? "" : "18:00");
        bytes.append(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
    }
    rtl::WriteWholeFile(path, bytes);
    bytes.clear();
    bytes.shrink_to_fit();

    ui::Application app;
    Answers answers;
    app.SetServices(&answers);
    ui::Form main(app);
    TfrmRegistro card(app);
    frmRegistro = &card;
    card.lblFile.SetText(path);
    card.Show();

    RawRead(path); // warm the page cache
    std::uint64_t sum = 0;
    const double raw = Best([&] { sum += RawRead(path); });

    std::size_t lines = 0;
    const auto list = [&](auto* tag) {
        using List = std::remove_pointer_t<decltype(tag)>;
        return Best([&] {
            List w(app, &card);
            w.Show();
            lines = w.lstRecords.Count();
            w.Close();
        });
    };
    const double usciti = list((TfrmUscitiOggi*)nullptr);
    const std::size_t linesUsciti = lines;
    const double entrati = list((TfrmEntratiOggi*)nullptr);
    const std::size_t linesEntrati = lines;
    const double nonUsciti = list((TfrmNonUsciti*)nullptr);
    const std::size_t linesNonUsciti = lines;

    // A recall alone: the list is built once, the double click timed.
    TfrmNonUsciti w(app, &card);
    double recall = 1e9;
    for (int i = 0; i < kRounds; ++i) {
        w.Show();
        ui::input::SelectItem(w.lstRecords, int(w.lstRecords.Count() / 2));
        const double start = ThreadSeconds();
        w.lstRecords.OnDblClick();
        recall = std::min(recall, ThreadSeconds() - start);
    }

    std::size_t found = 0;
    const auto search = [&](const char* veicolo, const char* dataEnt) {
        return Best([&] {
            TfrmTrovaVisite s(app, &card);
            s.lblMemory.SetText("registro");
            s.Show();
            s.txtVeicolo.SetText(veicolo);
            s.txtDataEnt.SetText(dataEnt);
            s.btnCerca.OnClick();
            found = s.lstRecords.Count();
            s.Close();
        });
    };
    const double cercaTutto = search("", "");
    const std::size_t foundAll = found;
    const double cercaDue = search("iveco", "03/2024");
    const std::size_t foundTwo = found;

    TfrmStatistiche stats(app);
    const double conta = Best([&] {
        stats.Show();
        stats.txtAnno.SetText("2024");
        stats.btnApri.OnClick();
    });

    const long peakBefore = PeakKb();
    double fill = 1e9, file = 1e9;
    for (int i = 0; i < kRounds; ++i) {
        TfrmExpVisite e(app, &card);
        double start = ThreadSeconds();
        e.Show();
        fill = std::min(fill, ThreadSeconds() - start);
        start = ThreadSeconds();
        e.cmdEsporta.OnClick();
        file = std::min(file, ThreadSeconds() - start);
    }
    const long peakAfter = PeakKb();
    const std::string xls = folder + "Ingressi_e_Uscite_Veicoli.xls";
    const double xlsMb = double(rtl::ReadWholeFile(xls).size()) / 1e6;

    std::printf("year: %zu cards of %zu bytes (%.1f MB)\n", kRecords, common::TVisitaRec.size,
                double(kRecords * common::TVisitaRec.size) / 1e6);
    std::printf("best of %d rounds, CPU time of the thread (checksum %llu)\n", kRounds,
                (unsigned long long)sum);
    const auto line = [&](const char* what, double t, const std::string& note) {
        std::printf("%-34s %9.2f ms  %7.2f x raw  %s\n", what, t * 1e3, t / raw, note.c_str());
    };
    line("raw sequential read", raw, "");
    line("list: left today", usciti, std::to_string(linesUsciti) + " lines");
    line("list: entered today", entrati, std::to_string(linesEntrati) + " lines");
    line("list: not yet left", nonUsciti, std::to_string(linesNonUsciti) + " lines");
    line("recall of one card", recall, "card " + card.lblPosizione.Text());
    line("search: no criterion", cercaTutto, std::to_string(foundAll) + " lines");
    line("search: two criteria", cercaDue, std::to_string(foundTwo) + " lines");
    line("statistics: monthly count", conta, "March " + stats.ContaMese(3).Text());
    line("export: grid fill", fill, "");
    line("export: file", file, std::to_string(xlsMb).substr(0, 6) + " MB");
    std::printf("peak memory: %.1f MB before the export, %.1f MB after\n", double(peakBefore) / 1024,
                double(peakAfter) / 1024);

    frmRegistro = nullptr;
    rtl::DeleteFile(path);
    rtl::DeleteFile(xls);
    ::rmdir(folder.c_str());
    return 0;
}
