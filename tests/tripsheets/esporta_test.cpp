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
    std::string Xls() const { return rtl::ReadWholeFile(Path("Fogli_di_Marcia.xls")); }
    void ExportNow(TfrmExpFogli& w, ui::Answer open = ui::Answer::No) {
        h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
        h.ExpectMessage(ui::DialogType::Confirmation, kFatto, open);
        h.Click(w.cmdEsporta);
        h.Verify();
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
    AddSheet(primo);
    AddSheet({{"NumFoglio", "2"}, {"Targa", "ZZ999ZZ"}});
    AddSheet({{"NumFoglio", "3"}});

    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    ASSERT_EQ(w.grdRecords.RowCount(), 3);
    ASSERT_EQ(w.grdRecords.ColumnCount(), 22);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(w.grdRecords.Cell(0, r), std::to_string(r + 1));
    EXPECT_EQ(w.grdRecords.Cell(1, 0), "è1");
    EXPECT_EQ(w.grdRecords.Cell(21, 0), "è21");
    EXPECT_EQ(w.grdRecords.Cell(10, 1), "ZZ999ZZ");

    // An edited cell reaches the file, not the archive.
    const std::string archivio = Archive();
    h.EditCell(w.grdRecords, 7, 1, "Rossi corretto");
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::Yes);
    h.Click(w.cmdEsporta);
    std::vector<std::string> secondo(21), terzo(21);
    secondo[0] = "2";
    secondo[6] = "Rossi corretto";
    secondo[9] = "ZZ999ZZ";
    terzo[0] = "3";
    EXPECT_EQ(Xls(), FileAtteso({cellePrimo, secondo, terzo}));
    EXPECT_EQ(Archive(), archivio);
    ASSERT_EQ(h.ShellOpened().size(), 1u);
    EXPECT_EQ(h.ShellOpened()[0], Path("Fogli_di_Marcia.xls"));
}

TEST_F(ExportTest, EmptyYearWritesTenEmptyRows) {
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    EXPECT_EQ(w.grdRecords.RowCount(), 10);
    ExportNow(w);
    EXPECT_EQ(Xls(), FileAtteso(std::vector<std::vector<std::string>>(10, std::vector<std::string>(21))));
    EXPECT_TRUE(h.ShellOpened().empty());
}

TEST_F(ExportTest, TwoYearsInTurnLeaveTheLast) {
    AddSheet({{"NumFoglio", "23"}}, Path("2023.fdm"));
    AddSheet({{"NumFoglio", "24"}});
    fogli.lblFile.SetText(Path("2023.fdm"));
    {
        TfrmExpFogli w(h.app, &fogli);
        w.ImpostaArchivio(OpenArchive());
        w.Show();
        ExportNow(w);
    }
    fogli.lblFile.SetText(ArchivePath());
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    ExportNow(w);
    std::vector<std::string> riga(21);
    riga[0] = "24";
    EXPECT_EQ(Xls(), FileAtteso({riga}));
}

TEST_F(ExportTest, NoKeepsTheEarlierFileAndAFailureIsReported) {
    rtl::WriteWholeFile(Path("Fogli_di_Marcia.xls"), "precedente");
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::No);
    h.Click(w.cmdEsporta);
    h.Verify();
    EXPECT_EQ(Xls(), "precedente");

    rtl::DeleteFile(Path("Fogli_di_Marcia.xls"));
    rtl::CreateFolders(Path("Fogli_di_Marcia.xls"));
    h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
    h.ExpectShowMessage("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                        "Accertarsi che il file di Excel non sia già aperto.");
    h.Click(w.cmdEsporta);
    h.Verify();
    EXPECT_TRUE(h.ShellOpened().empty());
}

TEST_F(ExportTest, OnlyTheOpenColumnsTakeTyping) {
    AddSheet({{"NumFoglio", "1"}});
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    for (int col = 0; col < 22; ++col) {
        const bool modificabile = col == 5 || col >= 7;
        EXPECT_EQ(ui::input::EditCell(w.grdRecords, col, 0, "x"), modificabile) << col;
    }
    EXPECT_EQ(w.grdRecords.Cell(8, 0), "x");
}

TEST_F(ExportTest, HintsAndHelp) {
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(OpenArchive());
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
    AddSheet({{"NumFoglio", "15"},
              {"DataApertura", "05/03/2024"},
              {"OraApertura", "09:07"},
              {"Ufficio", "Forlì & più"},
              {"Conduttore", "Niccolò <Rossi>"},
              {"TelCel", "+39 333"},
              {"KmPar01", "12345"},
              {"ImportoTot", "12,50"},
              {"KmPercorsi", "-150"}});
    TfrmExpFogli w(h.app, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    ExportNow(w);
    const std::string cmd = "cd '" + h.DataFolder() + "' && HOME='" + h.DataFolder() +
                            "' soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' "
                            "Fogli_di_Marcia.xls >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string csv = rtl::ReadWholeFile(Path("Fogli_di_Marcia.csv"));
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
