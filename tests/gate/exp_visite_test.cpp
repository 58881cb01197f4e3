// The export of a visit year: the grid, the file byte for byte, an empty
// year, and escaping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gate/ExpVisite.h"
#include "tests/gate/GateFixture.h"
#include "tests/support/ExportFile.h"

using gt::GateTest;

namespace {

const std::string& kDomanda = ts::kDomandaEsportazione;
const std::string& kFatto = ts::kEsportazioneRiuscita;

// The file written out by hand: head, header row, data rows, end.
const std::pair<const char*, int> kHeaders[] = {{"Data ingresso", 180},
                                                {"Ora ingresso", 180},
                                                {"Operatore entrata", 250},
                                                {"Marca e modello veicoli", 250},
                                                {"Targa", 200},
                                                {"Conduttore", 250},
                                                {"Altre persone a bordo", 300},
                                                {"Merce trasportata", 300},
                                                {"Foglio di marcia", 250},
                                                {"Tessere", 250},
                                                {"Luogo destinazione", 250},
                                                {"Cellulare", 180},
                                                {"Note", 300},
                                                {"Data uscita", 180},
                                                {"Ora uscita", 180},
                                                {"Operatore uscita", 250}};

std::string Expected(const std::vector<std::vector<std::string>>& rows) {
    return ts::FileEsportazione("Ingressi e Uscite Veicoli", kHeaders, rows);
}

} // namespace

TEST_F(GateTest, ExportWritesTheGridOfTheYear) {
    std::vector<std::string> first;
    gt::Visita v;
    const char* fields[] = {"DataEnt", "OraEnt",  "OperatoreEnt", "Veicolo",     "Targa", "Conduttore",
                            "Persone", "Merce",   "Foglio",       "Tessere",     "Luogo", "TelCel",
                            "Note",    "DataUsc", "OraUsc",       "OperatoreUsc"};
    for (int i = 0; i < 16; ++i) {
        v[fields[i]] = " v" + std::to_string(i + 1) + " è ";
        first.push_back("v" + std::to_string(i + 1) + " \xE8");
    }
    v["Note"] = "A&B <c> \"d\"";
    first[12] = "A&amp;B &lt;c&gt; \"d\"";
    // The example row: only the entry date.
    AddVisits({v, {{"DataEnt", "03/02/2024"}}});
    std::vector<std::string> second(16);
    second[0] = "03/02/2024";

    h.OnModal<TfrmExpVisite>([&](TfrmExpVisite& w) {
        EXPECT_EQ(w.Caption(), " Esporta archivio ingressi e uscite veicoli in Microsoft Excel");
        ASSERT_EQ(w.grdRecords.ColumnCount(), 17);
        ASSERT_EQ(w.grdRecords.RowCount(), 2);
        EXPECT_EQ(w.grdRecords.Cell(0, 1), "2");
        EXPECT_EQ(w.grdRecords.Cell(1, 0), "v1 è");
        EXPECT_EQ(w.grdRecords.Cell(16, 0), "v16 è");
        EXPECT_EQ(w.grdRecords.Columns()[4].header, "Marca e modello veicolo");
        // Only the open columns take typing; what is typed reaches the file.
        std::vector<int> open;
        for (int c = 0; c < 17; ++c)
            if (!w.grdRecords.Columns()[std::size_t(c)].readOnly) open.push_back(c);
        EXPECT_EQ(open, (std::vector<int>{2, 5, 9, 10, 11, 13, 14}));
        h.EditCell(w.grdRecords, 5, 1, "ZZ999");
        h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
        h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::Yes);
        h.Click(w.cmdEsporta);
        h.Click(w.cmdEsci);
    });
    h.Click(card.cmdExcel);
    second[4] = "ZZ999";
    EXPECT_EQ(rtl::ReadWholeFile(Path("Ingressi_e_Uscite_Veicoli.xls")), Expected({first, second}));
    ASSERT_EQ(h.ShellOpened().size(), 1u);
    EXPECT_EQ(h.ShellOpened()[0], Path("Ingressi_e_Uscite_Veicoli.xls"));
    EXPECT_EQ(Archive().substr(119 + 1, 2), "v5"); // the archive keeps its plate
}

TEST_F(GateTest, ExportOfAMissingYearWritesTenEmptyRows) {
    rtl::WriteWholeFile(Path("Ingressi_e_Uscite_Veicoli.xls"), "di un altro anno");
    h.OnModal<TfrmExpVisite>([&](TfrmExpVisite& w) {
        EXPECT_EQ(w.grdRecords.RowCount(), 10);
        h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::No);
        h.Click(w.cmdEsporta);
        EXPECT_EQ(rtl::ReadWholeFile(Path("Ingressi_e_Uscite_Veicoli.xls")), "di un altro anno");
        h.ExpectMessage(ui::DialogType::Confirmation, kDomanda, ui::Answer::Yes);
        h.ExpectMessage(ui::DialogType::Confirmation, kFatto, ui::Answer::No);
        h.Click(w.cmdEsporta);
        h.Click(w.cmdEsci);
    });
    h.Click(card.cmdExcel);
    EXPECT_EQ(Archive(), "");
    EXPECT_EQ(rtl::ReadWholeFile(Path("Ingressi_e_Uscite_Veicoli.xls")),
              Expected(std::vector<std::vector<std::string>>(10, std::vector<std::string>(16))));
    EXPECT_TRUE(h.ShellOpened().empty());
}

TEST_F(GateTest, ExportWindowHints) {
    TfrmExpVisite w(h.app, &card);
    w.Show();
    EXPECT_EQ(w.panInfo.Text(), "Esportazione archivio in Microsoft Excel.");
    h.MouseMove(w.cmdEsporta);
    EXPECT_EQ(w.panInfo.Text(), "Esporta l'archivio in formato Microsoft Excel.");
    h.MouseMove(w.grdRecords);
    EXPECT_EQ(w.panInfo.Text(), "");
}
