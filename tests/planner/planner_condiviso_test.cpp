// Two planners open on the same vehicle and year in two processes that share
// one data folder, as on two workstations: both load, each changes days
// through the day command and the range command, then both close, in the
// order each case gives. What each changed is kept; a day both changed keeps
// the text of the later close; every other day keeps what the file held.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "PlannerTest.h"
#include "bookings/Giorno.h"
#include "bookings/Intervallo.h"
#include "common/GiorniPlanner.h"

namespace {

using namespace pt;

// A change made in a planner: one day through its day command (primo ==
// ultimo), or the days primo to ultimo through the range command. An empty
// text clears the day.
struct Cambio {
    int primo, ultimo;
    std::string testo;
};

// One planner process: the pipe that tells it to close and the one on which
// it says that it has loaded and changed its days.
struct Postazione {
    pid_t pid = -1;
    int chiudi = -1;
    int pronta = -1;
};

class PlannerCondiviso : public PlannerTest {
protected:
    static constexpr const char* kAnno = "2024";

    static std::string Data(const planner::Giorno& g) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d/%02d/%s", g.day, g.month, kAnno);
        return buf;
    }

    // The change as a user makes it, through the dialogs and "Applica e chiudi".
    void Cambia(const Cambio& c) {
        if (c.primo == c.ultimo) {
            h.OnModal<TfrmGiorno>([&](TfrmGiorno& d) {
                h.Focus(d.txtPrenotazione);
                d.txtPrenotazione.SelectAll();
                h.Press(d, ui::vk::Delete);
                if (!c.testo.empty()) h.Type(d, c.testo);
                h.Click(d.btnChiudi);
            });
            const CellaGiorno cella = planning.Cella(c.primo);
            h.Click(cella.occ.Visible() ? cella.occ : cella.lib);
            return;
        }
        const planner::Giorno& da = planner::Giorni()[std::size_t(c.primo)];
        const planner::Giorno& a = planner::Giorni()[std::size_t(c.ultimo)];
        h.OnModal<TfrmIntervallo>([&](TfrmIntervallo& d) {
            h.Select(d.txtGiornoInizio, da.day - 1);
            h.Select(d.txtMeseInizio, da.month - 1);
            h.Select(d.txtGiornoFine, a.day - 1);
            h.Select(d.txtMeseFine, a.month - 1);
            h.Focus(d.txtPrenotazione);
            h.Type(d, c.testo);
            h.ExpectMessage(ui::DialogType::Confirmation,
                            "INTERVALLO SELEZIONATO:  DAL  " + Data(da) + " AL " + Data(a) +
                                ".\r\n\r\nSi conferma la prenotazione?",
                            ui::Answer::Yes);
            h.Click(d.btnChiudi);
        });
        h.Click(planning.cmdIntervallo);
    }

    // In the child: opens the planner from the menu, makes the changes, says
    // so, waits for the word to close and closes. The exit status says
    // whether every step went as expected.
    [[noreturn]] void Lavora(const std::vector<Cambio>& cambi, int chiudi, int pronta) {
        MostraMenu();
        Apri(0, kAnno);
        for (const Cambio& c : cambi)
            Cambia(c);
        h.Verify();
        char parola = 0;
        if (::write(pronta, "p", 1) != 1 || ::read(chiudi, &parola, 1) != 1) _exit(3);
        h.Click(planning.cmdEsci);
        const bool chiuso = !planning.Visible() && avvio.Visible();
        std::fflush(stdout); // what a failed check printed
        _exit(::testing::Test::HasFailure() ? 1 : chiuso ? 0 : 2);
    }

    Postazione Avvia(const std::vector<Cambio>& cambi) {
        int chiudi[2], pronta[2];
        if (pipe(chiudi) != 0 || pipe(pronta) != 0) throw std::runtime_error("pipe");
        std::fflush(stdout);
        const pid_t pid = fork();
        if (pid < 0) throw std::runtime_error("fork");
        if (pid == 0) {
            // The other planner's pipes stay with the test alone.
            for (int fd : nostri_)
                ::close(fd);
            ::close(chiudi[1]);
            ::close(pronta[0]);
            Lavora(cambi, chiudi[0], pronta[1]);
        }
        ::close(chiudi[0]);
        ::close(pronta[1]);
        nostri_.insert(nostri_.end(), {chiudi[1], pronta[0]});
        return {pid, chiudi[1], pronta[0]};
    }

    std::vector<int> nostri_; // the test's ends of the pipes of the planners running

    static bool Pronta(const Postazione& p) {
        char c = 0;
        return ::read(p.pronta, &c, 1) == 1 && c == 'p';
    }

    // Tells a planner to close and waits until its process has ended.
    int Chiudi(Postazione& p) {
        const bool detto = ::write(p.chiudi, "c", 1) == 1;
        ::close(p.chiudi);
        ::close(p.pronta);
        std::erase_if(nostri_, [&](int fd) { return fd == p.chiudi || fd == p.pronta; });
        int status = 0;
        if (waitpid(p.pid, &status, 0) != p.pid || !WIFEXITED(status)) return -1;
        return detto ? WEXITSTATUS(status) : -2;
    }
};

TEST_F(PlannerCondiviso, EachPlannerKeepsWhatTheOtherBooked) {
    struct Caso {
        const char* nome;
        std::vector<Giorno> prima; // the file before both load (none: no file)
        std::vector<Cambio> a, b;
        bool primaChiudeA;
        std::vector<Giorno> dopo;
    } casi[] = {
        {"A closes first",
         {},
         {{10, 10, "Rossi"}},
         {{20, 20, "Bianchi"}},
         true,
         {{10, "Rossi"}, {20, "Bianchi"}}},
        {"B closes first",
         {},
         {{10, 10, "Rossi"}},
         {{20, 20, "Bianchi"}},
         false,
         {{10, "Rossi"}, {20, "Bianchi"}}},
        {"different months, A first",
         {},
         {{45, 45, "Verdi"}},
         {{300, 302, "Neri"}},
         true,
         {{45, "Verdi"}, {300, "Neri"}, {301, "Neri"}, {302, "Neri"}}},
        {"different months, B first",
         {},
         {{45, 45, "Verdi"}},
         {{300, 302, "Neri"}},
         false,
         {{45, "Verdi"}, {300, "Neri"}, {301, "Neri"}, {302, "Neri"}}},
        // A clears a stored day and both book day 50: the clearing stays, the
        // later close decides day 50, the days nobody changed stay.
        {"same day, B closes later",
         {{5, "Vecchio"}, {200, "Resta"}},
         {{5, 5, ""}, {50, 50, "Alfa"}},
         {{50, 50, "Beta"}, {100, 100, "Gialli"}},
         true,
         {{50, "Beta"}, {100, "Gialli"}, {200, "Resta"}}},
        {"same day, A closes later",
         {{5, "Vecchio"}, {200, "Resta"}},
         {{5, 5, ""}, {50, 50, "Alfa"}},
         {{50, 50, "Beta"}, {100, 100, "Gialli"}},
         false,
         {{50, "Alfa"}, {100, "Gialli"}, {200, "Resta"}}},
    };
    ::signal(SIGPIPE, SIG_IGN); // a planner that ended early fails the case, not the program
    ScriviVeicoli({{"Furgone", "Fiat", "Ducato", "AB123CD"}});
    const std::string file = PercorsoPlanner("AB123CD", kAnno);
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        std::filesystem::remove(file);
        if (!c.prima.empty()) {
            std::string record = RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {});
            for (const Giorno& g : c.prima)
                Campo(record, 184 + 51 * std::size_t(g.index), g.testo);
            rtl::WriteWholeFile(file, record);
        }
        Postazione a = Avvia(c.a);
        Postazione b = Avvia(c.b);
        // Both have loaded and changed their days before either closes.
        const bool pronte = Pronta(a) && Pronta(b);
        EXPECT_TRUE(pronte);
        Postazione& prima = c.primaChiudeA ? a : b;
        Postazione& dopo = c.primaChiudeA ? b : a;
        EXPECT_EQ(Chiudi(prima), 0);
        EXPECT_EQ(Chiudi(dopo), 0);
        if (!pronte) continue;

        std::string atteso = RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {});
        for (const Giorno& g : c.dopo)
            Campo(atteso, 184 + 51 * std::size_t(g.index), g.testo);
        EXPECT_EQ(Leggi(file), atteso);

        // A third planner shows the year both left.
        MostraMenu();
        Apri(0, kAnno);
        std::vector<std::string> giorni(366);
        for (const Giorno& g : c.dopo)
            giorni[std::size_t(g.index)] = g.testo;
        for (int i = 0; i < 366; ++i) {
            ASSERT_EQ(planning.Cella(i).mem.Text(), giorni[std::size_t(i)]) << i;
            ASSERT_EQ(planning.Cella(i).occ.Visible(), !giorni[std::size_t(i)].empty()) << i;
        }
        planning.Hide();
        menu.Hide();
    }
}

} // namespace
