// Builds the list lines of a list window over a year of 100,000 gate
// transits (1366-byte records), sorted and in file order, through a line
// layout resolved once (the lines kept as entries and made when asked for,
// as a list window keeps them, see VociLista) and through the tests'
// reference RigaLista record by record (the lines kept whole). See
// bench/Bench.h for how every path is measured.
//
//   bench_list_build [folder] [sizes...]
#include <optional>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "bench/Data.h"
#include "common/ListLayout.h"
#include "common/Records.h"
#include "tests/support/ListReference.h"

namespace {

const rtl::Date kOggi = *rtl::Date::FromYmd(2024, 12, 13);

// A realistic list line: entry date and time, plate, vehicle, driver; as a
// line layout resolved once (what the windows use).
std::size_t ConFormato(const std::string& path, bool sorted) {
    using namespace common;
    static const FormatoRiga formato = std::move(FormatoRiga(TVisitaRec)
                                                     .Colonna("DataEnt", 10)
                                                     .Testo("  ")
                                                     .Colonna("OraEnt", 5)
                                                     .Testo("  ")
                                                     .Colonna("Targa", 12)
                                                     .Colonna("Veicolo", 30)
                                                     .Ultima("Conduttore"));
    VociLista voci;
    CostruisciVoci(voci, path, formato, {}, sorted);
    return voci.size();
}

// The same line through RigaLista, record by record.
std::size_t ConRigaLista(const std::string& path, bool sorted) {
    using namespace common;
    static const FieldRef data = TVisitaRec.Field("DataEnt"), ora = TVisitaRec.Field("OraEnt"),
                          targa = TVisitaRec.Field("Targa"), veicolo = TVisitaRec.Field("Veicolo"),
                          conduttore = TVisitaRec.Field("Conduttore");
    VociLista voci;
    ts::CostruisciVoci(
        voci, path, TVisitaRec,
        [](const RecordView& r) -> std::optional<std::string> {
            return ts::RigaLista()
                .Colonna(r, data, 10)
                .Testo("  ")
                .Colonna(r, ora, 5)
                .Testo("  ")
                .Colonna(r, targa, 12)
                .Colonna(r, veicolo, 30)
                .Ultima(r, conduttore)
                .str();
        },
        sorted);
    return voci.size();
}

std::vector<bench::Path> Percorsi(const std::string& cartella, std::size_t) {
    const std::string path = cartella + "2024.vis";
    const std::size_t rec = common::TVisitaRec.size;
    const auto percorso = [&](const char* nome, std::size_t (*costruisci)(const std::string&, bool),
                              bool sorted) {
        return bench::Path{nome,
                           [path, costruisci, sorted] {
                               return [path, costruisci, sorted] {
                                   return bench::Outcome{std::to_string(costruisci(path, sorted)) + " lines"};
                               };
                           },
                           path, rec};
    };
    return {
        percorso("sorted lines, line layout", ConFormato, true),
        percorso("file-order lines, line layout", ConFormato, false),
        percorso("sorted lines, RigaLista", ConRigaLista, true),
        percorso("file-order lines, RigaLista", ConRigaLista, false),
    };
}

} // namespace

int main(int argc, char** argv) {
    bench::Program program;
    program.name = "list_build";
    program.sizes = {100000};
    program.data = [](const std::string& cartella, std::size_t count) {
        return bench::Describe(bench::WriteVisits(cartella + "2024.vis", count, kOggi),
                               common::TVisitaRec.size, "transits");
    };
    program.paths = Percorsi;
    return bench::Main(argc, argv, program);
}
