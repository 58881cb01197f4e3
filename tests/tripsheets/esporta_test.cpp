// The export of a trip-sheet year: the grid, the file byte for byte, the
// questions and the failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/Input.h"
#include "tests/support/ExportFile.h"
#include "tests/support/Windows.h"
#include "tests/tripsheets/TripSheet.h"
#include "tripsheets/ExpFogli.h"

using tt::SheetTest;

namespace {

const std::string& kDomanda = ts::kDomandaEsportazione;
const std::string& kFatto = ts::kEsportazioneRiuscita;

// The file as the spreadsheet program reads it, written out by hand.
const std::pair<const char*, int> kIntestazioni[] = {{"Foglio di Marcia n.", 200},
                                                     {"Data apertura", 180},
                                                     {"Ora apertura", 180},
                                                     {"Data chiusura", 180},
                                                     {"Ora chiusura", 180},
                                                     {"Ufficio emittente", 250},
                                                     {"Conduttore", 250},
                                                     {"Tel. cel.", 200},
                                                     {"Marca e modello veicolo", 300},
                                                     {"Targa", 200},
                                                     {"Data partenza", 180},
                                                     {"Ora partenza", 180},
                                                     {"Km partenza", 200},
                                                     {"Luogo partenza", 300},
                                                     {"Data arrivo", 180},
                                                     {"Ora arrivo", 180},
                                                     {"Km arrivo", 200},
                                                     {"Luogo arrivo", 300},
                                                     {"Tot. litri carburante", 200},
                                                     {"Tot. spesa carburante", 200},
                                                     {"Tot. km percorsi", 400}};

std::string FileAtteso(const std::vector<std::vector<std::string>>& righe) {
    return ts::FileEsportazione("Riepilogo Fogli di Marcia", kIntestazioni, righe);
}

// The 21 exported fields in file order.
const char* const kCampi[] = {
    "NumFoglio", "DataApertura", "OraApertura", "DataChiusura", "OraChiusura", "Ufficio",    "Conduttore",
    "TelCel",    "Veicolo",      "Targa",       "DataPar01",    "OraPar01",    "KmPar01",    "LuogoPar01",
    "DataArr01", "OraArr01",     "KmArr01",     "LuogoArr01",   "LitriTot",    "ImportoTot", "KmPercorsi"};

class ExportTest : public SheetTest {
protected:
    std::string Xls() const { return rtl::ReadWholeFile(path("Fogli_di_Marcia.xls")); }
    void ExportNow(TfrmExpFogli& w, ui::Answer open = ui::Answer::No) {
        h.expectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
        h.expectMessage(ui::DialogType::Confirmation, kFatto, open);
        h.click(w.cmdEsporta);
        h.verify();
    }
};

} // namespace

TEST_F(ExportTest, GridAndFileHoldEverySheet) {
    std::map<std::string, std::string> primo;
    std::vector<std::string> cellePrimo;
    int n = 0;
    for (const char* campo : kCampi) {
        primo[campo] = " è" + std::to_string(++n) + " ";
        cellePrimo.push_back("\xe8" + std::to_string(n));
    }
    primo["LuogoPar02"] = "non esportato";
    primo["KmPartenza"] = "100";
    primo["Veicolo"] = "Fiat <Panda> & co";
    cellePrimo[8] = "Fiat &lt;Panda&gt; &amp; co";
    addSheet(primo);
    addSheet({{"NumFoglio", "2"}, {"Targa", "ZZ999ZZ"}});
    addSheet({{"NumFoglio", "3"}});

    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(openArchive());
    w.Show();
    ASSERT_EQ(w.grdRecords.RowCount(), 3);
    ASSERT_EQ(w.grdRecords.ColumnCount(), 22);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(w.grdRecords.Cell(0, r), std::to_string(r + 1));
    EXPECT_EQ(w.grdRecords.Cell(1, 0), "è1");
    EXPECT_EQ(w.grdRecords.Cell(21, 0), "è21");
    EXPECT_EQ(w.grdRecords.Cell(10, 1), "ZZ999ZZ");

    // An edited cell reaches the file, not the archive.
    const std::string archivio = archive();
    h.editCell(w.grdRecords, 7, 1, "Rossi corretto");
    h.expectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.expectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::Yes);
    h.click(w.cmdEsporta);
    std::vector<std::string> secondo(21), terzo(21);
    secondo[0] = "2";
    secondo[6] = "Rossi corretto";
    secondo[9] = "ZZ999ZZ";
    terzo[0] = "3";
    EXPECT_EQ(Xls(), FileAtteso({cellePrimo, secondo, terzo}));
    EXPECT_EQ(archive(), archivio);
    ASSERT_EQ(h.shellOpened().size(), 1u);
    EXPECT_EQ(h.shellOpened()[0], path("Fogli_di_Marcia.xls"));
}

TEST_F(ExportTest, EmptyYearWritesTenEmptyRows) {
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(openArchive());
    w.Show();
    EXPECT_EQ(w.grdRecords.RowCount(), 10);
    ExportNow(w);
    EXPECT_EQ(Xls(), FileAtteso(std::vector<std::vector<std::string>>(10, std::vector<std::string>(21))));
    EXPECT_TRUE(h.shellOpened().empty());
}

TEST_F(ExportTest, TwoYearsInTurnLeaveTheLast) {
    addSheet({{"NumFoglio", "23"}}, path("2023.fdm"));
    addSheet({{"NumFoglio", "24"}});
    fogli.lblFile.SetText(path("2023.fdm"));
    {
        TfrmExpFogli w(h.app, &fogli);
        w.ImpostaArchivio(openArchive());
        w.Show();
        ExportNow(w);
    }
    fogli.lblFile.SetText(archivePath());
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(openArchive());
    w.Show();
    ExportNow(w);
    std::vector<std::string> riga(21);
    riga[0] = "24";
    EXPECT_EQ(Xls(), FileAtteso({riga}));
}

TEST_F(ExportTest, NoKeepsTheEarlierFileAndAFailureIsReported) {
    rtl::WriteWholeFile(path("Fogli_di_Marcia.xls"), "precedente");
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(openArchive());
    w.Show();
    h.expectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::No);
    h.click(w.cmdEsporta);
    h.verify();
    EXPECT_EQ(Xls(), "precedente");

    rtl::DeleteFile(path("Fogli_di_Marcia.xls"));
    rtl::CreateFolders(path("Fogli_di_Marcia.xls"));
    h.expectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.expectShowMessage("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                        "Accertarsi che il file di Excel non sia già aperto.");
    h.click(w.cmdEsporta);
    h.verify();
    EXPECT_TRUE(h.shellOpened().empty());
}

TEST_F(ExportTest, OnlyTheOpenColumnsTakeTyping) {
    addSheet({{"NumFoglio", "1"}});
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(openArchive());
    w.Show();
    for (int col = 0; col < 22; ++col) {
        const bool modificabile = col == 5 || col >= 7;
        EXPECT_EQ(ui::input::EditCell(w.grdRecords, col, 0, "x"), modificabile) << col;
    }
    EXPECT_EQ(w.grdRecords.Cell(8, 0), "x");
}

TEST_F(ExportTest, HintsAndHelp) {
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(openArchive());
    w.Show();
    EXPECT_EQ(w.Caption(), " Esporta archivio Fogli di Marcia in Microsoft Excel");
    ts::VerificaSuggerimentiEsportazione(h, w);
    const auto [titolo, testo] = ts::ApriGuida(h, w.cmdGuida);
    EXPECT_EQ(titolo, "Esportazione archivio Fogli di Marcia in Excel");
    EXPECT_EQ(std::count(testo.begin(), testo.end(), '\n'), 4); // three paragraphs
}

// The spreadsheet program reads every cell back as written: checked with
// LibreOffice when it is installed.
TEST_F(ExportTest, SpreadsheetProgramReadsEveryCell) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "soffice is not installed";
    addSheet({{"NumFoglio", "15"},
              {"DataApertura", "05/03/2024"},
              {"OraApertura", "09:07"},
              {"Ufficio", "Forlì & più"},
              {"Conduttore", "Niccolò <Rossi>"},
              {"TelCel", "+39 333"},
              {"KmPar01", "12345"},
              {"ImportoTot", "12,50"},
              {"KmPercorsi", "-150"}});
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(openArchive());
    w.Show();
    ExportNow(w);
    const std::string cmd = "cd '" + h.dataFolder() + "' && HOME='" + h.dataFolder() +
                            "' soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' "
                            "Fogli_di_Marcia.xls >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string csv = rtl::ReadWholeFile(path("Fogli_di_Marcia.csv"));
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "Foglio di Marcia n.,Data apertura,Ora apertura,Data chiusura,Ora chiusura,Ufficio emittente,"
              "Conduttore,Tel. cel.,Marca e modello veicolo,Targa,Data partenza,Ora partenza,Km partenza,"
              "Luogo partenza,Data arrivo,Ora arrivo,Km arrivo,Luogo arrivo,Tot. litri carburante,"
              "Tot. spesa carburante,Tot. km percorsi");
    EXPECT_NE(
        csv.find("\n15,05/03/2024,09:07,,,Forl\xC3\xAC & pi\xC3\xB9,Niccol\xC3\xB2 <Rossi>,+39 333,,,,,12345,"
                 ",,,,,,\"12,50\",-150"),
        std::string::npos)
        << csv;
}
