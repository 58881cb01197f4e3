// The paths a user waits for, over vehicle archives of 1,000, 10,000 and
// 100,000 records (3370 bytes each, varied texts with accents), each beside a
// raw sequential read of the same archive (1 MiB blocks, warm page cache)
// measured in the same run: the vehicle search with no criterion, each
// deadline list, the export (grid fill and file, and a plain write and flush
// of the same number of bytes), a browse step of the vehicle card (headless
// and through the Qt backend), the opening of the card and the recall of a
// listed vehicle into it.
//
//   bench_fleet [folder] [sizes...]   (default: the system's temporary folder;
//                                      1000 10000 100000)
//   BENCH_ONLY=search,export bench_fleet   times only the paths whose names
//                                          hold one of these words
//
// Times are the best of a few rounds, in CPU time of the thread (the
// export's flush to disk is mostly waiting: it is timed the same way for the
// export and for the plain write it is compared with). The ratio is the time over
// the raw read of the same archive; the paths that do not read the whole
// archive (browse step, card open, recall) print it too, so that their
// constant cost reads beside the growing one. Other work areas add their own
// paths to Misura() below.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/RawRead.h"
#include "common/ExportWindow.h"
#include "common/Records.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Services.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/Autoparco.h"
#include "vehicles/ExpAutoparco.h"
#include "vehicles/ScadAssicurazione.h"
#include "vehicles/ScadBollo.h"
#include "vehicles/ScadRevisione.h"
#include "vehicles/ScadTagliando.h"
#include "vehicles/TrovaAutomezzi.h"

#ifdef DORNEVAL_BENCH_QT
#include "platform/qt/Backend.h"
#endif

namespace {

// Times are CPU time of the thread (see bench::ThreadSeconds).
struct Clock {
    static double now() { return bench::ThreadSeconds(); }
};
double Seconds(double from) {
    return Clock::now() - from;
}

// The best of `rounds` runs of `pass`, in seconds.
double Best(int rounds, const std::function<void()>& pass) {
    double best = 1e9;
    for (int r = 0; r < rounds; ++r) {
        const double start = Clock::now();
        pass();
        best = std::min(best, Seconds(start));
    }
    return best;
}

std::uint64_t RawRead(const std::string& path) {
    return bench::RawRead(path, common::TAutomezzoRec.size, 1);
}

// Writes `bytes` bytes in 1 MiB blocks and flushes them to disk: what the
// export's own file costs at least.
void RawWriteAndFlush(const std::string& path, std::size_t bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) std::exit(1);
    std::vector<char> block(1 << 20, 'x');
    for (std::size_t done = 0; done < bytes;) {
        const std::size_t n = std::min(block.size(), bytes - done);
        if (::write(fd, block.data(), n) != ssize_t(n)) std::exit(1);
        done += n;
    }
    ::fsync(fd);
    ::close(fd);
}

// Peak resident memory since the last reset, in bytes (Linux).
long StatusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
    return -1;
}
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Answers the questions of the export (yes to export, no to opening the
// file); anything else is printed, as it means a path failed.
class Risposte : public ui::Services {
public:
    ui::Answer Message(ui::DialogType, const std::string& text, ui::Buttons buttons) override {
        if (text == common::kMsgEsportazioneRiuscita) return ui::Answer::No;
        if (text == common::kMsgDomandaEsportazione) return ui::Answer::Yes;
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        return buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::OK;
    }
    void ShellOpen(const std::string&) override {}
};

const rtl::Date kOggi = *rtl::Date::FromYmd(2026, 3, 15);

// The archive of `count` vehicles, written in blocks.
void ScriviArchivio(const std::string& path, std::size_t count) {
    static const char* tipi[] = {
        "Autovettura",          "Furgone",    "Autocarro", "Motociclo", "Pullmino", "Trattore stradale",
        "Autoveicolo speciale", "Ciclomotore"};
    static const char* destinazioni[] = {"Uso proprio", "Trasporto merci", "Noleggio senza conducente",
                                         "Servizio di rappresentanza", "Cantiere"};
    static const char* marche[] = {"Fiat",       "Alfa Romeo",    "Iveco",   "Citroën", "Renault", "Škoda",
                                   "Volkswagen", "Mercedes-Benz", "Peugeot", "Lancia",  "Ford",    "Opel"};
    static const char* modelli[] = {
        "Panda",   "Giulia",  "Daily 35C",      "Berlingo",   "Kangoo", "Octavia", "Transporter", "Sprinter",
        "Partner", "Ypsilon", "Transit Custom", "Combo Life", "Ducato", "Doblò",   "Mégane",      "Crafter"};
    static const char* colori[] = {"Bianco", "Grigio metallizzato", "Blu notte",
                                   "Rosso",  "Verde bottiglia",     "Nero perlato"};
    static const char* persone[] = {"Rossi Mario",
                                    "Bianchi Anna",
                                    "Verdi Luca",
                                    "Esposito Ciro",
                                    "Bruno Niccolò",
                                    "Gallo Andrea",
                                    "Colombo Tommaso",
                                    "De Luca Benedetta",
                                    "Mancini Nicolò",
                                    "Ricci Giosuè",
                                    "Società Trasporti Brenta S.r.l.",
                                    "Comune di Forlì"};
    static const char* stati[] = {"In servizio", "In manutenzione", "Fermo in officina", "Dismesso"};
    static const char* note[] = {"",
                                 "Revisione straordinaria richiesta dall'ufficio",
                                 "Gomme invernali già montate",
                                 "Carrozzeria da ritoccare sul lato destro; preventivo in attesa",
                                 "Veicolo assegnato alla sede di Città di Castello",
                                 ""};
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::exit(1);
    common::Record r(common::TAutomezzoRec);
    unsigned seed = 12345u + unsigned(count);
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    auto data = [&](int from, int span) -> std::string {
        const unsigned k = next() % 40;
        if (k == 0) return "";
        if (k == 1) return "da definire";
        return rtl::FormatDate(kOggi.AddDays(from + int(next() % unsigned(span))));
    };
    for (std::size_t i = 0; i < count; ++i) {
        r.bytes()[0] = 0;
        std::fill(r.bytes().begin(), r.bytes().end(), std::uint8_t(0));
        char targa[8], anno[12], km[16];
        std::snprintf(targa, sizeof targa, "%c%c%03u%c%c", 'A' + next() % 26, 'A' + next() % 26,
                      next() % 1000, 'A' + next() % 26, 'A' + next() % 26);
        std::snprintf(anno, sizeof anno, "%02u/%04u", next() % 12 + 1, 1995 + next() % 31);
        std::snprintf(km, sizeof km, "%u", next() % 400000);
        r.set("Tipo", tipi[next() % 8]);
        r.set("Destinazione", destinazioni[next() % 5]);
        r.set("Marca", marche[next() % 12]);
        r.set("Modello", modelli[next() % 16]);
        r.set("Targa", targa);
        r.set("Anno", anno);
        r.set("Colore", colori[next() % 6]);
        r.set("Stato", stati[next() % 4]);
        r.set("Chilometri", km);
        r.set("Alimentazione", next() % 3 ? "Gasolio" : "Benzina");
        r.set("Proprietario", persone[next() % 12]);
        r.set("Autista", persone[next() % 12]);
        r.set("Meccanico", next() % 2 ? "Officina Fratelli Marchetti" : "Autoriparazioni Cortese");
        r.set("ScadRevisione", data(-200, 900));
        r.set("ScadTagliando", data(-100, 500));
        r.set("ScadAssicurazione", data(-30, 400));
        r.set("ScadBollo", data(-30, 400));
        r.set("Note", note[next() % 6]);
        if (std::fwrite(r.bytes().data(), 1, r.bytes().size(), f) != r.bytes().size()) std::exit(1);
    }
    std::fclose(f);
}

struct Riga {
    std::string percorso;
    double secondi;
    std::string nota;
};

void Stampa(std::size_t count, double raw, const std::vector<Riga>& righe) {
    std::printf("\n%zu vehicles, archive %.1f MB\n", count, double(count * common::TAutomezzoRec.size) / 1e6);
    std::printf("  %-32s %12s %10s\n", "path", "time", "ratio");
    std::printf("  %-32s %9.3f ms %10.2f\n", "raw read", raw * 1e3, 1.0);
    for (const Riga& r : righe) {
        if (r.secondi >= 1e-3)
            std::printf("  %-32s %9.3f ms %10.2f  %s\n", r.percorso.c_str(), r.secondi * 1e3, r.secondi / raw,
                        r.nota.c_str());
        else
            std::printf("  %-32s %9.2f us %10.4f  %s\n", r.percorso.c_str(), r.secondi * 1e6, r.secondi / raw,
                        r.nota.c_str());
    }
    std::fflush(stdout);
}

// Whether the path is to be timed (BENCH_ONLY, when set, names words of the
// paths to time).
bool Misurare(const std::string& percorso) {
    const char* only = std::getenv("BENCH_ONLY");
    if (!only || !*only) return true;
    std::string words = only;
    for (std::size_t start = 0; start <= words.size();) {
        std::size_t end = words.find(',', start);
        if (end == std::string::npos) end = words.size();
        if (end > start && percorso.find(words.substr(start, end - start)) != std::string::npos) return true;
        start = end + 1;
    }
    return false;
}

template <class W> double ListaScadenze(ui::Application& app, int rounds, std::size_t& righe) {
    W w(app);
    return Best(rounds, [&] {
        w.Show();
        righe = w.lstRecords.Count();
        w.Close();
    });
}

std::vector<Riga> Misura(const std::string& cartella, std::size_t count, int rounds) {
    std::vector<Riga> out;
    Risposte risposte;
    ui::Application app;
    app.SetServices(&risposte);
    ui::Form main(app);

    // The search with no criterion: every vehicle, sorted.
    if (Misurare("search")) {
        TfrmTrovaAutomezzi w(app);
        w.Show();
        const double t = Best(rounds, [&] { w.btnCerca.OnClick(); });
        out.push_back({"search, no criterion", t, std::to_string(w.lstRecords.Count()) + " lines"});
    }
    // The deadline lists.
    if (Misurare("deadline")) {
        std::size_t n = 0;
        double t = ListaScadenze<TfrmScadRevisione>(app, rounds, n);
        out.push_back({"deadline list: revision", t, std::to_string(n) + " lines"});
        t = ListaScadenze<TfrmScadTagliando>(app, rounds, n);
        out.push_back({"deadline list: service", t, std::to_string(n) + " lines"});
        t = ListaScadenze<TfrmScadAssicurazione>(app, rounds, n);
        out.push_back({"deadline list: insurance", t, std::to_string(n) + " lines"});
        t = ListaScadenze<TfrmScadBollo>(app, rounds, n);
        out.push_back({"deadline list: road tax", t, std::to_string(n) + " lines"});
    }
    // The export: grid fill, file, and its peak memory.
    if (Misurare("export")) {
        const std::string xls = cartella + "Parco_Automezzi.xls";
        double fill = 1e9, file = 1e9;
        long peak = 0;
        for (int r = 0; r < rounds; ++r) {
            const long base = StatusKb("VmRSS:");
            ResetPeak();
            TfrmExpAutoparco w(app);
            double start = Clock::now();
            w.Show();
            fill = std::min(fill, Seconds(start));
            start = Clock::now();
            w.cmdEsporta.OnClick();
            file = std::min(file, Seconds(start));
            peak = std::max(peak, StatusKb("VmHWM:") - base);
        }
        const std::size_t bytes = std::filesystem::file_size(xls);
        const double flush = Best(rounds, [&] { RawWriteAndFlush(cartella + "flush.tmp", bytes); });
        rtl::DeleteFile(cartella + "flush.tmp");
        char nota[160];
        std::snprintf(nota, sizeof nota, "file %.1f MB; peak memory +%.1f MB", double(bytes) / 1e6,
                      double(peak) / 1e3);
        out.push_back({"export: grid fill", fill, ""});
        out.push_back({"export: file", file, nota});
        std::snprintf(nota, sizeof nota, "plain write and flush of %.1f MB: %.1f ms", double(bytes) / 1e6,
                      flush * 1e3);
        out.push_back({"export: total less the flush", fill + file - flush, nota});
    }
    // The card: opening it, a browse step, the recall from the search.
    if (Misurare("card") || Misurare("browse") || Misurare("recall")) {
        double open = Best(rounds, [&] {
            TfrmAutoparco card(app);
            card.Show();
        });
        out.push_back({"card open", open, ""});

        TfrmAutoparco card(app);
        frmAutoparco = &card;
        card.Show();
        card.cmdPrimo.OnClick();
        const int steps = 2000;
        const double step = Best(rounds,
                                 [&] {
                                     for (int i = 0; i < steps; ++i) {
                                         if (card.lblPosizione.Text() == std::to_string(count))
                                             card.cmdPrimo.OnClick();
                                         else
                                             card.cmdAvanti.OnClick();
                                     }
                                 }) /
                            steps;
        out.push_back({"browse step (headless)", step, "mean of " + std::to_string(steps) + " steps"});

        double recall = 1e9;
        for (int r = 0; r < rounds; ++r) {
            TfrmTrovaAutomezzi w(app, &card, &card);
            w.lblMemory.SetText("autoparco");
            w.Show();
            w.btnCerca.OnClick();
            w.lstRecords.SetItemIndex(int(w.lstRecords.Count() / 2));
            const double start = Clock::now();
            w.lstRecords.OnDblClick();
            recall = std::min(recall, Seconds(start));
        }
        out.push_back({"recall into the card", recall, "card shows record " + card.lblPosizione.Text()});
        frmAutoparco = nullptr;
    }
    app.SetServices(nullptr);
    return out;
}

#ifdef DORNEVAL_BENCH_QT
// A browse step of the vehicle card drawn by the Qt backend (offscreen),
// in the one Qt session of the run: the whole step, and the part of it that
// Qt spends on its events (the drawing).
struct PassoDisegnato {
    double passo, disegno;
};
PassoDisegnato PassoQt(ui::Application& app, qtbackend::Session& session, std::size_t count, int rounds) {
    TfrmAutoparco card(app);
    frmAutoparco = &card;
    card.Show();
    session.processEvents();
    card.cmdPrimo.OnClick();
    session.processEvents();
    const int steps = 200;
    PassoDisegnato best{1e9, 0};
    for (int r = 0; r < rounds; ++r) {
        double passo = 0, disegno = 0;
        for (int i = 0; i < steps; ++i) {
            const double start = Clock::now();
            if (card.lblPosizione.Text() == std::to_string(count))
                card.cmdPrimo.OnClick();
            else
                card.cmdAvanti.OnClick();
            const double mezzo = Clock::now();
            session.processEvents();
            passo += Clock::now() - start;
            disegno += Clock::now() - mezzo;
        }
        if (passo < best.passo * steps) best = {passo / steps, disegno / steps};
    }
    frmAutoparco = nullptr;
    return best;
}
#endif

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string base = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::isdigit(static_cast<unsigned char>(argv[i][0])))
            sizes.push_back(std::size_t(std::atol(argv[i])));
        else
            base = argv[i];
    }
    if (sizes.empty()) sizes = {1000, 10000, 100000};
    std::string tmpl = base + "/bench_fleet_XXXXXX";
    if (!::mkdtemp(tmpl.data())) return 1;
    const std::string cartella = tmpl + "/";
    rtl::SetDataFolderForTesting(cartella);
    rtl::SetClock(rtl::DateTime{kOggi, {9, 0, 0}});

#ifdef DORNEVAL_BENCH_QT
    ui::Application qtApp;
    qtbackend::Session session(qtApp, qtbackend::Mode::Unattended);
    ui::Form qtMain(qtApp);
#endif
    std::printf("bench_fleet: best of a few rounds, CPU time of the thread; ratio = time / raw read of the "
                "same archive\n");
    for (const std::size_t count : sizes) {
        const std::string archivio = vehicles::PercorsoArchivioAutomezzi();
        ScriviArchivio(archivio, count);
        const int rounds = count >= 100000 ? 5 : count >= 10000 ? 10 : 30;
        RawRead(archivio); // warm the page cache
        const double raw = Best(rounds * 2, [&] { RawRead(archivio); });
        std::vector<Riga> righe = Misura(cartella, count, rounds);
#ifdef DORNEVAL_BENCH_QT
        if (Misurare("browse")) {
            const PassoDisegnato qt = PassoQt(qtApp, session, count, 3);
            char nota[96];
            std::snprintf(nota, sizeof nota, "mean of 200 steps, offscreen; %.0f us of it drawing",
                          qt.disegno * 1e6);
            righe.push_back({"browse step (Qt backend)", qt.passo, nota});
        }
#endif
        Stampa(count, raw, righe);
        rtl::DeleteFile(archivio);
    }
    std::error_code ec;
    std::filesystem::remove_all(cartella, ec);
    rtl::ResetClock();
    rtl::ResetDataFolder();
    return 0;
}
