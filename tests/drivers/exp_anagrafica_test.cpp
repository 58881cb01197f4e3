// The export of the driver archive: the grid, the file byte for byte, the
// questions, the failure message and the opening of the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drivers/ExpAnagrafica.h"
#include "platform/ui/Input.h"
#include "tests/drivers/DriverCard.h"
#include "tests/support/ExportFile.h"
#include "tests/support/Spreadsheet.h"
#include "tests/support/Windows.h"

namespace {

const std::string& kDomanda = ts::kDomandaEsportazione;
const std::string& kFatto = ts::kEsportazioneRiuscita;

// The file as the spreadsheet program reads it, written out by hand
// (windows-1252 bytes for the accented letters).
const std::pair<const char*, int> kIntestazioni[] = {{"Cognome e nome", 250},
                                                     {"Patenti di guida", 250},
                                                     {"Recapito preferenziale", 250},
                                                     {"Via e numero civico", 300},
                                                     {"Citt\xe0", 250},
                                                     {"Compensi pattuiti", 250},
                                                     {"Tel. casa", 200},
                                                     {"Tel. ufficio", 200},
                                                     {"Tel. cellulare", 200},
                                                     {"PEC", 250},
                                                     {"E-mail", 250},
                                                     {"Codice fiscale", 250},
                                                     {"Carta di credito n.", 250},
                                                     {"Data scadenza", 250},
                                                     {"Partita IVA", 250},
                                                     {"IBAN", 300},
                                                     {"Tipo veicolo", 250},
                                                     {"Marca e modello", 250},
                                                     {"Colore", 200},
                                                     {"Alimentazione", 200},
                                                     {"Targa", 200},
                                                     {"Programma ferie", 250},
                                                     {"Note", 400},
                                                     {"In ferie", 150},
                                                     {"Trasferte", 150}};

std::string FileAtteso(const std::vector<std::vector<std::string>>& righe) {
    return ts::FileEsportazione("Anagrafica Conduttori", kIntestazioni, righe);
}

std::string Xls(ts::Harness& h) {
    return rtl::ReadWholeFile(h.DataFolder() + "Conducenti.xls");
}

TEST(DriverExport, GridAndFileHoldEveryDriver) {
    ts::Harness h;
    dt::AggiungiConduttore({{"Conducente", "Rossi Mario"},
                            {"Patenti", "B, C"},
                            {"Recapito", "casa"},
                            {"Via", "via Roma 1"},
                            {"Cap", "47121"},
                            {"Citta", "Forlì"},
                            {"Prov", "FC"},
                            {"Compensi", "100"},
                            {"TelCasa", "0543"},
                            {"TelUff", "0544"},
                            {"TelCel", "333"},
                            {"Fax", "r@pec.it"},
                            {"Email", "r@x.it"},
                            {"CodFisc", "RSSMRA85T10A562S"},
                            {"Carta", "4111"},
                            {"ScadeCarta", "12/28"},
                            {"PartitaIva", "12345670017"},
                            {"Iban", "IT60X0542811101000000123456"},
                            {"Veicolo", "Furgone"},
                            {"Marca", "Iveco"},
                            {"Modello", "Daily"},
                            {"Colore", "Bianco"},
                            {"Alimentazione", "Gasolio"},
                            {"Targa", "AB123CD"},
                            {"Programma", "agosto"},
                            {"Note", "a<b & c"},
                            {"Ferie", "Sì"},
                            {"Trasferte", "No"},
                            {"File01", "patente.pdf"}});
    dt::AggiungiConduttore({{"Conducente", "Bianchi"}, {"Citta", "Roma"}, {"Marca", "Fiat"}});
    dt::AggiungiConduttore({{"Conducente", "Verdi"}});

    TfrmExpAnagrafica w(h.app);
    w.Show();
    EXPECT_EQ(w.Caption(), " Esporta archivio conduttori in Excel");
    ASSERT_EQ(w.grdRecords.RowCount(), 3);
    ASSERT_EQ(w.grdRecords.ColumnCount(), 26);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(w.grdRecords.Cell(0, r), std::to_string(r + 1));
    EXPECT_EQ(w.grdRecords.Cell(5, 0), "47121 Forlì FC");
    EXPECT_EQ(w.grdRecords.Cell(5, 1), " Roma ");
    EXPECT_EQ(w.grdRecords.Cell(18, 0), "Iveco Daily");
    EXPECT_EQ(w.grdRecords.Cell(18, 1), "Fiat ");
    EXPECT_EQ(w.grdRecords.Cell(18, 2), " ");
    EXPECT_EQ(w.grdRecords.Cell(24, 0), "Sì");
    EXPECT_EQ(w.grdRecords.Cell(25, 0), "No");

    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::Yes);
    h.Click(w.cmdEsporta);
    const std::vector<std::string> primo = {"Rossi Mario",
                                            "B, C",
                                            "casa",
                                            "via Roma 1",
                                            "47121 Forl\xec FC",
                                            "100",
                                            "0543",
                                            "0544",
                                            "333",
                                            "r@pec.it",
                                            "r@x.it",
                                            "RSSMRA85T10A562S",
                                            "4111",
                                            "12/28",
                                            "12345670017",
                                            "IT60X0542811101000000123456",
                                            "Furgone",
                                            "Iveco Daily",
                                            "Bianco",
                                            "Gasolio",
                                            "AB123CD",
                                            "agosto",
                                            "a&lt;b &amp; c",
                                            "S\xec",
                                            "No"};
    std::vector<std::string> secondo(25), terzo(25);
    secondo[0] = "Bianchi";
    secondo[4] = "Roma";
    secondo[17] = "Fiat";
    terzo[0] = "Verdi";
    EXPECT_EQ(Xls(h), FileAtteso({primo, secondo, terzo}));
    ASSERT_EQ(h.ShellOpened().size(), 1u);
    EXPECT_EQ(h.ShellOpened()[0], h.DataFolder() + "Conducenti.xls");
}

// The spreadsheet program reads every cell back as it was written: numbers
// with leading zeros, signs and accents included.
TEST(DriverExport, SpreadsheetProgramReadsEveryCell) {
    ts::Harness h;
    dt::AggiungiConduttore({{"Conducente", "Rossi Niccolò"},
                            {"Cap", "00184"},
                            {"Citta", "Roma"},
                            {"Prov", "RM"},
                            {"TelCasa", "0543 123456"},
                            {"TelCel", "+39 333 1234567"},
                            {"Carta", "4111111111111111"},
                            {"PartitaIva", "01234567890"},
                            {"Note", "=1+1 & <più>"},
                            {"Ferie", "Sì"},
                            {"Trasferte", "No"}});
    TfrmExpAnagrafica w(h.app);
    w.Show();
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::No);
    h.Click(w.cmdEsporta);
    auto celle = ts::CelleFoglioDiCalcolo(h.DataFolder() + "Conducenti.xls");
    ASSERT_EQ(celle.size(), 2u);
    ASSERT_EQ(celle[0].size(), 25u);
    EXPECT_EQ(celle[0][3], "Via e numero civico");
    EXPECT_EQ(celle[0][24], "Trasferte");
    std::vector<std::string> attesa(25);
    attesa[0] = "Rossi Niccolò";
    attesa[4] = "00184 Roma RM";
    attesa[6] = "0543 123456";
    attesa[8] = "+39 333 1234567";
    attesa[12] = "4111111111111111";
    attesa[14] = "01234567890";
    attesa[22] = "=1+1 & <più>";
    attesa[23] = "Sì";
    attesa[24] = "No";
    celle[1].resize(25);
    EXPECT_EQ(celle[1], attesa);
}

TEST(DriverExport, CutShortLastRecordIsNotExported) {
    ts::Harness h;
    dt::AggiungiConduttore({{"Conducente", "Rossi"}});
    std::string file = dt::Archivio();
    file += file.substr(0, 3000);
    rtl::WriteWholeFile(h.DataFolder() + "Conducenti.pro", file);
    TfrmExpAnagrafica w(h.app);
    w.Show();
    EXPECT_EQ(w.grdRecords.RowCount(), 1);
    EXPECT_TRUE(w.GrigliaCompleta());
    EXPECT_EQ(dt::Archivio(), file);
}

TEST(DriverExport, EmptyOrMissingArchiveWritesTenEmptyRows) {
    ts::Harness h;
    TfrmExpAnagrafica w(h.app);
    w.Show();
    EXPECT_TRUE(rtl::FileExists(h.DataFolder() + "Conducenti.pro"));
    EXPECT_EQ(w.grdRecords.RowCount(), 10);
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::No);
    h.Click(w.cmdEsporta);
    EXPECT_EQ(Xls(h), FileAtteso(std::vector<std::vector<std::string>>(10, std::vector<std::string>(25))));
    EXPECT_TRUE(h.ShellOpened().empty());
}

// Typing into the two open columns reaches the file, never the archive; the
// other columns refuse typing.
TEST(DriverExport, OpenColumnsReachTheFileOnly) {
    ts::Harness h;
    dt::AggiungiConduttore({{"Conducente", "Rossi"}, {"Ferie", "No"}, {"Trasferte", "No"}});
    const std::string prima = dt::Archivio();
    TfrmExpAnagrafica w(h.app);
    w.Show();
    for (int col = 0; col < 26; ++col) {
        const std::string cella = w.grdRecords.Cell(col, 0);
        const bool aperta = col >= 24;
        EXPECT_EQ(ui::input::EditCell(w.grdRecords, col, 0, "Sì"), aperta) << col;
        EXPECT_EQ(w.grdRecords.Cell(col, 0), aperta ? "Sì" : cella) << col;
    }
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::No);
    h.Click(w.cmdEsporta);
    std::vector<std::string> riga(25);
    riga[0] = "Rossi";
    riga[23] = riga[24] = "S\xec";
    EXPECT_EQ(Xls(h), FileAtteso({riga}));
    EXPECT_EQ(dt::Archivio(), prima);
}

TEST(DriverExport, NoKeepsTheEarlierFileAndFailuresAreReported) {
    ts::Harness h;
    rtl::WriteWholeFile(h.DataFolder() + "Conducenti.xls", "precedente");
    {
        TfrmExpAnagrafica w(h.app);
        w.Show();
        h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::No);
        h.Click(w.cmdEsporta);
        EXPECT_EQ(Xls(h), "precedente");
    }
    const std::string kFallita = "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                 "Accertarsi che il file di Excel non sia già aperto.";
    {
        // An archive that cannot be read leaves an incomplete grid, which is
        // not exported; the archive is neither re-created nor changed.
        rtl::DeleteFile(h.DataFolder() + "Conducenti.pro");
        rtl::CreateFolders(h.DataFolder() + "Conducenti.pro");
        TfrmExpAnagrafica w(h.app);
        w.Show();
        EXPECT_FALSE(w.GrigliaCompleta());
        h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
        h.ExpectShowMessage(kFallita);
        h.Click(w.cmdEsporta);
        EXPECT_EQ(Xls(h), "precedente");
        EXPECT_TRUE(w.Visible());
    }
    EXPECT_TRUE(h.ShellOpened().empty());
}

TEST(DriverExport, HintsAndHelp) {
    ts::Harness h;
    TfrmExpAnagrafica w(h.app);
    w.Show();
    ts::VerificaSuggerimentiEsportazione(h, w);
    const auto [titolo, testo] = ts::ApriGuida(h, w.cmdGuida);
    EXPECT_EQ(titolo, "Esportazione archivio conduttori in Excel");
    EXPECT_EQ(
        testo.rfind("Il pulsante Esporta archivio consente di esportare tutte le schede dei conduttori", 0),
        0u);
    h.Click(w.cmdEsci);
    EXPECT_FALSE(w.Visible());
}

} // namespace
