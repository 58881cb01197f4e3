// The export of the vehicle archive: the grid, the file byte for byte, the
// questions, the failure message and the opening of the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Records.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Input.h"
#include "tests/support/CardFixture.h"
#include "tests/support/ExportFile.h"
#include "tests/support/Harness.h"
#include "tests/support/Windows.h"
#include "vehicles/ExpAutoparco.h"

namespace {

const std::string& kDomanda = ts::kDomandaEsportazione;
const std::string& kFatto = ts::kEsportazioneRiuscita;

// The 25 exported fields in file order.
const char* const kCampi[] = {"Tipo",
                              "Destinazione",
                              "Marca",
                              "Modello",
                              "Targa",
                              "Anno",
                              "Colore",
                              "Telaio",
                              "Pneumatici",
                              "Stato",
                              "Chilometri",
                              "Alimentazione",
                              "Cilindrata",
                              "KW",
                              "Ambiente",
                              "Proprietario",
                              "Autista",
                              "TelAutista",
                              "Meccanico",
                              "TelMeccanico",
                              "ScadRevisione",
                              "ScadTagliando",
                              "ScadAssicurazione",
                              "ScadBollo",
                              "Note"};

void ScriviVeicoli(const std::vector<std::vector<std::pair<std::string, std::string>>>& veicoli) {
    for (const auto& v : veicoli) {
        ts::AggiungiRecord(rtl::DataPath("Parco_Automezzi.pro"), common::TAutomezzoRec, v);
    }
}

// The file as the spreadsheet program reads it, written out by hand
// (windows-1252 bytes for the accented letters).
const std::pair<const char*, int> kIntestazioni[] = {{"Tipo veicolo", 250},
                                                     {"Destinazione ed uso", 300},
                                                     {"Marca", 250},
                                                     {"Modello", 250},
                                                     {"Targa", 200},
                                                     {"Immatricolazione", 200},
                                                     {"Colore", 250},
                                                     {"Telaio", 250},
                                                     {"Pneumatici", 300},
                                                     {"Stato veicolo", 250},
                                                     {"Km percorsi", 250},
                                                     {"Alimentazione", 250},
                                                     {"Cilindrata", 250},
                                                     {"kW", 250},
                                                     {"Compatibilit\xe0 ambientale", 250},
                                                     {"Proprietario", 300},
                                                     {"Autista", 250},
                                                     {"Tel. autista", 200},
                                                     {"Meccanico", 250},
                                                     {"Tel. meccanico", 200},
                                                     {"Scad. revisione", 200},
                                                     {"Scad. tagliando", 200},
                                                     {"Scad. assicurazione", 200},
                                                     {"Scad. bollo", 200},
                                                     {"Note", 400}};

std::string FileAtteso(const std::vector<std::vector<std::string>>& righe) {
    return ts::FileEsportazione("Parco Automezzi", kIntestazioni, righe);
}

TEST(VehicleExport, GridAndFileHoldEveryVehicle) {
    ts::Harness h;
    std::vector<std::pair<std::string, std::string>> primo;
    std::vector<std::string> cellePrimo;
    int n = 0;
    for (const char* campo : kCampi) {
        ++n;
        primo.push_back({campo, " è" + std::to_string(n) + " "});
        cellePrimo.push_back("\xe8" + std::to_string(n));
    }
    primo.push_back({"Polizza", "non esportata"});
    primo.push_back({"File01", "libretto.pdf"});
    ScriviVeicoli({primo, {{"Tipo", "Furgone"}, {"Targa", "ZZ999ZZ"}}});

    TfrmExpAutoparco w(h.app);
    w.Show();
    ASSERT_EQ(w.grdRecords.RowCount(), 2);
    ASSERT_EQ(w.grdRecords.ColumnCount(), 26);
    EXPECT_EQ(w.grdRecords.Cell(0, 0), "1");
    EXPECT_EQ(w.grdRecords.Cell(0, 1), "2");
    EXPECT_EQ(w.grdRecords.Cell(1, 0), "è1");
    EXPECT_EQ(w.grdRecords.Cell(25, 0), "è25");
    EXPECT_EQ(w.grdRecords.Cell(5, 1), "ZZ999ZZ");

    // What is typed into an editable cell reaches the file only.
    h.EditCell(w.grdRecords, 4, 1, "Daily");
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::Yes);
    h.Click(w.cmdEsporta);

    std::vector<std::string> celleSecondo(25);
    celleSecondo[0] = "Furgone";
    celleSecondo[3] = "Daily";
    celleSecondo[4] = "ZZ999ZZ";
    EXPECT_EQ(rtl::ReadWholeFile(h.DataFolder() + "Parco_Automezzi.xls"),
              FileAtteso({cellePrimo, celleSecondo}));
    ASSERT_EQ(h.ShellOpened().size(), 1u);
    EXPECT_EQ(h.ShellOpened()[0], h.DataFolder() + "Parco_Automezzi.xls");
}

// Fields of a damaged archive holding control characters: the cells carry
// none of them, line breaks are written as ever, and the rest of the file is
// what it is without them.
TEST(VehicleExport, ControlCharactersOfADamagedArchiveStayOutOfTheFile) {
    ts::Harness h;
    ScriviVeicoli({{{"Tipo", std::string("Fur\0gone", 8)},
                    {"Marca", "Ive\x01"
                              "co\x7F"},
                    {"Modello", "\x7F"
                                "Daily\x1F"
                                "35"},
                    {"Targa", "ZZ999ZZ"},
                    {"Note", "riga\x1F\r\ndue\x7F"
                             " tre"}}});
    TfrmExpAutoparco w(h.app);
    w.Show();
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::No);
    h.Click(w.cmdEsporta);
    std::vector<std::string> celle(25);
    celle[0] = "Furgone";
    celle[2] = "Iveco";
    celle[3] = "Daily35";
    celle[4] = "ZZ999ZZ";
    celle[24] = "riga&#13;&#10;due tre";
    EXPECT_EQ(rtl::ReadWholeFile(h.DataFolder() + "Parco_Automezzi.xls"), FileAtteso({celle}));
}

TEST(VehicleExport, EmptyArchiveWritesTenEmptyRows) {
    ts::Harness h;
    TfrmExpAutoparco w(h.app);
    w.Show();
    EXPECT_EQ(w.grdRecords.RowCount(), 10);
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::No);
    h.Click(w.cmdEsporta);
    EXPECT_EQ(rtl::ReadWholeFile(h.DataFolder() + "Parco_Automezzi.xls"),
              FileAtteso(std::vector<std::vector<std::string>>(10, std::vector<std::string>(25))));
    EXPECT_TRUE(h.ShellOpened().empty());
}

TEST(VehicleExport, NoKeepsTheEarlierFileAndAFailureIsReported) {
    ts::Harness h;
    rtl::WriteWholeFile(h.DataFolder() + "Parco_Automezzi.xls", "precedente");
    TfrmExpAutoparco w(h.app);
    w.Show();
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::No);
    h.Click(w.cmdEsporta);
    EXPECT_EQ(rtl::ReadWholeFile(h.DataFolder() + "Parco_Automezzi.xls"), "precedente");

    rtl::DeleteFile(h.DataFolder() + "Parco_Automezzi.xls");
    rtl::CreateFolders(h.DataFolder() + "Parco_Automezzi.xls"); // cannot be written as a file
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectShowMessage("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                        "Accertarsi che il file di Excel non sia già aperto.");
    h.Click(w.cmdEsporta);
    EXPECT_TRUE(w.Visible());
    EXPECT_TRUE(h.ShellOpened().empty());
}

TEST(VehicleExport, OnlyTheOpenColumnsTakeTypingAndTheArchiveNeverChanges) {
    ts::Harness h;
    ScriviVeicoli({{{"Tipo", "Furgone"}, {"Targa", "ZZ999ZZ"}}});
    const std::string prima = rtl::ReadWholeFile(h.DataFolder() + "Parco_Automezzi.pro");
    TfrmExpAutoparco w(h.app);
    w.Show();
    // Grid column 0 is the record number; then the fields in file order.
    const bool modificabile[26] = {false, false, false, false, true,  true, true,  true, false,
                                   false, true,  false, false, false, true, false, true, false,
                                   true,  true,  true,  true,  true,  true, true,  true};
    for (int col = 0; col < 26; ++col) {
        const std::string prima_cella = w.grdRecords.Cell(col, 0);
        EXPECT_EQ(ui::input::EditCell(w.grdRecords, col, 0, "x"), modificabile[col]) << col;
        EXPECT_EQ(w.grdRecords.Cell(col, 0), modificabile[col] ? "x" : prima_cella) << col;
    }
    EXPECT_EQ(rtl::ReadWholeFile(h.DataFolder() + "Parco_Automezzi.pro"), prima);
}

TEST(VehicleExport, HintsAndHelp) {
    ts::Harness h;
    TfrmExpAutoparco w(h.app);
    w.Show();
    ts::VerificaSuggerimentiEsportazione(h, w);
    const auto [titolo, testo] = ts::ApriGuida(h, w.cmdGuida);
    EXPECT_EQ(titolo, "Esportazione archivio veicoli in Microsoft Excel");
    EXPECT_EQ(testo.rfind("Il pulsante Esporta archivio consente", 0), 0u);
}

} // namespace
