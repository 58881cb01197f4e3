// The two-copy print of the visit card: both copies from the card on screen,
// the footer with seconds, cancel and failure.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "gate/StampaVisita.h"
#include "platform/report/Report.h"
#include "tests/gate/GateFixture.h"
#include "tests/support/Outputs.h"

using gt::GateTest;

namespace {

class PrintTest : public GateTest {
protected:
    PrintTest() { ts::GetHeadlessOutput() = ts::HeadlessOutput(); }
    static const report::TextItem* Text(const report::Page& page, const std::string& object) {
        for (const auto& item : page.items)
            if (const auto* t = std::get_if<report::TextItem>(&item))
                if (t->object == object) return t;
        return nullptr;
    }
    static std::string TextOf(const report::Page& page, const std::string& object) {
        const report::TextItem* t = Text(page, object);
        return t ? t->text : "";
    }
};

} // namespace

TEST_F(PrintTest, BothCopiesCarryTheCardAsShownAndTheMomentWithSeconds) {
    TypeInto(card.txtVeicolo, "  Fiat Ducato  ");
    TypeInto(card.txtTarga, "ab123cd");
    TypeInto(card.txtNote, "non salvata");
    h.SetNow({*rtl::Date::FromYmd(2024, 3, 5), {16, 7, 9}});
    h.OnModal<TfrmStampaVisita>([&](TfrmStampaVisita& d) {
        EXPECT_EQ(d.Caption(), " Stampa documento");
        EXPECT_EQ(d.Owner(), &card);
        h.Click(d.btnStampa);
        EXPECT_FALSE(d.Visible());
    });
    h.Click(card.cmdStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    const report::Document& doc = ts::GetHeadlessOutput().printed[0];
    EXPECT_EQ(doc.name, "Entrata Uscita Veicolo");
    ASSERT_EQ(doc.pages.size(), 1u);
    const report::Page& page = doc.pages[0];
    EXPECT_EQ(page.orientation, report::Orientation::Portrait);
    EXPECT_DOUBLE_EQ(page.width, 210);
    for (const char* copy : {"_A", "_B"}) {
        SCOPED_TRACE(copy);
        const std::string c = copy;
        EXPECT_EQ(TextOf(page, "txtDataEnt" + c), "05/03/2024");
        EXPECT_EQ(TextOf(page, "txtOraEnt" + c), "10:15");
        EXPECT_EQ(TextOf(page, "txtVeicolo" + c), "Fiat Ducato");
        EXPECT_EQ(TextOf(page, "txtTarga" + c), "AB123CD");
        EXPECT_EQ(TextOf(page, "txtNote" + c), "non salvata");
        EXPECT_EQ(TextOf(page, "txtDataUsc" + c), "");
        EXPECT_EQ(TextOf(page, "txtTitolo" + c), "SCHEDA RIEPILOGATIVA INGRESSO E USCITA VEICOLO");
        EXPECT_EQ(TextOf(page, "lblRiga16" + c), "Registrato da:");
    }
    // The lower copy lies 108 mm below the upper one, 10 mm margins.
    const report::TextItem* a = Text(page, "txtVeicolo_A");
    const report::TextItem* b = Text(page, "txtVeicolo_B");
    ASSERT_TRUE(a && b);
    EXPECT_NEAR(a->clip.y, 10 + 7.5 + 15, 1e-6);
    EXPECT_NEAR(b->clip.y - a->clip.y, 108, 1e-6);
    EXPECT_NEAR(a->clip.x, 10 + 44, 1e-6);
    EXPECT_EQ(TextOf(page, "txtCopiaA"), "COPIA PER CONDUTTORE");
    EXPECT_EQ(TextOf(page, "txtCopiaB"), "COPIA PER AZIENDA");
    EXPECT_EQ(TextOf(page, "txtCalce"), "Stampa eseguita in data 05/03/2024 alle ore 16:07:09");
    bool cut = false;
    for (const auto& item : page.items)
        if (const auto* l = std::get_if<report::LineItem>(&item))
            cut =
                cut || (l->y1 == 112 && l->y2 == 112 && l->arrowStart && l->arrowEnd && l->x2 - l->x1 == 190);
    EXPECT_TRUE(cut);
}

TEST_F(PrintTest, CancelPrintsNothingAndAnnullaCloses) {
    ts::GetHeadlessOutput().confirm = false;
    h.OnModal<TfrmStampaVisita>([&](TfrmStampaVisita& d) { h.Click(d.btnStampa); });
    h.Click(card.cmdStampa);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());

    ts::GetHeadlessOutput().confirm = true;
    h.OnModal<TfrmStampaVisita>([&](TfrmStampaVisita& d) {
        h.Click(d.btnAnnulla);
        EXPECT_FALSE(d.Visible());
    });
    h.Click(card.cmdStampa);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
}

TEST_F(PrintTest, AFailureIsReportedAndCloses) {
    TfrmStampaVisita d(h.app, &card); // not opened by the card: no card to print from
    d.Show();
    h.ExpectMessage(ui::DialogType::Warning, "Attenzione: la stampa non è andata a buon fine.");
    h.Click(d.btnStampa);
    EXPECT_FALSE(d.Visible());
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
}
