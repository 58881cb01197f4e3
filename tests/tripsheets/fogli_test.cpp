// The trip-sheet window: showing, New with its number, Save against bytes
// written by hand, the required fields, browsing, closing.
#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/Ini.h"
#include "tests/tripsheets/TripSheet.h"

using tt::SheetTest;

namespace {

std::uint8_t Len(const std::string& file, std::size_t at) {
    return std::uint8_t(file.at(at));
}

// A field as stored: the text after the length byte at `at`.
std::string Stored(const std::string& file, std::size_t at) {
    return file.substr(at + 1, Len(file, at));
}

// Fills an edit straight, as the commands of the window do.
void Set(TfrmFogli& f, const char* campo, const std::string& testo) {
    f.Campo(campo).SetText(testo);
}

} // namespace

TEST_F(SheetTest, ShowingStartsAnEmptySheetWithDateTimeAndOffice) {
    EXPECT_EQ(fogli.txtDataApertura.Text(), "05/03/2024");
    EXPECT_EQ(fogli.txtOraApertura.Text(), "09:07");
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "");
    EXPECT_EQ(fogli.lblPosizione.Text(), "");
    EXPECT_EQ(fogli.txtUfficio.Text(), "");
    EXPECT_EQ(fogli.Focused(), &fogli.txtNumFoglio);
    EXPECT_FALSE(rtl::FileExists(ArchivePath())); // showing opens no archive

    // A sheet of the previous showing never survives: everything but the
    // office read from the settings file is reset.
    rtl::IniFile(Path("Fogli_di_Marcia.ini"))
        .WriteString("Fogli di Marcia", "Ufficio Emittente", "Sede di Bari");
    FillRequired("77");
    Set(fogli, "LuogoArr08", "Napoli");
    Set(fogli, "KmPercorsi", "120");
    fogli.lblPosizione.SetText("4");
    fogli.Hide();
    fogli.Show();
    EXPECT_EQ(fogli.txtUfficio.Text(), "Sede di Bari");
    for (const auto& e : common::TFoglioRec.Elements()) {
        if (e.name == "Ufficio" || e.name == "DataApertura" || e.name == "OraApertura") continue;
        EXPECT_EQ(fogli.Campo(e.name).Text(), "") << e.name;
    }
    EXPECT_EQ(fogli.lblPosizione.Text(), "");
}

// An unreadable settings file is reported with its own text; the sheet is
// reset and focused all the same, with no office.
TEST_F(SheetTest, ShowingResetsAlsoWhenTheOfficeCannotBeRead) {
    FillRequired("5");
    fogli.lblPosizione.SetText("3");
    fogli.Hide();
    rtl::CreateFolders(Path("Fogli_di_Marcia.ini"));
    std::string failure;
    try {
        rtl::IniFile(Path("Fogli_di_Marcia.ini")).ReadString("Fogli di Marcia", "Ufficio Emittente");
    } catch (const std::exception& e) {
        failure = e.what();
    }
    ASSERT_FALSE(failure.empty());
    h.ExpectMessage(ui::DialogType::Error, failure);
    fogli.Show();
    h.Verify();
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "");
    EXPECT_EQ(fogli.txtUfficio.Text(), "");
    EXPECT_EQ(fogli.txtConduttore.Text(), "");
    EXPECT_EQ(fogli.lblPosizione.Text(), "");
    EXPECT_EQ(fogli.Focused(), &fogli.txtNumFoglio);
}

TEST_F(SheetTest, NewProposesStartPlusSheetsStored) {
    // No settings file, empty year: the archive is created and 1 proposed.
    fogli.txtUfficio.SetText("Ufficio Roma");
    Set(fogli, "DataChiusura", "01/01/2024");
    h.SetNow(rtl::DateTime{*rtl::Date::FromYmd(2024, 3, 6), {17, 45, 0}});
    h.Click(fogli.cmdNuovo);
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "1");
    EXPECT_EQ(fogli.lblInizio.Text(), "1");
    EXPECT_EQ(fogli.txtDataApertura.Text(), "06/03/2024");
    EXPECT_EQ(fogli.txtOraApertura.Text(), "17:45");
    EXPECT_EQ(fogli.txtDataChiusura.Text(), "");
    EXPECT_EQ(fogli.txtUfficio.Text(), "Ufficio Roma");
    EXPECT_EQ(fogli.Focused(), &fogli.txtConduttore);
    EXPECT_TRUE(rtl::FileExists(ArchivePath()));
    EXPECT_EQ(Archive(), "");

    // Start 100 and twelve sheets: 112 proposed, and the save is record 13.
    rtl::WriteWholeFile(Path("Fogli_di_Marcia.ini"), "[Numerazione Fogli di Marcia]\r\nInizio=100\r\n");
    for (int i = 0; i < 12; ++i)
        AddSheet({{"NumFoglio", std::to_string(100 + i)}});
    h.Click(fogli.cmdNuovo);
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "112");
    EXPECT_EQ(fogli.lblInizio.Text(), "100");
    FillRequired("112");
    Save(tt::kInserita);
    EXPECT_EQ(fogli.lblPosizione.Text(), "13");
    EXPECT_EQ(Archive().size(), 13u * 3373u);
}

// A start number that is no whole number, or too large to add the count to,
// ends New with the access error after the reset: no number, no overflow.
TEST_F(SheetTest, NewWithABadStartNumberReportsAfterTheReset) {
    AddSheet({{"NumFoglio", "1"}});
    for (const char* inizio : {"abc", "12,5", "9223372036854775807"}) {
        SCOPED_TRACE(inizio);
        rtl::WriteWholeFile(Path("Fogli_di_Marcia.ini"),
                            std::string("[Numerazione Fogli di Marcia]\r\nInizio=") + inizio + "\r\n");
        FillRequired("9");
        fogli.lblPosizione.SetText("1");
        h.ExpectMessage(ui::DialogType::Error, tt::kErroreArchivio);
        h.Click(fogli.cmdNuovo);
        h.Verify();
        EXPECT_EQ(fogli.txtNumFoglio.Text(), "");
        EXPECT_EQ(fogli.txtConduttore.Text(), "");
        EXPECT_EQ(fogli.lblPosizione.Text(), "");
    }
    // The largest start that still fits works.
    rtl::WriteWholeFile(Path("Fogli_di_Marcia.ini"),
                        "[Numerazione Fogli di Marcia]\r\nInizio=9223372036854775806\r\n");
    h.Click(fogli.cmdNuovo);
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "9223372036854775807");
}

// The record as stored, checked against offsets, length bytes and the code
// page written by hand.
TEST_F(SheetTest, SaveWritesTheRecordByteByByte) {
    FillRequired("  15 ");
    Set(fogli, "OraChiusura", "18:30");
    Set(fogli, "Ufficio", "Città di Castello");
    Set(fogli, "LuogoPar01", "Roma");
    Set(fogli, "KmPar05", "123456789012");
    Set(fogli, "LuogoArr08", std::string(130, 'x')); // longer than the field
    Set(fogli, "Stazione02", "  Q8 € ");
    Set(fogli, "Litri03", "40");
    Set(fogli, "Importo03", "55,30");
    Set(fogli, "KmPercorsi", "-150");
    Save(tt::kInserita);
    EXPECT_EQ(fogli.lblPosizione.Text(), "1");
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "  15 "); // the edits keep their texts

    const std::string file = Archive();
    ASSERT_EQ(file.size(), 3373u);
    EXPECT_EQ(Stored(file, 0), "15");
    EXPECT_EQ(Stored(file, 21), "05/03/2024");
    EXPECT_EQ(Stored(file, 32), "09:07");
    EXPECT_EQ(Len(file, 38), 0); // open sheet
    EXPECT_EQ(Stored(file, 49), "18:30");
    EXPECT_EQ(Stored(file, 55), "Citt\xE0 di Castello");
    EXPECT_EQ(Stored(file, 176), "ROSSI MARIO");
    EXPECT_EQ(Stored(file, 227), "333 1234567");
    EXPECT_EQ(Stored(file, 258), "Fiat Panda");
    EXPECT_EQ(Stored(file, 379), "AB123CD");
    EXPECT_EQ(Len(file, 410), 0); // DataPar01
    EXPECT_EQ(Stored(file, 650), "Roma");
    EXPECT_EQ(Stored(file, 598), "123456789012");
    EXPECT_EQ(Len(file, 2705), 120);
    EXPECT_EQ(Stored(file, 2705), std::string(120, 'x'));
    EXPECT_EQ(Stored(file, 2998), "Q8 \x80");
    EXPECT_EQ(Stored(file, 3250), "40");
    EXPECT_EQ(Stored(file, 3281), "55,30");
    EXPECT_EQ(Len(file, 3294), 0); // LitriTot
    EXPECT_EQ(Stored(file, 3352), "-150");
}

TEST_F(SheetTest, TwoSavesAppendOnceThenRewrite) {
    AddSheet({{"NumFoglio", "A"}});
    FillRequired("2");
    Save(tt::kInserita);
    EXPECT_EQ(fogli.lblPosizione.Text(), "2");
    fogli.txtConduttore.SetText("BIANCHI");
    Save(tt::kModificata);
    EXPECT_EQ(fogli.lblPosizione.Text(), "2");
    const std::string file = Archive();
    ASSERT_EQ(file.size(), 2u * 3373u);
    EXPECT_EQ(Stored(file, 0), "A");
    EXPECT_EQ(Stored(file, 3373 + 176), "BIANCHI");
    // A second sheet with the same number is a record of its own.
    h.Click(fogli.cmdNuovo);
    FillRequired("2");
    Save(tt::kInserita);
    EXPECT_EQ(fogli.lblPosizione.Text(), "3");
}

// A damaged length byte is read as the capacity; a cut-short last record is
// no sheet, and the next append overwrites it.
TEST_F(SheetTest, DamagedArchiveIsReadAndTheFragmentOverwritten) {
    AddSheet({{"NumFoglio", "1"}, {"Targa", "AB"}});
    std::string file = Archive();
    file[379] = char(200); // Targa: capacity 30
    for (int i = 0; i < 30; ++i)
        file[380 + std::size_t(i)] = char('A' + i % 26);
    file += std::string(1000, 'z');
    rtl::WriteWholeFile(ArchivePath(), file);

    h.Click(fogli.cmdUltimo);
    EXPECT_EQ(fogli.lblPosizione.Text(), "1");
    EXPECT_EQ(fogli.txtTarga.Text(), "ABCDEFGHIJKLMNOPQRSTUVWXYZABCD");
    h.Click(fogli.cmdNuovo);
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "2");
    FillRequired("2");
    Save(tt::kInserita);
    EXPECT_EQ(fogli.lblPosizione.Text(), "2");
    EXPECT_EQ(Archive().size(), 2u * 3373u);
}

TEST_F(SheetTest, SaveChecksTheEightRequiredFieldsInOrder) {
    const struct {
        const char* campo;
        const char* message;
    } required[] = {
        {"NumFoglio",
         "Attenzione: per salvare la scheda è necessario indicare il numero progressivo del Foglio di "
         "Marcia."},
        {"DataApertura",
         "Attenzione: per salvare la scheda è necessario indicare la data di apertura del Foglio di Marcia."},
        {"OraApertura",
         "Attenzione: per salvare la scheda è necessario indicare l'ora di apertura del Foglio di Marcia."},
        {"Ufficio", "Attenzione: per salvare la scheda è necessario indicare l'Ufficio emittente."},
        {"Conduttore", "Attenzione: per salvare la scheda è necessario indicare il conduttore."},
        {"TelCel",
         "Attenzione: per salvare la scheda è necessario indicare il numero di cellulare del conduttore."},
        {"Veicolo",
         "Attenzione: per salvare la scheda è necessario indicare la marca e il modello del veicolo."},
        {"Targa", "Attenzione: per salvare la scheda è necessario indicare il numero di targa del veicolo."},
    };
    // With everything empty the number comes first.
    for (const auto& e : common::TFoglioRec.Elements())
        fogli.Campo(e.name).SetText("");
    h.Focus(fogli.Campo("LuogoPar03"));
    h.ExpectMessage(ui::DialogType::Warning, required[0].message);
    h.Click(fogli.cmdSalva);
    h.Verify();
    EXPECT_EQ(fogli.Focused(), &fogli.txtNumFoglio);
    // Each field missing alone (or only blanks) gives its own warning.
    for (const auto& r : required) {
        SCOPED_TRACE(r.campo);
        FillRequired("3");
        Set(fogli, "DataApertura", "05/03/2024");
        Set(fogli, "OraApertura", "09:00");
        Set(fogli, r.campo, "   ");
        h.Focus(fogli.txtKmPartenza);
        h.ExpectMessage(ui::DialogType::Warning, r.message);
        h.Click(fogli.cmdSalva);
        h.Verify();
        EXPECT_EQ(fogli.Focused(), &fogli.Campo(r.campo));
        EXPECT_EQ(fogli.lblPosizione.Text(), "");
    }
    EXPECT_FALSE(rtl::FileExists(ArchivePath()));
}

// The edit being typed in runs its exit rule before the record is filled.
TEST_F(SheetTest, SaveRunsTheExitRuleOfTheFocusedEdit) {
    FillRequired();
    TypeInto(fogli.txtImporto01, "12,5");
    Save(tt::kInserita);
    EXPECT_EQ(fogli.txtImporto01.Text(), "12,50");
    EXPECT_EQ(Stored(Archive(), 3255), "12,50");
}

TEST_F(SheetTest, BrowseAnEmptyArchive) {
    const struct {
        const char* cmd;
        ui::DialogType type;
    } cases[] = {{"cmdPrimo", ui::DialogType::Information},
                 {"cmdIndietro", ui::DialogType::Information},
                 {"cmdUltimo", ui::DialogType::Information}};
    for (const auto& c : cases) {
        fogli.lblPosizione.SetText("7");
        h.ExpectMessage(c.type, tt::kVuoto);
        h.Click(fogli.Get<ui::Picture>(c.cmd));
        h.Verify();
        EXPECT_EQ(fogli.lblPosizione.Text(), "7");
    }
    fogli.lblPosizione.SetText("7");
    h.ExpectMessage(ui::DialogType::Information, tt::kVuoto);
    h.Click(fogli.cmdAvanti);
    h.Verify();
    EXPECT_EQ(fogli.lblPosizione.Text(), "");
    EXPECT_TRUE(rtl::FileExists(ArchivePath()));
}

TEST_F(SheetTest, BrowseOneAndThreeSheets) {
    AddSheet({{"NumFoglio", "Uno"}, {"KmPercorsi", "999"}, {"DataChiusura", "01/02/2024"}});
    // One sheet: every command shows it, Previous from it and Next at it do
    // nothing.
    for (const char* cmd : {"cmdPrimo", "cmdUltimo", "cmdAvanti", "cmdIndietro"}) {
        fogli.PreparaNuovaScheda();
        h.Click(fogli.Get<ui::Picture>(cmd));
        EXPECT_EQ(fogli.lblPosizione.Text(), "1") << cmd;
        EXPECT_EQ(fogli.txtNumFoglio.Text(), "Uno") << cmd;
        EXPECT_EQ(fogli.txtKmPercorsi.Text(), "999") << cmd; // shown as stored
    }
    AddSheet({{"NumFoglio", "Due"}});
    AddSheet({{"NumFoglio", "Tre"}});
    const struct {
        const char* from;
        const char* cmd;
        const char* to;
    } cases[] = {
        {"2", "cmdPrimo", "1"},    {"2", "cmdUltimo", "3"},   {"2", "cmdAvanti", "3"},
        {"2", "cmdIndietro", "1"}, {"", "cmdAvanti", "1"},    {"", "cmdIndietro", "1"},
        {"3", "cmdIndietro", "2"}, {"1", "cmdIndietro", "1"}, {"3", "cmdAvanti", "3"},
    };
    const char* numeri[] = {"", "Uno", "Due", "Tre"};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " " + c.cmd);
        fogli.PreparaNuovaScheda();
        fogli.lblPosizione.SetText(c.from);
        h.Click(fogli.Get<ui::Picture>(c.cmd));
        EXPECT_EQ(fogli.lblPosizione.Text(), c.to);
        const bool moved = std::string(c.from) != c.to;
        EXPECT_EQ(fogli.txtNumFoglio.Text(), moved ? numeri[std::stoi(c.to)] : "");
    }
}

// Where the archive cannot be opened each command reports the access
// failure: Save and First as a warning, the others as an error.
TEST_F(SheetTest, AccessFailuresAndTheirKinds) {
    rtl::CreateFolders(ArchivePath()); // a folder where the archive should be
    const struct {
        const char* cmd;
        ui::DialogType type;
    } cases[] = {
        {"cmdPrimo", ui::DialogType::Warning}, {"cmdUltimo", ui::DialogType::Error},
        {"cmdAvanti", ui::DialogType::Error},  {"cmdIndietro", ui::DialogType::Error},
        {"cmdNuovo", ui::DialogType::Error},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cmd);
        fogli.lblPosizione.SetText("");
        h.ExpectMessage(c.type, tt::kErroreArchivio);
        h.Click(fogli.Get<ui::Picture>(c.cmd));
        h.Verify();
    }
    FillRequired();
    h.ExpectMessage(ui::DialogType::Warning, tt::kErroreArchivio);
    h.Click(fogli.cmdSalva);
    h.Verify();
    EXPECT_EQ(fogli.lblPosizione.Text(), "");
}

// Closing writes the office (also when empty), saves nothing and shows the
// start menu.
TEST_F(SheetTest, CloseRemembersTheOfficeOnly) {
    FillRequired();
    fogli.txtUfficio.SetText("  Sede centrale ");
    h.Click(fogli.cmdEsci);
    EXPECT_FALSE(fogli.Visible());
    EXPECT_TRUE(avvio.Visible());
    EXPECT_FALSE(rtl::FileExists(ArchivePath()));
    EXPECT_EQ(Ini(), "[Fogli di Marcia]\r\nUfficio Emittente=Sede centrale\r\n");

    fogli.Show();
    EXPECT_EQ(fogli.txtUfficio.Text(), "Sede centrale");
    fogli.txtUfficio.SetText("");
    h.CloseWindow(fogli);
    EXPECT_EQ(Ini(), "[Fogli di Marcia]\r\nUfficio Emittente=\r\n");
}

// A failed write is shown, and the start menu comes back all the same.
TEST_F(SheetTest, CloseWithAnUnwritableSettingsFileStillReturns) {
    rtl::CreateFolders(Path("Fogli_di_Marcia.ini"));
    avvio.Hide();
    std::string failure;
    try {
        rtl::IniFile(Path("Fogli_di_Marcia.ini")).WriteString("Fogli di Marcia", "Ufficio Emittente", "");
    } catch (const std::exception& e) {
        failure = e.what();
    }
    ASSERT_FALSE(failure.empty());
    fogli.txtUfficio.SetText("Sede di Roma"); // only a changed office is written
    h.ExpectMessage(ui::DialogType::Error, failure);
    h.Click(fogli.cmdEsci);
    h.Verify();
    EXPECT_FALSE(fogli.Visible());
    EXPECT_TRUE(avvio.Visible());
}

TEST_F(SheetTest, HintsOfTheCommands) {
    EXPECT_EQ(fogli.panInfo.Text(), "Pronto per archiviare un nuovo Foglio di Marcia...");
    const struct {
        ui::Control& c;
        const char* hint;
    } cases[] = {
        {fogli.cmdNuovo, "Prepara la schermata per l'emissione di un nuovo Foglio di Marcia."},
        {fogli.cmdSalva, "Salva o aggiorna il Foglio di Marcia corrente."},
        {fogli.cmdTrova, "Trova Fogli di Marcia in archivio."},
        {fogli.cmdAnteprima, "Visualizza l'anteprima di stampa del Foglio di Marcia corrente."},
        {fogli.cmdStampa, "Stampa il Foglio di Marcia corrente."},
        {fogli.cmdPrimo, "Visualizza il primo Foglio di Marcia in archivio."},
        {fogli.cmdIndietro, "Visualizza il Foglio di Marcia precedente in archivio."},
        {fogli.cmdAvanti, "Visualizza il Foglio di Marcia successivo in archivio."},
        {fogli.cmdUltimo, "Visualizza l'ultimo Foglio di Marcia in archivio."},
        {fogli.cmdFogliAperti, "Visualizza il riepilogo dei Fogli di Marcia non ancora chiusi."},
        {fogli.cmdEsporta, "Esporta le schede in archivio in un file di Excel."},
        {fogli.cmdNumerazione,
         "Imposta il numero iniziale per la numerazione automatica dei Fogli di Marcia."},
        {fogli.cmdGuida, "Visualizza la pagina della guida sensibile al contesto."},
        {fogli.cmdEsci, "Esci da questa schermata di lavoro."},
        {fogli.impConduttore, "Importa i dati dall'archivio dei conduttori."},
        {fogli.btnCalcolaRif,
         "Calcola il totale dei litri di carburante e l'importo complessivo pagato per i "
         "rifornimenti effettuati."},
        {fogli.btnCalcolaKm, "Calcola il totale dei chilometri percorsi."},
    };
    for (const auto& c : cases) {
        h.MouseMove(c.c);
        EXPECT_EQ(fogli.panInfo.Text(), c.hint);
        h.MouseMove(fogli.Get<ui::Control>("bkgPercorsi"));
        EXPECT_EQ(fogli.panInfo.Text(), "");
    }
}
