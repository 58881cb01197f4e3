// Builds the list lines of a list window over an archive of 100,000 gate
// transits (1366-byte records, about 137 MB), sorted and in file order,
// through a line layout resolved once and through RigaLista record by
// record; the lines go into one buffer, as a list window keeps them (see
// VociLista). Beside them it reads the same file raw and sequentially; prints the
// times and their ratios to the raw read.
//
//   bench_list_build [folder]   (default: the system's temporary folder)
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "bench/RawRead.h"
#include "common/ListLines.h"
#include "common/Records.h"
#include "platform/rtl/Files.h"

namespace {

constexpr std::size_t kRecords = 100'000;
constexpr int kRounds = 5;
using bench::ThreadSeconds;

std::uint64_t RawRead(const std::string& path) {
    return bench::RawRead(path, common::TVisitaRec.size, 120);
}

// A realistic list line: entry date and time, plate, vehicle, driver; as a
// line layout resolved once (what the windows use).
std::uint64_t BuildListLayout(const std::string& path, bool sorted) {
    using namespace common;
    static const FormatoRiga formato = std::move(FormatoRiga(TVisitaRec)
                                                     .colonna("DataEnt", 10)
                                                     .testo("  ")
                                                     .colonna("OraEnt", 5)
                                                     .testo("  ")
                                                     .colonna("Targa", 12)
                                                     .colonna("Veicolo", 30)
                                                     .ultima("Conduttore"));
    VociLista voci;
    CostruisciVoci(voci, path, formato, {}, sorted);
    return voci.size() + voci.righe[0].size();
}

// The same line through RigaLista, record by record.
std::uint64_t BuildList(const std::string& path, bool sorted) {
    using namespace common;
    static const FieldRef data = TVisitaRec.field("DataEnt"), ora = TVisitaRec.field("OraEnt"),
                          targa = TVisitaRec.field("Targa"), veicolo = TVisitaRec.field("Veicolo"),
                          conduttore = TVisitaRec.field("Conduttore");
    VociLista voci;
    CostruisciVoci(
        voci, path, TVisitaRec,
        [](const RecordView& r) -> std::optional<std::string> {
            return RigaLista()
                .colonna(r, data, 10)
                .testo("  ")
                .colonna(r, ora, 5)
                .testo("  ")
                .colonna(r, targa, 12)
                .colonna(r, veicolo, 30)
                .ultima(r, conduttore)
                .str();
        },
        sorted);
    return voci.size() + voci.righe[0].size();
}

template <class F> double Best(F&& pass, std::uint64_t& sum) {
    double best = 1e9;
    for (int r = 0; r < kRounds; ++r) {
        const double start = ThreadSeconds();
        sum = pass();
        best = std::min(best, ThreadSeconds() - start);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    using namespace common;
    std::string folder = argc > 1 ? argv[1] : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    if (folder.back() != '/') folder += '/';
    const std::string path = folder + "bench_list_build_" + std::to_string(::getpid()) + ".vis";

    static const char* makes[] = {"Fiat Panda", "Alfa Romeo Giulia", "Iveco Daily", "Citroën Berlingo",
                                  "Ford Transit"};
    static const char* drivers[] = {"Rossi Mario", "Bianchi Anna", "Verdi Luca", "Esposito Ciro",
                                    "Bruno Niccolò"};
    std::string bytes;
    bytes.reserve(kRecords * TVisitaRec.size);
    Record r(TVisitaRec);
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (std::size_t i = 0; i < kRecords; ++i) {
        char date[11], time[6], plate[8];
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
        bytes.append(reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size());
    }
    rtl::WriteWholeFile(path, bytes);
    bytes.clear();
    bytes.shrink_to_fit();

    std::uint64_t rawSum = 0, listSum = 0, plainSum = 0;
    RawRead(path); // warm the page cache
    const double raw = Best([&] { return RawRead(path); }, rawSum);
    std::uint64_t layoutSum = 0, layoutPlainSum = 0;
    const double layout = Best([&] { return BuildListLayout(path, true); }, layoutSum);
    const double layoutPlain = Best([&] { return BuildListLayout(path, false); }, layoutPlainSum);
    const double list = Best([&] { return BuildList(path, true); }, listSum);
    const double plain = Best([&] { return BuildList(path, false); }, plainSum);
    if (!std::getenv("KEEP"))
        rtl::DeleteFile(path);
    else
        std::printf("%s\n", path.c_str());

    std::printf("archive: %zu records of %zu bytes (%.1f MB)\n", kRecords, TVisitaRec.size,
                double(kRecords * TVisitaRec.size) / 1e6);
    std::printf("best of %d rounds, CPU time of the thread\n", kRounds);
    std::printf("raw sequential read:         %8.2f ms  ratio  1.00 (checksum %llu)\n", raw * 1e3,
                (unsigned long long)rawSum);
    std::printf("sorted lines, line layout:   %8.2f ms  ratio %5.2f (checksum %llu)\n", layout * 1e3,
                layout / raw, (unsigned long long)layoutSum);
    std::printf("the same lines unsorted:     %8.2f ms  ratio %5.2f (checksum %llu)\n", layoutPlain * 1e3,
                layoutPlain / raw, (unsigned long long)layoutPlainSum);
    std::printf("sorted lines, RigaLista:     %8.2f ms  ratio %5.2f (checksum %llu)\n", list * 1e3,
                list / raw, (unsigned long long)listSum);
    std::printf("the same lines unsorted:     %8.2f ms  ratio %5.2f (checksum %llu)\n", plain * 1e3,
                plain / raw, (unsigned long long)plainSum);
    return 0;
}
