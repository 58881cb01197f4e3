// The planner file: created on the first showing, record 1 read on every
// showing and written on every close, bytes checked against records written
// by hand here.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PlannerTest.h"
#include "common/GiorniPlanner.h"

namespace {

using namespace pt;

const char* const kNonAccessibile =
    "Attenzione: il sistema non permette di accedere alle prenotazioni del veicolo.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";
const char* const kNonSalvate =
    "Attenzione: le prenotazioni non sono state salvate.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";

class FilePlanner : public PlannerTest {
protected:
    void ExpectAllFree() {
        for (int i = 0; i < 366; ++i) {
            const CellaGiorno c = planning.Cella(i);
            ASSERT_TRUE(c.lib.Visible()) << i;
            ASSERT_FALSE(c.occ.Visible()) << i;
            ASSERT_EQ(c.mem.Text(), "") << i;
        }
    }
    void Chiudi() { h.Click(planning.cmdEsci); }
};

TEST_F(FilePlanner, FirstShowingCreatesAnEmptyFileAndTheCloseWritesOneRecord) {
    ApriPlanner("AB123CD", "2026");
    const std::string file = PercorsoPlanner("AB123CD", "2026");
    EXPECT_EQ(Leggi(file), "");
    ExpectAllFree();
    EXPECT_EQ(planning.lblPosizione.Text(), "1");
    EXPECT_EQ(planning.Focused(), &planning.txtVeicolo);
    Chiudi();
    EXPECT_FALSE(planning.Visible());
    EXPECT_TRUE(avvio.Visible());
    EXPECT_EQ(Leggi(file), RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {}));
    EXPECT_EQ(planning.lblPosizione.Text(), "1");
}

TEST_F(FilePlanner, DaysLieAtTheirIndexInLeapAndCommonYears) {
    for (const char* anno : {"2024", "2023"}) {
        ApriPlanner("AB123CD", anno);
        planning.ScriviGiorno(0, "Capodanno");
        planning.ScriviGiorno(59, "Rossi");   // 29 February
        planning.ScriviGiorno(60, "Bianchi"); // 1 March
        planning.ScriviGiorno(365, "San Silvestro");
        Chiudi();
        const std::string bytes = Leggi(PercorsoPlanner("AB123CD", anno));
        ASSERT_EQ(bytes.size(), 18850u) << anno;
        EXPECT_EQ(bytes.substr(3193, 6), std::string("\x05Rossi")) << anno;
        EXPECT_EQ(bytes.substr(3244, 8), std::string("\x07"
                                                     "Bianchi"))
            << anno;
        EXPECT_EQ(bytes,
                  RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD",
                                {{0, "Capodanno"}, {59, "Rossi"}, {60, "Bianchi"}, {365, "San Silvestro"}}))
            << anno;
        planning.Hide();
        menu.Hide();
    }
}

TEST_F(FilePlanner, TextsAreStoredTrimmedAndCutTo50) {
    ApriPlanner("AB123CD", "2026");
    planning.ScriviGiorno(10, "  Verdi Mario 333 1234567  ");
    planning.Cella(11).mem.SetText("    "); // blanks alone: stored empty
    planning.ScriviGiorno(12, std::string(60, 'x'));
    planning.ScriviGiorno(13, "Caffè");
    Chiudi();
    EXPECT_EQ(Leggi(PercorsoPlanner("AB123CD", "2026")),
              RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD",
                            {{10, "Verdi Mario 333 1234567"}, {12, std::string(50, 'x')}, {13, "Caff\xe8"}}));
}

TEST_F(FilePlanner, ShowingLoadsRecordOneTrimmedAndDrawsThePicturesFromTheTexts) {
    const std::string file = PercorsoPlanner("AB123CD", "2024");
    std::string record = RecordPlanner("Camper", "Altra", "Marca", "ZZ000ZZ",
                                       {{0, "  Neri  "}, {59, "Gialli"}, {100, "   "}, {365, "Fin\xe8"}});
    record[184 + 51 * 200] = char(200); // a damaged length reads as the field's 50 characters
    record.replace(185 + 51 * 200, 50, std::string(50, 'd'));
    rtl::WriteWholeFile(file, record);
    ApriPlanner("AB123CD", "2024");
    struct Caso {
        int i;
        const char* testo;
    } casi[] = {
        {0, "Neri"},   {59, "Gialli"}, {100, ""}, {200, "dddddddddddddddddddddddddddddddddddddddddddddddddd"},
        {365, "Finè"}, {1, ""},
    };
    for (const Caso& c : casi) {
        const CellaGiorno cella = planning.Cella(c.i);
        EXPECT_EQ(cella.mem.Text(), c.testo) << c.i;
        EXPECT_EQ(cella.occ.Visible(), *c.testo != '\0') << c.i;
        EXPECT_NE(cella.lib.Visible(), cella.occ.Visible()) << c.i;
    }
    // The vehicle comes from the menu, never from the file.
    EXPECT_EQ(planning.txtVeicolo.Text(), "Furgone");
    EXPECT_EQ(planning.txtTarga.Text(), "AB123CD");
    EXPECT_EQ(planning.lblPosizione.Text(), "1");
}

// A damaged length byte never survives a close: a day the planner did not
// change is written again with its text as read (the field's own 50 bytes),
// also when it was damaged after the showing, on another workstation.
TEST_F(FilePlanner, TheCloseWritesEveryDayWithAWellFormedLength) {
    const std::string file = PercorsoPlanner("AB123CD", "2024");
    const std::string d50(50, 'd'), e50(50, 'e');
    std::string record = RecordPlanner("Camper", "Altra", "Marca", "ZZ000ZZ", {{200, d50}});
    record[184 + 51 * 200] = char(0xFF);
    rtl::WriteWholeFile(file, record);
    ApriPlanner("AB123CD", "2024");
    ASSERT_EQ(planning.Cella(200).mem.Text(), d50);
    planning.ScriviGiorno(5, "Rossi");
    // Meanwhile another workstation leaves day 300 with a damaged length.
    record = rtl::ReadWholeFile(file);
    record[184 + 51 * 300] = char(0xFF);
    record.replace(185 + 51 * 300, 50, e50);
    rtl::WriteWholeFile(file, record);
    Chiudi();
    EXPECT_EQ(Leggi(file),
              RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {{5, "Rossi"}, {200, d50}, {300, e50}}));
}

TEST_F(FilePlanner, ShowingAgainStartsFromTheResetAndReloads) {
    ApriPlanner("AB123CD", "2026");
    planning.ScriviGiorno(5, "Rossi");
    Chiudi();
    rtl::WriteWholeFile(PercorsoPlanner("AB123CD", "2026"), RecordPlanner("", "", "", "", {{6, "Bianchi"}}));
    MostraMenu();
    Apri(0, "2026");
    EXPECT_TRUE(planning.Cella(5).lib.Visible());
    EXPECT_EQ(planning.Cella(5).mem.Text(), "");
    EXPECT_TRUE(planning.Cella(6).occ.Visible());
}

TEST_F(FilePlanner, ALongerFileKeepsItsTail) {
    const std::string lungo = PercorsoPlanner("LONG1", "2026");
    const std::string coda(777, '\x5a');
    rtl::WriteWholeFile(lungo, RecordPlanner("", "", "", "", {{3, "Prima"}}) + coda);
    ScriviVeicoli({{"Furgone", "Fiat", "Ducato", "LONG1"}});
    MostraMenu();
    Apri(0, "2026");
    EXPECT_EQ(planning.Cella(3).mem.Text(), "Prima");
    planning.ScriviGiorno(4, "Dopo");
    Chiudi();
    EXPECT_EQ(Leggi(lungo),
              RecordPlanner("Furgone", "Fiat", "Ducato", "LONG1", {{3, "Prima"}, {4, "Dopo"}}) + coda);
}

// A file cut short shows every day whose 51 bytes are all there, and the
// close writes a whole record that keeps them; a day cut short is free and
// stored empty. Each file gets the same changes: day 0 cleared, day 100 booked.
TEST_F(FilePlanner, AFileCutShortKeepsItsWholeDays) {
    const std::string pieno = RecordPlanner(
        "Camper", "Altra", "Marca", "ZZ000ZZ",
        {{0, "Rossi"}, {5, "Neri"}, {30, "Bianchi"}, {31, "Verdi"}, {364, "Penultimo"}, {365, "Ultimo"}});
    const std::size_t giorno31 = 184 + 51 * 31;
    struct Caso {
        const char* nome;
        std::string file;
        std::vector<Giorno> mostrati; // every other day free
        std::vector<Giorno> dopo;     // the days of record 1 after the close
        std::string coda;             // bytes after record 1, kept
    } casi[] = {
        {"empty", "", {}, {{100, "Nuovo"}}, ""},
        {"one byte", "\x05", {}, {{100, "Nuovo"}}, ""},
        {"vehicle fields and a day cut short", pieno.substr(0, 184 + 50), {}, {{100, "Nuovo"}}, ""},
        {"half a record, day 31 cut short",
         pieno.substr(0, giorno31 + 20),
         {{0, "Rossi"}, {5, "Neri"}, {30, "Bianchi"}},
         {{5, "Neri"}, {30, "Bianchi"}, {100, "Nuovo"}},
         ""},
        {"half a record ending with day 31",
         pieno.substr(0, giorno31 + 51),
         {{0, "Rossi"}, {5, "Neri"}, {30, "Bianchi"}, {31, "Verdi"}},
         {{5, "Neri"}, {30, "Bianchi"}, {31, "Verdi"}, {100, "Nuovo"}},
         ""},
        {"a record but its last byte",
         pieno.substr(0, 18849),
         {{0, "Rossi"}, {5, "Neri"}, {30, "Bianchi"}, {31, "Verdi"}, {364, "Penultimo"}},
         {{5, "Neri"}, {30, "Bianchi"}, {31, "Verdi"}, {100, "Nuovo"}, {364, "Penultimo"}},
         ""},
        {"a record and a fragment",
         pieno + "frammento",
         {{0, "Rossi"}, {5, "Neri"}, {30, "Bianchi"}, {31, "Verdi"}, {364, "Penultimo"}, {365, "Ultimo"}},
         {{5, "Neri"}, {30, "Bianchi"}, {31, "Verdi"}, {100, "Nuovo"}, {364, "Penultimo"}, {365, "Ultimo"}},
         "frammento"},
    };
    const std::string file = PercorsoPlanner("AB123CD", "2026");
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        rtl::WriteWholeFile(file, c.file);
        ApriPlanner("AB123CD", "2026");
        std::vector<std::string> attesi(366);
        for (const Giorno& g : c.mostrati)
            attesi[std::size_t(g.index)] = g.testo;
        for (int i = 0; i < 366; ++i) {
            const CellaGiorno cella = planning.Cella(i);
            ASSERT_EQ(cella.mem.Text(), attesi[std::size_t(i)]) << i;
            ASSERT_EQ(cella.occ.Visible(), !attesi[std::size_t(i)].empty()) << i;
            ASSERT_NE(cella.lib.Visible(), cella.occ.Visible()) << i;
        }
        planning.ScriviGiorno(0, "");
        planning.ScriviGiorno(100, "Nuovo");
        Chiudi();
        std::string dopo = RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {});
        for (const Giorno& g : c.dopo)
            Campo(dopo, 184 + 51 * std::size_t(g.index), g.testo);
        EXPECT_EQ(Leggi(file), dopo + c.coda);
        planning.Hide();
        menu.Hide();
    }
}

// The planner keeps the file the menu handed over with the vehicle: what the
// menu's labels hold afterwards does not matter.
TEST_F(FilePlanner, TheFileIsTheOneHandedOverByTheMenu) {
    ApriPlanner("AB123CD", "2026");
    frmMenuDisponibili = nullptr;
    menu.lblFile.SetText(Path("altro.pln"));
    planning.ScriviGiorno(7, "Rossi");
    Chiudi();
    EXPECT_EQ(Leggi(PercorsoPlanner("AB123CD", "2026")),
              RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {{7, "Rossi"}}));
    EXPECT_FALSE(rtl::FileExists(Path("altro.pln")));
}

TEST_F(FilePlanner, ClosingWithTheWindowsButtonSavesLikeEsci) {
    ApriPlanner("AB123CD", "2026");
    planning.ScriviGiorno(7, "Rossi");
    h.CloseWindow(planning);
    EXPECT_FALSE(planning.Visible());
    EXPECT_TRUE(avvio.Visible());
    EXPECT_EQ(Leggi(PercorsoPlanner("AB123CD", "2026")),
              RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {{7, "Rossi"}}));
}

// A read-only file (no write permission for anyone) is read as any other:
// its bookings show. Closed without a change it is left as it is, without a
// word; closed with a booking it cannot store, the planner says so.
TEST_F(FilePlanner, AReadOnlyFileIsShownAndAChangeItCannotStoreIsSaid) {
    const std::string file = PercorsoPlanner("AB123CD", "2026");
    const std::string stored = RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {{3, "Rossi"}});
    rtl::WriteWholeFile(file, stored);
    std::filesystem::permissions(file,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    ApriPlanner("AB123CD", "2026");
    EXPECT_EQ(planning.Cella(3).mem.Text(), "Rossi");
    EXPECT_TRUE(planning.Cella(3).occ.Visible());
    EXPECT_EQ(planning.lblPosizione.Text(), "1");
    Chiudi();
    EXPECT_TRUE(avvio.Visible());
    EXPECT_EQ(Leggi(file), stored);

    menu.Hide();
    ApriPlanner("AB123CD", "2026");
    planning.ScriviGiorno(9, "Nuovo");
    h.ExpectMessage(ui::DialogType::Warning, kNonSalvate);
    Chiudi();
    h.Verify();
    EXPECT_FALSE(planning.Visible());
    EXPECT_TRUE(avvio.Visible());
    EXPECT_EQ(Leggi(file), stored);
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
}

TEST_F(FilePlanner, AFileThatCannotBeOpenedIsNeverReplaced) {
    // A folder where the file should be: neither opened nor created.
    std::filesystem::create_directory(PercorsoPlanner("AB123CD", "2026"));
    h.ExpectMessage(ui::DialogType::Warning, kNonAccessibile);
    ApriPlanner("AB123CD", "2026");
    h.Verify();
    h.ExpectMessage(ui::DialogType::Warning, kNonSalvate);
    Chiudi();
    h.Verify();
    EXPECT_TRUE(std::filesystem::is_directory(PercorsoPlanner("AB123CD", "2026")));
}

TEST_F(FilePlanner, AFailedWriteIsSaidAndThePlannerStillCloses) {
    ApriPlanner("AB123CD", "2026");
    const std::string file = PercorsoPlanner("AB123CD", "2026");
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    h.ExpectMessage(ui::DialogType::Warning, kNonSalvate);
    Chiudi();
    h.Verify();
    EXPECT_FALSE(planning.Visible());
    EXPECT_TRUE(avvio.Visible());
}

TEST_F(FilePlanner, APlannerShownWithoutAChosenVehicleTouchesNoFile) {
    planning.Show();
    ExpectAllFree();
    planning.Close();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(h.DataFolder()), {}), 0);
}

} // namespace
