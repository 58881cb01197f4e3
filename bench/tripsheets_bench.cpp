// A year of 25,000 trip sheets (3373-byte records, about 84 MB; a few per
// cent still open): times the open-sheet list, a two-criteria search and the
// export (grid fill, then the spreadsheet file), each beside a raw
// sequential read of the same file in the same run; prints times and ratios.
//
//   bench_tripsheets [folder]   (default: the system's temporary folder)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/RawRead.h"
#include "common/Export.h"
#include "common/ListLines.h"
#include "common/Records.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "tripsheets/ExpFogli.h"
#include "tripsheets/Fogli.h"
#include "tripsheets/FoglioRec.h"

namespace {

constexpr std::size_t kRecords = 25'000;
constexpr int kRounds = 3;

using bench::ThreadSeconds;

template <class F> double Best(F&& pass, std::uint64_t& sum) {
    return bench::Best(kRounds, pass, sum);
}

std::uint64_t RawRead(const std::string& path) {
    return bench::RawRead(path, common::TFoglioRec.size, 176);
}

// The open-sheet list: the lines of the sheets without a closing date.
std::uint64_t OpenList(const std::string& path) {
    std::vector<common::VoceLista> voci;
    common::CostruisciVoci(voci, path, tripsheets::FormatoFoglio(), tripsheets::FoglioAperto, false);
    return voci.size();
}

// The search with a driver and an opening month.
std::uint64_t Search(const std::string& path) {
    const std::vector<common::Criterio> criteri = {
        {"rossi", common::TFoglioRec.field("Conduttore")},
        {"/05/", common::TFoglioRec.field("DataApertura")},
    };
    const common::RicercaMultipla ricerca(criteri);
    std::vector<common::VoceLista> voci;
    common::CostruisciVoci(
        voci, path, tripsheets::FormatoFoglio(),
        [&ricerca](const common::RecordView& f) { return ricerca.corrisponde(f.bytes()); }, false);
    return voci.size();
}

} // namespace

int main(int argc, char** argv) {
    using namespace common;
    std::string folder = argc > 1 ? argv[1] : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    if (folder.back() != '/') folder += '/';
    const std::string stem = folder + "bench_tripsheets_" + std::to_string(::getpid());
    const std::string path = stem + ".fdm", xls = stem + ".xls";

    static const char* vehicles[] = {"Fiat Panda", "Alfa Romeo Giulia", "Iveco Daily", "Citroën Berlingo",
                                     "Ford Transit"};
    static const char* drivers[] = {"Rossi Mario", "Bianchi Anna", "Verdi Luca", "Esposito Ciro",
                                    "Bruno Niccolò"};
    static const char* places[] = {"Roma", "Milano", "Napoli", "Torino", "Città di Castello"};
    std::string bytes;
    bytes.reserve(kRecords * TFoglioRec.size);
    Record r(TFoglioRec);
    unsigned seed = 12345;
    auto next = [&] {
        return (seed = seed * 1103515245u + 12345u) >> 16;
    }; // the high bits, not the short cycles of the low ones
    for (std::size_t i = 0; i < kRecords; ++i) {
        char date[11], time[6], plate[8];
        std::snprintf(date, sizeof date, "%02u/%02u/2024", next() % 28 + 1, next() % 12 + 1);
        std::snprintf(time, sizeof time, "%02u:%02u", next() % 24, next() % 60);
        std::snprintf(plate, sizeof plate, "%c%c%03u%c%c", 'A' + next() % 26, 'A' + next() % 26,
                      next() % 1000, 'A' + next() % 26, 'A' + next() % 26);
        r.set("NumFoglio", std::to_string(i + 1));
        r.set("DataApertura", date);
        r.set("OraApertura", time);
        r.set("DataChiusura", next() % 100 < 4 ? "" : date); // about 4% still open
        r.set("OraChiusura", time);
        r.set("Ufficio", "Ufficio emittente di Roma");
        r.set("Conduttore", drivers[next() % 5]);
        r.set("TelCel", "333 1234567");
        r.set("Veicolo", vehicles[next() % 5]);
        r.set("Targa", plate);
        for (int leg = 1; leg <= 8; ++leg) {
            const std::string n = "0" + std::to_string(leg);
            r.set("DataPar" + n, date);
            r.set("LuogoPar" + n, places[next() % 5]);
            r.set("LuogoArr" + n, places[next() % 5]);
            r.set("KmPar" + n, std::to_string(10000 + leg * 100));
        }
        r.set("LitriTot", "75");
        r.set("ImportoTot", "120,50");
        r.set("KmPercorsi", "850");
        bytes.append(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
    }
    rtl::WriteWholeFile(path, bytes);
    bytes.clear();
    bytes.shrink_to_fit();

    ui::Application app;
    TfrmFogli fogli(app);
    frmFogli = &fogli;
    fogli.lblFile.SetText(path);

    std::uint64_t rawSum = 0, openSum = 0, searchSum = 0, gridSum = 0, fileSum = 0;
    RawRead(path); // warm the page cache
    const double raw = Best([&] { return RawRead(path); }, rawSum);
    const double open = Best([&] { return OpenList(path); }, openSum);
    const double search = Best([&] { return Search(path); }, searchSum);
    TfrmExpFogli exp(app, &fogli);
    const double grid = Best(
        [&] {
            exp.Hide();
            exp.Show(); // fills the grid
            return std::uint64_t(exp.grdRecords.RowCount());
        },
        gridSum);
    // The file from the grid's cells, as "Esporta" writes it.
    std::vector<ColonnaExcel> colonne(21, ColonnaExcel{"Colonna", 200});
    const double file = Best(
        [&] {
            std::vector<std::vector<std::string>> righe;
            righe.reserve(std::size_t(exp.grdRecords.RowCount()));
            for (int row = 0; row < exp.grdRecords.RowCount(); ++row) {
                std::vector<std::string> riga;
                riga.reserve(21);
                for (int col = 1; col <= 21; ++col)
                    riga.push_back(exp.grdRecords.Cell(col, row));
                righe.push_back(std::move(riga));
            }
            ScriviFileExcel(xls, "Riepilogo Fogli di Marcia", colonne, righe);
            return std::uint64_t(righe.size());
        },
        fileSum);
    frmFogli = nullptr;
    if (!std::getenv("KEEP")) {
        rtl::DeleteFile(path);
        rtl::DeleteFile(xls);
    } else {
        std::printf("%s\n%s\n", path.c_str(), xls.c_str());
    }

    std::printf("archive: %zu sheets of %zu bytes (%.1f MB)\n", kRecords, TFoglioRec.size,
                double(kRecords * TFoglioRec.size) / 1e6);
    std::printf("best of %d rounds, CPU time of the thread\n", kRounds);
    std::printf("raw sequential read:         %8.2f ms (checksum %llu)\n", raw * 1e3,
                (unsigned long long)rawSum);
    std::printf("open-sheet list:             %8.2f ms (%llu open)   ratio %6.2f\n", open * 1e3,
                (unsigned long long)openSum, open / raw);
    std::printf("search, two criteria:        %8.2f ms (%llu found)  ratio %6.2f\n", search * 1e3,
                (unsigned long long)searchSum, search / raw);
    std::printf("export, grid fill:           %8.2f ms (%llu rows)   ratio %6.2f\n", grid * 1e3,
                (unsigned long long)gridSum, grid / raw);
    std::printf("export, spreadsheet file:    %8.2f ms (%llu rows)   ratio %6.2f\n", file * 1e3,
                (unsigned long long)fileSum, file / raw);
    return 0;
}
