// The settings file "Fogli_di_Marcia.ini" shared by several workstations:
// changes made at once by two processes, and files that are not what they
// should be.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/rtl/Files.h"
#include "platform/rtl/Ini.h"
#include "tests/support/Bounded.h"
#include "tests/support/Harness.h"
#include "tests/tripsheets/TripSheet.h"
#include "tripsheets/FoglioRec.h"
#include "tripsheets/Numerazione.h"

namespace {

// Two workstations change the file at once, one the numbering start (as the
// numbering dialog does), the other the issuing office (as the closing of the
// trip-sheet window does). Each reads its own value back after every change:
// a change of the other process made from an older copy of the file would
// bring an older value back.
TEST(Impostazioni, TwoProcessesChangingTheFileAtOnceLoseNoChange) {
    ts::Harness h;
    constexpr int kChanges = 300;
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t children[2];
    for (int w = 0; w < 2; ++w) {
        children[w] = fork();
        ASSERT_GE(children[w], 0);
        if (children[w] == 0) {
            char go;
            ::close(start[1]);
            if (::read(start[0], &go, 1) != 0) _exit(3); // both start when the pipe closes
            int lost = 0;
            try {
                for (int i = 1; i <= kChanges; ++i) {
                    if (w == 0) {
                        tripsheets::ScriviInizioNumerazione(std::to_string(i));
                        if (tripsheets::InizioNumerazione() != std::to_string(i)) ++lost;
                    } else {
                        tripsheets::ScriviUfficioEmittente("Ufficio " + std::to_string(i));
                        if (tripsheets::UfficioEmittente() != "Ufficio " + std::to_string(i)) ++lost;
                    }
                }
            } catch (...) {
                _exit(2);
            }
            _exit(lost == 0 ? 0 : 1);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a change was lost; 2: a change failed";
    }
    EXPECT_EQ(tripsheets::InizioNumerazione(), std::to_string(kChanges));
    EXPECT_EQ(tripsheets::UfficioEmittente(), "Ufficio " + std::to_string(kChanges));
    // Two sections of one key each, whichever was written first.
    const std::string file = rtl::ReadWholeFile(h.DataFolder() + "Fogli_di_Marcia.ini");
    const std::string inizio = "[Numerazione Fogli di Marcia]\r\nInizio=" + std::to_string(kChanges) + "\r\n";
    const std::string ufficio =
        "[Fogli di Marcia]\r\nUfficio Emittente=Ufficio " + std::to_string(kChanges) + "\r\n";
    EXPECT_TRUE(file == inizio + ufficio || file == ufficio + inizio) << file;
}

// The trip-sheet window before its first showing, so that the settings
// file can be set up first.
class SettingsFileTest : public tt::SheetTest {
protected:
    SettingsFileTest() : SheetTest(false) {}
    std::string Settings() const { return Path("Fogli_di_Marcia.ini"); }
    // The text of the failure that a read or a write of the file raises.
    static std::string FailureOf(const std::function<void()>& access) {
        try {
            access();
        } catch (const std::exception& e) {
            return e.what();
        }
        ADD_FAILURE() << "no failure";
        return {};
    }
};

// A FIFO named as the settings file would hold every read until someone
// writes into it. The window is shown, reports the file as it reports any
// unreadable settings file and goes on: New gives the access message, the
// numbering dialog reports it instead of opening, and closing reports the
// write and returns to the start menu. The FIFO stays as it was.
TEST_F(SettingsFileTest, AFifoAsTheSettingsFileIsReportedAndNeverWaitedOn) {
    ASSERT_EQ(::mkfifo(Settings().c_str(), 0600), 0);
    ts::Bounded([&] {
        const std::string lettura =
            FailureOf([&] { rtl::IniFile(Settings()).ReadString("Fogli di Marcia", "Ufficio Emittente"); });
        const std::string scrittura = FailureOf(
            [&] { rtl::IniFile(Settings()).WriteString("Fogli di Marcia", "Ufficio Emittente", "Roma"); });
        h.ExpectMessage(ui::DialogType::Error, lettura);
        fogli.Show();
        h.Verify();
        EXPECT_EQ(fogli.txtUfficio.Text(), "");
        EXPECT_EQ(fogli.Focused(), &fogli.txtNumFoglio);

        h.ExpectMessage(ui::DialogType::Error, tt::kErroreArchivio);
        h.Click(fogli.cmdNuovo);
        h.Verify();
        EXPECT_EQ(fogli.txtNumFoglio.Text(), "");

        h.ExpectMessage(ui::DialogType::Error, lettura);
        h.Click(fogli.cmdNumerazione); // no modal hook: the dialog must not open
        h.Verify();
        EXPECT_TRUE(fogli.Visible());

        fogli.txtUfficio.SetText("Roma");
        h.ExpectMessage(ui::DialogType::Error, scrittura);
        h.Click(fogli.cmdEsci);
        h.Verify();
        EXPECT_FALSE(fogli.Visible());
        EXPECT_TRUE(avvio.Visible());
    });
    struct stat st {};
    ASSERT_EQ(::lstat(Settings().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A settings file reached through a link that leads nowhere (a share that is
// not mounted) reads as no file; a change is refused and reported, and the
// link stays a link instead of becoming a file of this workstation alone.
TEST_F(SettingsFileTest, ALinkToNothingIsNeverReplaced) {
    const std::string condivisa = Path("condivisa/Fogli_di_Marcia.ini");
    std::filesystem::create_symlink(condivisa, Settings());
    fogli.Show();
    EXPECT_EQ(fogli.txtUfficio.Text(), "");
    const std::string scrittura = FailureOf(
        [&] { rtl::IniFile(Settings()).WriteString("Numerazione Fogli di Marcia", "Inizio", "5"); });

    h.OnModal<TfrmNumerazione>([&](TfrmNumerazione& d) {
        EXPECT_EQ(d.txtInizio.Text(), "1");
        d.txtInizio.SetText("250");
        h.ExpectMessage(ui::DialogType::Error, scrittura);
        h.Click(d.btnApplica);
        h.Verify();
        EXPECT_TRUE(d.Visible());
        h.Click(d.btnAnnulla);
    });
    h.Click(fogli.cmdNumerazione);

    fogli.txtUfficio.SetText("Sede di Bari");
    h.ExpectMessage(ui::DialogType::Error, scrittura);
    h.Click(fogli.cmdEsci);
    h.Verify();
    EXPECT_TRUE(avvio.Visible());
    EXPECT_TRUE(std::filesystem::is_symlink(Settings()));
    EXPECT_FALSE(std::filesystem::exists(Path("condivisa")));
}

// Two trip-sheet windows on two workstations, both showing the office they
// read. B changes the office and closes; A, which never touched it, closes
// after: B's office stays. Likewise a numbering start that B changes while
// A's numbering dialog is open stays when A confirms the number it showed.
TEST_F(SettingsFileTest, AnotherWorkstationsOfficeAndStartSurviveWhatThisOneDidNotChange) {
    rtl::WriteWholeFile(Settings(), "[Fogli di Marcia]\r\nUfficio Emittente=Ufficio A\r\n"
                                    "[Numerazione Fogli di Marcia]\r\nInizio=100\r\n");
    fogli.Show(); // workstation A
    EXPECT_EQ(fogli.txtUfficio.Text(), "Ufficio A");
    ts::Bounded([&] { // workstation B: a process of its own, with the window as shown
        fogli.txtUfficio.SetText("Ufficio B");
        h.Click(fogli.cmdEsci);
    });
    EXPECT_EQ(tripsheets::UfficioEmittente(), "Ufficio B");
    h.Click(fogli.cmdEsci);
    EXPECT_TRUE(avvio.Visible());
    EXPECT_EQ(tripsheets::UfficioEmittente(), "Ufficio B");

    fogli.Show();
    h.OnModal<TfrmNumerazione>([&](TfrmNumerazione& d) {
        EXPECT_EQ(d.txtInizio.Text(), "100");
        ts::Bounded([&] { tripsheets::ScriviInizioNumerazione("250"); });
        h.Click(d.btnApplica);
        EXPECT_FALSE(d.Visible());
    });
    h.Click(fogli.cmdNumerazione);
    EXPECT_EQ(tripsheets::InizioNumerazione(), "250");
    EXPECT_EQ(Ini(), "[Fogli di Marcia]\r\nUfficio Emittente=Ufficio B\r\n"
                     "[Numerazione Fogli di Marcia]\r\nInizio=250\r\n");
}

// An office holding line breaks (a damaged record brought them into the
// edit) is remembered on closing with a blank for each line break, without
// an error; the next showing reads it back.
TEST_F(SettingsFileTest, AnOfficeWithLineBreaksIsRememberedWithBlanks) {
    const struct {
        const char *shown, *stored;
    } cases[] = {
        {"Sede\r\nRoma", "Sede Roma"},          // CR LF: one line break
        {"Sede\nRoma\rNord", "Sede Roma Nord"}, // lone LF, lone CR
        {"Sede\n\rRoma", "Sede Roma"},          // LF CR, as this system's messages store it
        {"Sede\n\nRoma", "Sede  Roma"},         // two line breaks
        {"Sede\r\n\r\nRoma", "Sede  Roma"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        fogli.Show();
        fogli.txtUfficio.SetText(c.shown);
        h.Click(fogli.cmdEsci); // no dialog expected
        EXPECT_EQ(Ini(), std::string("[Fogli di Marcia]\r\nUfficio Emittente=") + c.stored + "\r\n");
        fogli.Show();
        EXPECT_EQ(fogli.txtUfficio.Text(), c.stored);
        fogli.Hide();
    }
}

} // namespace
