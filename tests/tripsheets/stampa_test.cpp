// Print and preview of a trip sheet: the page model from the edits as they
// stand, and the two failure texts.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/report/Report.h"
#include "tests/support/Outputs.h"
#include "tests/support/PageTexts.h"
#include "tests/tripsheets/TripSheet.h"
#include "tripsheets/AnteprimaFoglio.h"
#include "tripsheets/StampaFoglio.h"

using tt::SheetTest;

namespace {

class PrintTest : public SheetTest {
protected:
    PrintTest() { ts::GetHeadlessOutput() = ts::HeadlessOutput(); }
    // The texts of the named memos on the page.
    static std::map<std::string, std::string> Texts(const report::Page& page) {
        return ts::TestiPagina(page);
    }
};

} // namespace

// An unsaved sheet prints as shown: the trimmed edits, the heading with the
// number, the closing with its two blanks; texts in brackets as typed.
TEST_F(PrintTest, PrintsTheSheetAsShown) {
    FillRequired(" 15 ");
    fogli.Campo("LuogoPar03").SetText("[DATE] Roma");
    fogli.Campo("KmArr08").SetText(" 1200 ");
    fogli.Campo("Importo02").SetText("12,50");
    fogli.txtKmPercorsi.SetText("-150");
    fogli.txtDataChiusura.SetText("06/03/2024");
    h.OnModal<TfrmStampaFoglio>([&](TfrmStampaFoglio& d) {
        EXPECT_EQ(d.btnStampa.Text(), "Stampa");
        h.Click(d.btnStampa);
        EXPECT_FALSE(d.Visible());
    });
    h.Click(fogli.cmdStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_TRUE(ts::GetHeadlessOutput().previewed.empty());
    const report::Document& doc = ts::GetHeadlessOutput().printed[0];
    EXPECT_EQ(doc.name, "Foglio di Marcia");
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.pages[0].orientation, report::Orientation::Portrait);
    auto t = Texts(doc.pages[0]);
    EXPECT_EQ(t["txtIntestazione"], "FOGLIO DI MARCIA N. 15");
    EXPECT_EQ(t["txtDataApertura"], "05/03/2024");
    EXPECT_EQ(t["txtOraApertura"], "09:07");
    EXPECT_EQ(t["txtUfficio"], "Ufficio Roma");
    EXPECT_EQ(t["txtConduttore"], "ROSSI MARIO");
    EXPECT_EQ(t["txtTarga"], "AB123CD");
    EXPECT_EQ(t["txtLuogoPar03"], "[DATE] Roma");
    EXPECT_EQ(t["txtKmArr08"], "1200");
    EXPECT_EQ(t["txtImporto02"], "12,50");
    EXPECT_EQ(t["txtKmPercorsi"], "-150");
    EXPECT_EQ(t["txtDataChiusura"], "DATA CHIUSURA:  06/03/2024");
    EXPECT_EQ(t["txtOraChiusura"], "ORA CHIUSURA:  ");
    EXPECT_EQ(t["txtCitta"], "Cognome e nome:");
    EXPECT_EQ(t.count("txtLuogoPar01"), 0u); // empty cells print nothing

    // The captions print exactly as written, with no blank in front.
    std::set<std::string> captions;
    for (const auto& item : doc.pages[0].items)
        if (const auto* ti = std::get_if<report::TextItem>(&item)) captions.insert(ti->text);
    for (const char* caption :
         {"DATI CONDUTTORE", "Cognome e nome:", "Tel. cellulare:", "DATI VEICOLO",
          "Marca e modello:", "Targa:", "TOTALE LITRI:", "TOTALE IMPORTI:", "KM PERCORSI",
          "KM INIZIALI:", "KM FINALI:", "TOTALE KM PERCORSI:", "PARTENZE E ARRIVI",
          "Il Responsabile Ufficio emittente", "(firma per esteso e leggibile)"})
        EXPECT_EQ(captions.count(caption), 1u) << caption;
}

TEST_F(PrintTest, PreviewOfASheetWithoutNumber) {
    fogli.txtNumFoglio.SetText("");
    h.OnModal<TfrmAnteprimaFoglio>([&](TfrmAnteprimaFoglio& d) {
        EXPECT_EQ(d.btnStampa.Text(), "Mostra anteprima");
        h.Click(d.btnStampa);
    });
    h.Click(fogli.cmdAnteprima);
    ASSERT_EQ(ts::GetHeadlessOutput().previewed.size(), 1u);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
    auto t = Texts(ts::GetHeadlessOutput().previewed[0].pages[0]);
    EXPECT_EQ(t["txtIntestazione"], "FOGLIO DI MARCIA N. ");
    EXPECT_EQ(t["txtDataChiusura"], "DATA CHIUSURA:  ");
}

TEST_F(PrintTest, CancelPrintsNothing) {
    h.OnModal<TfrmStampaFoglio>([&](TfrmStampaFoglio& d) { h.Click(d.btnAnnulla); });
    h.Click(fogli.cmdStampa);
    h.OnModal<TfrmAnteprimaFoglio>([&](TfrmAnteprimaFoglio& d) { h.Click(d.btnAnnulla); });
    h.Click(fogli.cmdAnteprima);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
    EXPECT_TRUE(ts::GetHeadlessOutput().previewed.empty());
}

// Not opened by the trip-sheet window there is nothing to fill: each dialog
// shows its own failure text and closes.
TEST_F(PrintTest, FailureTexts) {
    {
        TfrmStampaFoglio d(h.app, &fogli);
        d.Show();
        h.ExpectMessage(ui::DialogType::Warning, "Attenzione: la stampa non è andata a buon fine.");
        h.Click(d.btnStampa);
        h.Verify();
        EXPECT_FALSE(d.Visible());
    }
    TfrmAnteprimaFoglio d(h.app, &fogli);
    d.Show();
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.");
    h.Click(d.btnStampa);
    h.Verify();
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
}

// Every heading and caption of the page, and the values printed, stand on
// one line inside their cells.
TEST_F(PrintTest, TextsFitTheirCells) {
    fogli.txtOraChiusura.SetText("23:59");
    h.OnModal<TfrmStampaFoglio>([&](TfrmStampaFoglio& d) { h.Click(d.btnStampa); });
    h.Click(fogli.cmdStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    for (const auto& item : ts::GetHeadlessOutput().printed[0].pages[0].items)
        if (const auto* t = std::get_if<report::TextItem>(&item)) {
            EXPECT_LE(report::TextWidth(t->font, t->text), t->box.width + 0.01) << t->text;
            EXPECT_EQ(t->text.find('\n'), std::string::npos);
        }
}

// A value written to the left or to the right of its framed cell keeps a
// little room from the frame, so that it never touches the line.
TEST_F(PrintTest, ValuesStandClearOfTheirFrames) {
    for (const auto& e : common::TFoglioRec.Elements())
        fogli.Campo(e.name).SetText("88");
    h.OnModal<TfrmStampaFoglio>([&](TfrmStampaFoglio& d) { h.Click(d.btnStampa); });
    h.Click(fogli.cmdStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    const auto& items = ts::GetHeadlessOutput().printed[0].pages[0].items;
    int checked = 0;
    for (const auto& item : items) {
        const auto* t = std::get_if<report::TextItem>(&item);
        if (!t || t->object.empty() || t->align == report::HAlign::Center) continue;
        const double cx = t->box.x + t->box.width / 2, cy = t->box.y + t->box.height / 2;
        for (const auto& other : items) {
            const auto* r = std::get_if<report::RectItem>(&other);
            if (!r || r->frame == 0 || cx < r->box.x || cx > r->box.Right() || cy < r->box.y ||
                cy > r->box.Bottom())
                continue;
            ++checked;
            if (t->align == report::HAlign::Left)
                EXPECT_GE(t->box.x - r->box.x, 0.5) << t->object;
            else
                EXPECT_GE(r->box.Right() - t->box.Right(), 0.5) << t->object;
        }
    }
    // 16 places, 3 stations, 3 amounts, 5 header values, 2 fuel totals, 3
    // kilometre values, the closing date and time and the named caption memo.
    EXPECT_EQ(checked, 35);
}
