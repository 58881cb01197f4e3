// Times the driver windows over an archive of 20,000 drivers (3206-byte
// records, about 64 MB): the search with no criterion and with two, the
// three driver lists, the export grid and the export file; each beside a
// raw sequential read of the same file in the same run. Prints the times and
// their ratios to the raw read.
//
//   bench_drivers [folder]   (default: the system's temporary folder)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/RawRead.h"
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

constexpr std::size_t kRecords = 20'000;
constexpr int kRounds = 5;

using bench::ThreadSeconds;

template <class F> double Best(F&& pass, std::uint64_t& sum) {
    return bench::Best(kRounds, pass, sum);
}

std::uint64_t RawRead(const std::string& path) {
    return bench::RawRead(path, common::TConduttoreRec.size, 1);
}

// The export asks twice: yes to export, no to opening the file.
class Risposte : public ui::Services {
public:
    ui::Answer Message(ui::DialogType, const std::string& text, ui::Buttons) override {
        return text.rfind("L'esportazione", 0) == 0 ? ui::Answer::Yes : ui::Answer::No;
    }
};

template <class W> std::uint64_t Elenco(ui::Application& app) {
    W w(app);
    w.Show();
    return std::uint64_t(w.lstRecords.Count());
}

} // namespace

int main(int argc, char** argv) {
    using namespace common;
    std::string folder = argc > 1 ? argv[1] : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    if (folder.back() != '/') folder += '/';
    folder += "bench_drivers_" + std::to_string(::getpid()) + "/";
    rtl::CreateFolders(folder);
    rtl::SetDataFolderForTesting(folder);
    const std::string path = rtl::DataPath("Conducenti.pro");

    static const char* nomi[] = {"Rossi Mario", "Bianchi Anna", "Verdi Luca", "Esposito Ciro",
                                 "Bruno Niccolò"};
    static const char* marche[] = {"Fiat", "Alfa Romeo", "Iveco", "Citroën", "Ford"};
    static const char* modelli[] = {"Panda", "Giulia", "Daily", "Berlingo", "Transit"};
    static const char* citta[] = {"Roma", "Milano", "Forlì", "Napoli", "Torino"};
    std::string bytes;
    bytes.reserve(kRecords * TConduttoreRec.size);
    Record r(TConduttoreRec);
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (std::size_t i = 0; i < kRecords; ++i) {
        char cel[16], targa[8];
        std::snprintf(cel, sizeof cel, "3%09u", next() % 1000000000u);
        std::snprintf(targa, sizeof targa, "%c%c%03u%c%c", 'A' + next() % 26, 'A' + next() % 26,
                      next() % 1000, 'A' + next() % 26, 'A' + next() % 26);
        r.set("Conducente", std::string(nomi[next() % 5]) + " " + std::to_string(i));
        r.set("TelCel", cel);
        r.set("Citta", citta[next() % 5]);
        r.set("Via", "Via Giuseppe Garibaldi " + std::to_string(next() % 200));
        r.set("Marca", marche[next() % 5]);
        r.set("Modello", modelli[next() % 5]);
        r.set("Targa", targa);
        r.set("Programma", "Ferie in agosto, due settimane");
        r.set("Note", "Disponibile nei fine settimana");
        r.set("Ferie", next() % 4 == 0 ? "Sì" : "No");
        r.set("Trasferte", next() % 3 == 0 ? "Sì" : "No");
        bytes.append(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
    }
    rtl::WriteWholeFile(path, bytes);
    bytes.clear();
    bytes.shrink_to_fit();

    ui::Application app;
    Risposte risposte;
    app.SetServices(&risposte);

    struct Misura {
        const char* nome;
        std::function<std::uint64_t()> pass;
    };
    const Misura misure[] = {
        {"search, no criterion",
         [&] {
             TfrmTrovaAnagrafica w(app);
             w.Show();
             w.btnCerca.OnClick();
             return std::uint64_t(w.lstRecords.Count());
         }},
        {"search, two criteria",
         [&] {
             TfrmTrovaAnagrafica w(app);
             w.Show();
             w.txtCitta.SetText("rom");
             w.txtMarca.SetText("fiat");
             w.btnCerca.OnClick();
             return std::uint64_t(w.lstRecords.Count());
         }},
        {"list: transfers", [&] { return Elenco<TfrmTrasferte>(app); }},
        {"list: on holiday", [&] { return Elenco<TfrmFerie>(app); }},
        {"list: in service", [&] { return Elenco<TfrmServizio>(app); }},
        {"export grid fill",
         [&] {
             TfrmExpAnagrafica w(app);
             w.Show();
             return std::uint64_t(w.grdRecords.RowCount());
         }},
    };

    std::uint64_t rawSum = 0;
    RawRead(path); // warm the page cache
    std::printf("archive: %zu records of %zu bytes (%.1f MB)\n", kRecords, TConduttoreRec.size,
                double(kRecords * TConduttoreRec.size) / 1e6);
    std::printf("best of %d rounds, CPU time of the thread\n", kRounds);
    for (const Misura& m : misure) {
        std::uint64_t sum = 0;
        const double raw = Best([&] { return RawRead(path); }, rawSum);
        const double t = Best(m.pass, sum);
        std::printf("%-22s %9.2f ms  (%llu lines)   raw read %7.2f ms   ratio %7.2f\n", m.nome, t * 1e3,
                    (unsigned long long)sum, raw * 1e3, t / raw);
    }
    {
        // The file write alone: the grid is filled once, then exported.
        TfrmExpAnagrafica w(app);
        w.Show();
        std::uint64_t sum = 0;
        const double raw = Best([&] { return RawRead(path); }, rawSum);
        const double t = Best(
            [&] {
                w.cmdEsporta.OnClick();
                return std::uint64_t(rtl::FileExists(rtl::DataPath("Conducenti.xls")));
            },
            sum);
        std::printf("%-22s %9.2f ms  (file %s)   raw read %7.2f ms   ratio %7.2f\n", "export file write",
                    t * 1e3, sum ? "written" : "MISSING", raw * 1e3, t / raw);
    }
    if (!std::getenv("KEEP")) {
        rtl::DeleteFile(path);
        rtl::DeleteFile(rtl::DataPath("Conducenti.xls"));
        ::rmdir(folder.c_str());
    } else {
        std::printf("%s\n", folder.c_str());
    }
    rtl::ResetDataFolder();
    return 0;
}
