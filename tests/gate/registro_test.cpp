// The visit card: a new card, save with its checks, browse, the today and now
// pictures, the fields while typing, the vehicle import.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "common/Calendario.h"
#include "platform/rtl/Text.h"
#include "tests/gate/GateFixture.h"
#include "vehicles/TrovaAutomezzi.h"

using gt::GateTest;

namespace {

// A length byte and the text after it, read at an offset of the file.
std::string FieldAt(const std::string& file, std::size_t offset) {
    const std::size_t len = std::uint8_t(file.at(offset));
    return file.substr(offset + 1, len);
}

} // namespace

TEST_F(GateTest, EveryShowingStartsANewCardWithTodayAndNow) {
    TypeInto(card.txtNote, "vecchia");
    card.txtDataUsc.SetText("01/01/2024");
    card.lblPosizione.SetText("3");
    card.Hide();
    h.SetNow({*rtl::Date::FromYmd(2024, 12, 31), {7, 5, 59}});
    card.Show();
    std::vector<std::string> expected(16);
    expected[0] = "31/12/2024";
    expected[1] = "07:05";
    EXPECT_EQ(CardFields(), expected);
    EXPECT_EQ(card.lblPosizione.Text(), "");
    EXPECT_EQ(card.Focused(), &card.txtOperatoreEnt);
    EXPECT_TRUE(card.Get<ui::Rectangle>("effOperatoreEnt").Visible());

    TypeInto(card.txtNote, "altro");
    h.Click(card.cmdNuovo);
    EXPECT_EQ(CardFields(), expected);
    EXPECT_EQ(card.Focused(), &card.txtOperatoreEnt);
}

// The first save in an empty year appends record 1 at the offsets of the
// visit record; the second rewrites it in place.
TEST_F(GateTest, FirstSaveAppendsAndTheSecondRewritesInPlace) {
    TypeInto(card.txtOperatoreEnt, "  Mario  ");
    TypeInto(card.txtVeicolo, "Fiat Ducato");
    TypeInto(card.txtTarga, "ab123cd ");
    TypeInto(card.txtConduttore, "Luca Bianchi");
    TypeInto(card.txtPersone, "Anna");
    TypeInto(card.txtMerce, "Pallet");
    TypeInto(card.txtFoglio, "FM 12");
    TypeInto(card.txtTessere, "7, 8");
    TypeInto(card.txtLuogo, "Magazzino è");
    TypeInto(card.txtTelCel, "333 1234567");
    TypeInto(card.txtNote, "DDT consegnato");
    h.ExpectMessage(ui::DialogType::Information, gt::kInserita);
    h.Click(card.cmdSalva);
    h.Verify();
    EXPECT_EQ(card.lblPosizione.Text(), "1");
    EXPECT_EQ(card.txtOperatoreEnt.Text(), "  Mario  "); // the edits are not reloaded

    std::string file = Archive();
    ASSERT_EQ(file.size(), 1366u);
    const struct {
        std::size_t offset;
        const char* text;
    } fields[] = {
        {0, "05/03/2024"},
        {11, "10:15"},
        {17, "Mario"},
        {68, "Fiat Ducato"},
        {119, "AB123CD"},
        {150, "Luca Bianchi"},
        {201, "Anna"},
        {452, "Pallet"},
        {703, "FM 12"},
        {754, "7, 8"},
        {875, "Magazzino \xE8"},
        {996, "333 1234567"},
        {1047, "DDT consegnato"},
        {1298, ""},
        {1309, ""},
        {1315, ""},
    };
    for (const auto& f : fields)
        EXPECT_EQ(FieldAt(file, f.offset), f.text) << f.offset;

    h.Click(card.impDataUsc);
    h.Click(card.impOraUscita);
    TypeInto(card.txtOperatoreUsc, "Piero");
    h.ExpectMessage(ui::DialogType::Information, gt::kModificata);
    h.Click(card.cmdSalva);
    h.Verify();
    EXPECT_EQ(card.lblPosizione.Text(), "1");
    const std::string before = file;
    file = Archive();
    ASSERT_EQ(file.size(), 1366u);
    EXPECT_EQ(FieldAt(file, 1298), "05/03/2024");
    EXPECT_EQ(FieldAt(file, 1309), "10:15");
    EXPECT_EQ(FieldAt(file, 1315), "Piero");
    EXPECT_EQ(file.substr(0, 1298), before.substr(0, 1298));

    // A new card goes after it.
    h.Click(card.cmdNuovo);
    TypeInto(card.txtVeicolo, "Iveco");
    TypeInto(card.txtTarga, "ZZ");
    h.ExpectMessage(ui::DialogType::Information, gt::kInserita);
    h.Click(card.cmdSalva);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    EXPECT_EQ(Archive().size(), 2u * 1366u);
}

// Typed or pasted, what windows-1252 cannot hold never enters a field: the
// record holds exactly what the card shows.
TEST_F(GateTest, FieldsTakeOnlyWhatTheArchiveHoldsAndStoreWhatTheyShow) {
    TypeInto(card.txtVeicolo, "Škoda Łada🚗");
    TypeInto(card.txtTarga, "ab1");
    TypeInto(card.txtNote, "ritiro ");
    h.Paste(card, "€5\u0085\u009F中 ok ź");
    EXPECT_EQ(card.txtVeicolo.Text(), "Škoda ada");
    EXPECT_EQ(card.txtNote.Text(), "ritiro €5 ok ");
    h.ExpectMessage(ui::DialogType::Information, gt::kInserita);
    h.Click(card.cmdSalva);
    h.Verify();
    const std::string file = Archive();
    ASSERT_EQ(file.size(), 1366u);
    EXPECT_EQ(FieldAt(file, 68), "\x8Akoda ada");
    EXPECT_EQ(FieldAt(file, 1047), "ritiro \x80"
                                   "5 ok");
    EXPECT_EQ(rtl::Cp1252ToUtf8(FieldAt(file, 68)), card.txtVeicolo.Text());
    EXPECT_EQ(rtl::Cp1252ToUtf8(FieldAt(file, 1047)), rtl::Trim(card.txtNote.Text()));
}

TEST_F(GateTest, SaveChecksInOrder) {
    const std::string validaRichiesta =
        "\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/aaaa.";
    const std::string entrambi = "\n\r\n\rPer poter salvare la scheda è necessario o compilare o lasciare in "
                                 "bianco entrambi i campi di testo.";
    const struct {
        const char* dataEnt;
        const char* oraEnt;
        const char* veicolo;
        const char* targa;
        const char* dataUsc;
        const char* oraUsc;
        ui::DialogType kind;
        std::string message;
        const char* focus;
    } cases[] = {
        {" ", "", "", "", "xx", "", ui::DialogType::Warning,
         "Attenzione: per salvare la scheda è necessario indicare la data d'ingresso.", "txtDataEnt"},
        {"31/02/2024", "", "", "", "", "", ui::DialogType::Plain,
         "Attenzione: la data d'ingresso 31/02/2024 non esiste." + validaRichiesta, "txtDataEnt"},
        {"05/03/2024", " ", "", "", "", "", ui::DialogType::Warning,
         "Attenzione: per salvare la scheda è necessario indicare l'ora d'ingresso.", "txtOraEnt"},
        {"05/03/2024", "abc", "", "X", "", "", ui::DialogType::Warning,
         "Attenzione: per salvare la scheda è necessario indicare la marca e il modello del veicolo.",
         "txtVeicolo"},
        {"05/03/2024", "10:00", "Fiat", "  ", "", "", ui::DialogType::Warning,
         "Attenzione: per salvare la scheda è necessario indicare la targa del veicolo.", "txtTarga"},
        {"05/03/2024", "10:00", "Fiat", "AA", "32/01/2024", "", ui::DialogType::Plain,
         "Attenzione: la data d'uscita 32/01/2024 non esiste." + validaRichiesta, "txtDataUsc"},
        {"05/03/2024", "10:00", "Fiat", "AA", "", "11:00", ui::DialogType::Plain,
         "Attenzione: è stata indicata l'ora d'uscita ma non la data." + entrambi, "txtDataUsc"},
        {"05/03/2024", "10:00", "Fiat", "AA", "06/03/2024", " ", ui::DialogType::Plain,
         "Attenzione: è stata indicata la data d'uscita ma non l'ora." + entrambi, "txtDataUsc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        card.txtDataEnt.SetText(c.dataEnt);
        card.txtOraEnt.SetText(c.oraEnt);
        card.txtVeicolo.SetText(c.veicolo);
        card.txtTarga.SetText(c.targa);
        card.txtDataUsc.SetText(c.dataUsc);
        card.txtOraUsc.SetText(c.oraUsc);
        h.Focus(card.txtNote);
        h.ExpectMessage(c.kind, c.message);
        h.Click(card.cmdSalva);
        h.Verify();
        EXPECT_EQ(card.Focused(), card.FindControl(c.focus));
        EXPECT_EQ(Archive(), "<none>");
        EXPECT_EQ(card.lblPosizione.Text(), "");
    }
    // Times are never checked, and both exit fields may stay empty.
    card.txtDataEnt.SetText("05/03/2024");
    card.txtOraEnt.SetText("abc");
    card.txtVeicolo.SetText("Fiat");
    card.txtTarga.SetText("AA");
    card.txtDataUsc.SetText("");
    card.txtOraUsc.SetText("");
    h.ExpectMessage(ui::DialogType::Information, gt::kInserita);
    h.Click(card.cmdSalva);
    EXPECT_EQ(Archive().size(), 1366u);
}

TEST_F(GateTest, SaveFailuresWriteNothing) {
    card.txtVeicolo.SetText("Fiat");
    card.txtTarga.SetText("AA");
    // A number beyond the end of the archive (a card of another year's file)
    // is not written at some other place.
    AddVisits({{{"Veicolo", "Uno"}}});
    card.lblPosizione.SetText("5");
    h.ExpectMessage(ui::DialogType::Error, gt::kAccesso);
    h.Click(card.cmdSalva);
    h.Verify();
    EXPECT_EQ(Archive().size(), 1366u);
    EXPECT_EQ(card.lblPosizione.Text(), "5");
    EXPECT_EQ(card.txtVeicolo.Text(), "Fiat");

    // A year file that cannot be created.
    card.lblFile.SetText(Path("manca/2024.vis"));
    card.lblPosizione.SetText("");
    h.ExpectMessage(ui::DialogType::Error, gt::kAccesso);
    h.Click(card.cmdSalva);
    EXPECT_EQ(card.lblPosizione.Text(), "");
}

// The first save of a year on a full disk is refused with its message and
// leaves no empty year archive behind; once there is room the same card is
// saved as card 1.
TEST_F(GateTest, ARefusedFirstSaveLeavesNoYearArchive) {
    card.txtVeicolo.SetText("Fiat Panda");
    card.txtTarga.SetText("AB123CD");
    {
        // Files may not grow beyond a few bytes: the disk is full.
        struct Limit {
            rlimit old{};
            void (*oldHandler)(int);
            Limit() {
                getrlimit(RLIMIT_FSIZE, &old);
                oldHandler = std::signal(SIGXFSZ, SIG_IGN);
                rlimit small = old;
                small.rlim_cur = 100;
                setrlimit(RLIMIT_FSIZE, &small);
            }
            ~Limit() {
                setrlimit(RLIMIT_FSIZE, &old);
                std::signal(SIGXFSZ, oldHandler);
            }
        } limit;
        h.ExpectMessage(ui::DialogType::Error, gt::kAccesso);
        h.Click(card.cmdSalva);
        h.Verify();
    }
    EXPECT_FALSE(std::filesystem::exists(Path("2024.vis")));
    EXPECT_EQ(card.lblPosizione.Text(), "");

    h.ExpectMessage(ui::DialogType::Information, gt::kInserita);
    h.Click(card.cmdSalva);
    h.Verify();
    EXPECT_EQ(card.lblPosizione.Text(), "1");
    EXPECT_EQ(Archive().size(), 1366u);
}

TEST_F(GateTest, BrowseAnEmptyYear) {
    for (const char* cmd : {"cmdPrimo", "cmdIndietro", "cmdUltimo"}) {
        card.lblPosizione.SetText("2");
        TypeInto(card.txtNote, "x");
        h.ExpectMessage(ui::DialogType::Information, gt::kVuoto);
        h.Click(card.Get<ui::Picture>(cmd));
        h.Verify();
        EXPECT_EQ(card.lblPosizione.Text(), "2") << cmd;
    }
    h.ExpectMessage(ui::DialogType::Information, gt::kVuoto);
    h.Click(card.cmdAvanti);
    h.Verify();
    EXPECT_EQ(card.lblPosizione.Text(), "");
    EXPECT_EQ(Archive(), ""); // created empty by the first command
    // Previous on card 1 says nothing, even in an empty year.
    card.lblPosizione.SetText("1");
    h.Click(card.cmdIndietro);
}

TEST_F(GateTest, BrowseOneAndThreeCards) {
    AddVisits({{{"Veicolo", "Uno"}, {"DataUsc", " 06/03/2024 "}}});
    for (const char* cmd : {"cmdAvanti", "cmdIndietro", "cmdPrimo", "cmdUltimo"}) {
        h.Click(card.cmdNuovo);
        h.Click(card.Get<ui::Picture>(cmd));
        EXPECT_EQ(card.lblPosizione.Text(), "1") << cmd;
        EXPECT_EQ(card.txtVeicolo.Text(), "Uno") << cmd;
        EXPECT_EQ(card.txtDataUsc.Text(), "06/03/2024") << cmd;
        EXPECT_EQ(card.txtDataEnt.Text(), "") << cmd; // the record's, not today
    }
    AddVisits({{{"Veicolo", "Due"}}, {{"Veicolo", "Tre"}}});
    const struct {
        const char* from;
        const char* cmd;
        const char* to;
    } cases[] = {
        {"", "cmdAvanti", "1"},    {"", "cmdIndietro", "1"},  {"2", "cmdPrimo", "1"},
        {"1", "cmdUltimo", "3"},   {"2", "cmdAvanti", "3"},   {"3", "cmdAvanti", "3"},
        {"3", "cmdIndietro", "2"}, {"2", "cmdIndietro", "1"}, {"1", "cmdIndietro", "1"},
    };
    const char* veicoli[] = {"", "Uno", "Due", "Tre"};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " " + c.cmd);
        h.Click(card.cmdNuovo);
        card.lblPosizione.SetText(c.from);
        h.Click(card.Get<ui::Picture>(c.cmd));
        EXPECT_EQ(card.lblPosizione.Text(), c.to);
        EXPECT_EQ(card.txtVeicolo.Text(), std::string(c.from) == c.to ? "" : veicoli[std::stoi(c.to)]);
    }
}

TEST_F(GateTest, TodayAndNowPicturesFillTheirFieldOnly) {
    card.txtDataEnt.SetText("");
    card.txtOraEnt.SetText("");
    h.SetNow({*rtl::Date::FromYmd(2025, 1, 9), {23, 4, 0}});
    h.Focus(card.txtNote);
    h.Click(card.impDataUsc);
    EXPECT_EQ(card.txtDataUsc.Text(), "09/01/2025");
    EXPECT_EQ(card.txtDataEnt.Text(), "");
    h.Click(card.impOraUscita);
    EXPECT_EQ(card.txtOraUsc.Text(), "23:04");
    EXPECT_EQ(card.txtOraEnt.Text(), "");
    h.Click(card.impDataEnt);
    h.Click(card.impOraEnt);
    EXPECT_EQ(card.txtDataEnt.Text(), "09/01/2025");
    EXPECT_EQ(card.txtOraEnt.Text(), "23:04");
    EXPECT_EQ(card.Focused(), &card.txtNote);
}

TEST_F(GateTest, MaximumLengthsAreTheFieldCapacities) {
    const int capacities[] = {10, 5, 50, 50, 30, 50, 250, 250, 50, 120, 120, 50, 250, 10, 5, 50};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(card.Campo(i).MaxLength(), capacities[i]) << i;
    TypeInto(card.txtVeicolo, std::string(51, 'a'));
    EXPECT_EQ(card.txtVeicolo.Text(), std::string(50, 'a'));
}

// Enter walks the chain; in a date field it opens the date picker with the
// field's routing tag. Exactly the focused edit stands on its yellow frame.
TEST_F(GateTest, EnterChainDatePickerAndOneYellowFrame) {
    const auto yellow = [&] {
        std::vector<std::string> shown;
        for (int i = 0; i < 16; ++i) {
            const std::string name = card.Campo(i).Name().substr(3);
            if (card.Get<ui::Rectangle>("eff" + name).Visible()) shown.push_back(name);
        }
        return shown;
    };
    const std::vector<ui::Edit*> chain = {
        &card.txtOraEnt,  &card.txtOperatoreEnt, &card.txtVeicolo, &card.txtTarga,   &card.txtConduttore,
        &card.txtPersone, &card.txtMerce,        &card.txtFoglio,  &card.txtTessere, &card.txtLuogo,
        &card.txtTelCel,  &card.txtNote,         &card.txtDataUsc};
    h.Focus(card.txtOraEnt);
    for (std::size_t i = 1; i < chain.size(); ++i) {
        h.Press(card, ui::vk::Return, U'\r');
        EXPECT_EQ(card.Focused(), chain[i]) << i;
        EXPECT_EQ(yellow(), std::vector<std::string>{chain[i]->Name().substr(3)});
    }
    h.Focus(card.txtOraUsc);
    h.Press(card, ui::vk::Return, U'\r');
    EXPECT_EQ(card.Focused(), &card.txtOperatoreUsc);
    h.Press(card, ui::vk::Return, U'\r');
    EXPECT_EQ(card.Focused(), &card.txtDataEnt);
    EXPECT_EQ(yellow(), std::vector<std::string>{"DataEnt"});

    // Enter in the entry date opens the picker tagged "dataent"; importing
    // writes the entry date only.
    card.txtDataUsc.SetText("");
    h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
        EXPECT_EQ(c.lblMemory.Text(), "dataent");
        EXPECT_EQ(c.Owner(), &card);
        h.PickDate(c.calAppuntamenti, *rtl::Date::FromYmd(2024, 2, 29));
        h.Click(c.btnImportaData);
    });
    h.Press(card, ui::vk::Return, U'\r');
    EXPECT_EQ(card.txtDataEnt.Text(), "29/02/2024");
    EXPECT_EQ(card.txtDataUsc.Text(), "");

    // A digit in the exit date opens the picker tagged "datausc" and changes
    // nothing until a date is imported; Delete empties the field.
    h.Focus(card.txtDataUsc);
    card.txtDataUsc.SetText("01/03/2024");
    h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
        EXPECT_EQ(c.lblMemory.Text(), "datausc");
        EXPECT_EQ(card.txtDataUsc.Text(), "01/03/2024");
        h.Click(c.btnAnnulla);
    });
    h.Press(card, '5', U'5');
    EXPECT_EQ(card.txtDataUsc.Text(), "01/03/2024");
    h.Press(card, ui::vk::Delete);
    EXPECT_EQ(card.txtDataUsc.Text(), "");
    EXPECT_EQ(h.ModalCount("TfrmCalendario"), 2);
}

TEST_F(GateTest, PlateIsUpperCasedAndTrimmedWhileTyping) {
    // A blank typed at the end goes at once; one typed inside stays.
    TypeInto(card.txtTarga, "ab 12c ");
    EXPECT_EQ(card.txtTarga.Text(), "AB12C");
    card.txtTarga.SetCaretPosition(2);
    h.Type(card, " x");
    EXPECT_EQ(card.txtTarga.Text(), "AB X12C");
    TypeInto(card.txtVeicolo, "fiat ");
    EXPECT_EQ(card.txtVeicolo.Text(), "fiat ");
}

TEST_F(GateTest, HintsOfTheCommandsAndTheBackground) {
    EXPECT_EQ(card.panInfo.Text(), "Pronto per archiviare una nuova scheda...");
    h.MouseMove(card.cmdNonUsciti);
    EXPECT_EQ(card.panInfo.Text(), "Visualizza l'elenco dei veicoli non ancora usciti.");
    h.MouseMove(card.impOraUscita);
    EXPECT_EQ(card.panInfo.Text(), "Inserisci ora corrente.");
    h.MouseMove(card.Get<ui::Control>("shpBox03"));
    EXPECT_EQ(card.panInfo.Text(), "");
    h.MouseMove(card.txtDataUsc);
    EXPECT_EQ(card.panInfo.Text(),
              "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.");
}

// The import fills make and model, plate and driver; the card keeps its
// number, so saving rewrites the card that was shown.
TEST_F(GateTest, VehicleImportKeepsTheCardNumber) {
    ts::AggiungiRecord(rtl::DataPath("Parco_Automezzi.pro"), common::TAutomezzoRec,
                       {{"Marca", "Fiat"}, {"Modello", "Panda"}, {"Targa", "AB123CD"}, {"Autista", "Luca"}});
    AddVisits({{{"DataEnt", "04/03/2024"}, {"OraEnt", "08:00"}, {"Veicolo", "Ospite"}, {"Targa", "X"}}});
    h.Click(card.cmdPrimo);
    h.OnModal<TfrmTrovaAutomezzi>([&](TfrmTrovaAutomezzi& s) {
        EXPECT_EQ(s.lblMemory.Text(), "registro");
        h.Click(s.btnCerca);
        h.DblClickItem(s.lstRecords, 0);
    });
    h.Click(card.impVeicolo);
    EXPECT_EQ(card.txtVeicolo.Text(), "Fiat Panda");
    EXPECT_EQ(card.txtTarga.Text(), "AB123CD");
    EXPECT_EQ(card.txtConduttore.Text(), "Luca");
    EXPECT_EQ(card.txtDataEnt.Text(), "04/03/2024");
    EXPECT_EQ(card.lblPosizione.Text(), "1");
    h.ExpectMessage(ui::DialogType::Information, gt::kModificata);
    h.Click(card.cmdSalva);
    EXPECT_EQ(Archive().size(), 1366u);
}
