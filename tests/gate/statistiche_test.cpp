// The transit statistics: the monthly count, the chart, the kind kept across
// showings, the print with its copies, and failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Records.h"
#include "gate/Statistiche.h"
#include "platform/chart/Chart.h"
#include "platform/rtl/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/Outputs.h"

namespace {

class StatsTest : public ::testing::Test {
protected:
    ts::Harness h;
    ui::Form main{h.app};
    TfrmStatistiche stats{h.app};

    StatsTest() {
        frmStatistiche = &stats;
        ts::GetHeadlessPrinter().jobs.clear();
        h.SetNow({*rtl::Date::FromYmd(2024, 6, 1), {12, 0, 0}});
        stats.Show();
    }
    ~StatsTest() override { frmStatistiche = nullptr; }

    void AddEntries(const std::string& year, const std::vector<std::string>& dates) {
        for (const std::string& d : dates) {
            common::Record r(common::TVisitaRec);
            r.Set("DataEnt", d);
            r.Set("DataUsc", "30/04/2024");
            common::Archivio(h.DataFolder() + year + ".vis", common::TVisitaRec).Scrivi("", r);
        }
    }
    std::vector<double> Values() const {
        std::vector<double> v;
        for (const auto& p : stats.ChartStats.Chart().Points())
            v.push_back(p.value);
        return v;
    }
    void Open(const std::string& year) {
        stats.txtAnno.SetText(year);
        h.Click(stats.btnApri);
    }
};

} // namespace

TEST_F(StatsTest, CountsEachCardInTheMonthOfItsEntryDate) {
    AddEntries("2024", {"03/03/2024", " 31/03/2024 ", "01/04/2024", "31/12/2023", "", "3/3/2024",
                        "05/13/2024", "15/03/24", "12/01/2024", "12/1/2024 ", "29/02/2024", "10/10/2024"});
    AddEntries("2023", {"01/03/2024"});
    EXPECT_EQ(stats.txtAnno.Text(), "2024");
    EXPECT_EQ(stats.Focused(), &stats.txtAnno);
    EXPECT_TRUE(stats.panAvvio.Visible());
    EXPECT_FALSE(stats.panContainer.Visible());
    h.Click(stats.btnApri);
    EXPECT_FALSE(stats.panAvvio.Visible());
    EXPECT_TRUE(stats.panContainer.Visible());
    EXPECT_EQ(stats.lblFile.Text(), h.DataFolder() + "2024.vis");
    EXPECT_EQ(stats.lblTitolo.Text(), "Rappresentazione grafica dei transiti registrati nell'anno 2024.");
    const std::vector<double> expected = {1, 1, 2, 1, 0, 0, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(Values(), expected);
    const char* names[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                           "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
    const std::uint32_t colours[] = {0xFFFF0000, 0xFF0000FF, 0xFFFFE4C4, 0xFFFF00FF, 0xFFC0DCC0, 0xFFFFFF00,
                                     0xFF00FF00, 0xFFC0C0C0, 0xFFF0FBFF, 0xFF87CEEB, 0xFF800000, 0xFF008000};
    const auto& points = stats.ChartStats.Chart().Points();
    ASSERT_EQ(points.size(), 12u);
    for (int m = 0; m < 12; ++m) {
        EXPECT_EQ(points[std::size_t(m)].label, names[m]);
        EXPECT_EQ(points[std::size_t(m)].color, colours[m]);
        EXPECT_EQ(stats.ContaMese(m + 1).Text(), std::to_string(int(expected[std::size_t(m)])));
    }
    EXPECT_EQ(stats.ChartStats.Chart().SeriesName(), "Series1");
}

TEST_F(StatsTest, AMissingYearIsCreatedEmptyAndGivesTwelveZeros) {
    Open("0000");
    EXPECT_EQ(rtl::ReadWholeFile(h.DataFolder() + "0000.vis"), "");
    EXPECT_EQ(Values(), std::vector<double>(12, 0));
}

TEST_F(StatsTest, YearOfOtherThanFourCharactersIsRefused) {
    for (const char* year : {"202", "", "20245"}) {
        stats.txtAnno.SetText(year);
        h.Focus(stats.btnApri);
        h.ExpectMessage(ui::DialogType::Warning,
                        "Attenzione: indicare l'anno solare utilizzando quattro cifre.");
        h.Click(stats.btnApri);
        h.Verify();
        EXPECT_EQ(stats.Focused(), &stats.txtAnno);
        EXPECT_TRUE(stats.panAvvio.Visible());
    }
    // Digits only; Enter presses "Apri", with its check.
    stats.txtAnno.SetText("");
    h.Focus(stats.txtAnno);
    h.Type(stats, "2a0-2");
    EXPECT_EQ(stats.txtAnno.Text(), "202");
    h.ExpectMessage(ui::DialogType::Warning, "Attenzione: indicare l'anno solare utilizzando quattro cifre.");
    h.Press(stats, ui::vk::Return, U'\r');
    h.Verify();
    EXPECT_TRUE(stats.panAvvio.Visible());
    h.Press(stats, ui::vk::End);
    h.Type(stats, "4");
    h.Press(stats, ui::vk::Return, U'\r');
    EXPECT_FALSE(stats.panAvvio.Visible());
    EXPECT_EQ(stats.lblFile.Text(), h.DataFolder() + "2024.vis");
}

TEST_F(StatsTest, AnUnreadableYearIsReportedAndTheYearPanelStays) {
    rtl::CreateFolders(h.DataFolder() + "2024.vis");
    h.ExpectShowMessage(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
        "programma.");
    h.Click(stats.btnApri);
    h.Verify();
    EXPECT_TRUE(stats.panAvvio.Visible());
    EXPECT_FALSE(stats.panContainer.Visible());
    EXPECT_TRUE(stats.ChartStats.Chart().Points().empty());
}

TEST_F(StatsTest, TheKindKeepsThePointsAndSurvivesClosing) {
    AddEntries("2024", {"01/05/2024", "02/05/2024"});
    Open("2024");
    h.Click(stats.btnTorta);
    EXPECT_EQ(stats.ChartStats.Chart().Kind(), chart::SeriesKind::Pie);
    EXPECT_TRUE(stats.ChartStats.Chart().View3D());
    EXPECT_TRUE(stats.ChartStats.Chart().Orthogonal());
    EXPECT_EQ(Values()[4], 2);
    h.Click(stats.btnEsci);
    EXPECT_FALSE(stats.Visible());
    stats.Show();
    EXPECT_TRUE(stats.ChartStats.Chart().Points().empty());
    EXPECT_TRUE(stats.panAvvio.Visible());
    Open("2024");
    EXPECT_EQ(stats.ChartStats.Chart().Kind(), chart::SeriesKind::Pie);
    h.Click(stats.btnBarre);
    EXPECT_EQ(stats.ChartStats.Chart().Kind(), chart::SeriesKind::Bar);
    EXPECT_EQ(Values()[4], 2);
}

TEST_F(StatsTest, PrintAsksForTheCopies) {
    Open("2024");
    const std::string question = "Si vuole stampare il presente grafico statistico?";
    const struct {
        std::optional<std::string> typed;
        int preset;
    } cases[] = {{" 2", 1}, {"3", 3}, {"", 1}, {"  ", 1}, {"x", 1}, {"007", 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(*c.typed);
        ts::GetHeadlessPrinter().jobs.clear();
        h.ExpectMessage(ui::DialogType::Confirmation, question, ui::Answer::Yes);
        h.ExpectInputQuery("Numero copie da stampare", "Copie:", c.typed);
        h.ExpectPrintDialog(c.preset);
        h.Click(stats.btnStampa);
        h.Verify();
        EXPECT_EQ(int(ts::GetHeadlessPrinter().jobs.size()), c.preset);
        for (const auto& job : ts::GetHeadlessPrinter().jobs) {
            EXPECT_EQ(job.copies, 1);
            EXPECT_EQ(job.points.size(), 12u);
        }
    }
    ts::GetHeadlessPrinter().jobs.clear();
    // No, Cancel in the query, or in the print dialog: nothing printed.
    h.ExpectMessage(ui::DialogType::Confirmation, question, ui::Answer::No);
    h.Click(stats.btnStampa);
    h.ExpectMessage(ui::DialogType::Confirmation, question, ui::Answer::Yes);
    h.ExpectInputQuery("Numero copie da stampare", "Copie:", std::nullopt);
    h.Click(stats.btnStampa);
    h.ExpectMessage(ui::DialogType::Confirmation, question, ui::Answer::Yes);
    h.ExpectInputQuery("Numero copie da stampare", "Copie:", "2");
    h.ExpectPrintDialog(std::nullopt);
    h.Click(stats.btnStampa);
    // A number too large for a copy count: an error naming it.
    h.ExpectMessage(ui::DialogType::Confirmation, question, ui::Answer::Yes);
    h.ExpectInputQuery("Numero copie da stampare", "Copie:", "99999999999");
    h.ExpectMessage(ui::DialogType::Error, "'99999999999' non è un valore intero valido.");
    h.Click(stats.btnStampa);
    h.Verify();
    EXPECT_TRUE(ts::GetHeadlessPrinter().jobs.empty());
}

TEST_F(StatsTest, HintsOfTheChartPanel) {
    Open("2024");
    EXPECT_EQ(stats.panInfo.Text(), "Grafico statistico dei transiti mensili.");
    h.MouseMove(stats.btnStampa);
    EXPECT_EQ(stats.panInfo.Text(), "Stampa il grafico corrente.");
    h.MouseMove(stats.ChartStats);
    EXPECT_EQ(stats.panInfo.Text(), "");
}

TEST_F(StatsTest, TheChartAsLaidOut) {
    const chart::Chart& c = stats.ChartStats.Chart();
    EXPECT_EQ(c.Title().text, "Statistiche mensili ingressi e uscite veicoli");
    EXPECT_EQ(c.Title().font.color, 0xFFD04498u);
    EXPECT_TRUE(c.Title().font.bold);
    EXPECT_EQ(c.Foot().text,
              "Le statistiche si basano sui transiti effettivamente registrati per tutti i veicoli.");
    EXPECT_EQ(c.Foot().font.color, 0xFF7294F9u);
    EXPECT_EQ(c.GetLegend().position, chart::LegendPosition::Bottom);
    EXPECT_EQ(c.GetLegend().title, "Numero transiti veicoli:");
    EXPECT_EQ(c.Kind(), chart::SeriesKind::Bar);
    EXPECT_TRUE(c.MarksVisible());
    EXPECT_TRUE(c.View3D());
    EXPECT_TRUE(c.Orthogonal());
    EXPECT_EQ(stats.Caption(), " Dorneval - Statistiche transiti veicoli");
}
