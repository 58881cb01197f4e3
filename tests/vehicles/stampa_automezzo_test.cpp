#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/image/Image.h"
#include "platform/report/Report.h"
#include "tests/support/Drawing.h"
#include "tests/support/Outputs.h"
#include "tests/support/PageTexts.h"
#include "tests/vehicles/VehicleCard.h"
#include "vehicles/AnteprimaAutomezzo.h"
#include "vehicles/StampaAutomezzo.h"

namespace {

class PrintTest : public vt::CardTest {
protected:
    PrintTest() { ts::GetHeadlessOutput() = ts::HeadlessOutput(); }

    // The texts of the named memos on the page, joined line by line.
    static std::map<std::string, std::string> Texts(const report::Page& page) {
        return ts::TestiPagina(page);
    }
    static const report::PictureItem* Photo(const report::Page& page) {
        for (const auto& item : page.items)
            if (const auto* p = std::get_if<report::PictureItem>(&item))
                if (p->object == "imgLogo") return p;
        return nullptr;
    }
};

} // namespace

// A card never saved prints what it shows: the trimmed edits in the memos of
// the same names, the placeholder photo, nothing of the attachments.
TEST_F(PrintTest, PrintsTheCardAsShown) {
    FillRequired("Furgone", "Iveco", "Daily", "CD456EF");
    TypeInto(card.txtNote, "  da revisionare  ");
    card.lblFile01.SetText("libretto.pdf");
    h.OnModal<TfrmStampaAutomezzo>([&](TfrmStampaAutomezzo& d) {
        EXPECT_EQ(d.Caption(), " Stampa documento");
        EXPECT_EQ(d.btnStampa.Text(), "Stampa");
        EXPECT_EQ(d.imgLogo.Bitmap(), card.imgBianco.Bitmap());
        h.Click(d.btnStampa);
    });
    h.Click(card.cmdStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_TRUE(ts::GetHeadlessOutput().previewed.empty());
    const report::Document& doc = ts::GetHeadlessOutput().printed[0];
    EXPECT_EQ(doc.name, "Scheda Veicolo");
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.pages[0].orientation, report::Orientation::Portrait);
    auto texts = Texts(doc.pages[0]);
    EXPECT_EQ(texts["txtNome"], "SCHEDA VEICOLO");
    EXPECT_EQ(texts["txtTipo"], "Furgone");
    EXPECT_EQ(texts["txtTarga"], "CD456EF");
    EXPECT_EQ(texts["txtNote"], "da revisionare");
    EXPECT_EQ(texts.count("txtColore") ? texts["txtColore"] : "", "");
    for (const auto& [name, text] : texts)
        EXPECT_EQ(text.find("libretto"), std::string::npos) << name;
    const report::PictureItem* photo = Photo(doc.pages[0]);
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(*photo->bitmap, *card.imgBianco.Bitmap());
}

TEST_F(PrintTest, PreviewShowsThePageWithThePhoto) {
    card.imgFoto.SetBitmap(std::make_shared<const img::Bitmap>(ts::Filled(64, 48, 0xFF2050A0)));
    TypeInto(card.txtKW, "55");
    h.OnModal<TfrmAnteprimaAutomezzo>([&](TfrmAnteprimaAutomezzo& d) {
        EXPECT_EQ(d.Caption(), " Anteprima di stampa");
        EXPECT_EQ(d.btnStampa.Text(), "Mostra anteprima");
        h.Click(d.btnStampa);
        EXPECT_FALSE(d.Visible());
    });
    h.Click(card.cmdAnteprima);
    ASSERT_EQ(ts::GetHeadlessOutput().previewed.size(), 1u);
    const report::Page& page = ts::GetHeadlessOutput().previewed[0].pages.at(0);
    EXPECT_EQ(Texts(page)["txtKW"], "55");
    ASSERT_NE(Photo(page), nullptr);
    EXPECT_EQ(Photo(page)->bitmap->width, 64);
}

TEST_F(PrintTest, CancelAndFailure) {
    // "Annulla" closes without touching the report.
    h.OnModal<TfrmStampaAutomezzo>([&](TfrmStampaAutomezzo& d) { h.Click(d.btnAnnulla); });
    h.Click(card.cmdStampa);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());

    // Without a card to read: the failure text; nothing is printed and the
    // dialog closes.
    h.OnModal<TfrmAnteprimaAutomezzo>([&](TfrmAnteprimaAutomezzo& d) {
        d.ImpostaScheda({});
        h.ExpectMessage(
            ui::DialogType::Warning,
            "Attenzione: la visualizzazione dell'anteprima di stampa del documento non è andata a buon "
            "fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto.");
        h.Click(d.btnStampa);
        EXPECT_FALSE(d.Visible());
    });
    h.Click(card.cmdAnteprima);
    EXPECT_TRUE(ts::GetHeadlessOutput().previewed.empty());
}

// Every field box of the page: a data memo named after the card's edit, on
// the page as the layout places it (a few checked by their millimetres).
TEST(SchedaVeicolo, TemplateHoldsTheThirtyTwoDataMemos) {
    report::Report rep = report::Report::FromResource("vehicles/SchedaVeicolo.report");
    EXPECT_EQ(rep.Name(), "Scheda Veicolo");
    for (int i = 0; i < vehicles::kCampiInEdit; ++i)
        EXPECT_TRUE(rep.Has(vehicles::ControlloCampo(i))) << i;
    const struct {
        const char* memo;
        double leftPx, topPx, widthPx;
    } cases[] = {{"txtTipo", 3.77953 + 3.78, 377.953 + 18.8976, 347.717 - 7.56},
                 {"txtLettura", 559.37 + 3.78, 548.032 + 18.8976, 154.961 - 7.56},
                 {"txtNote", 3.77953 + 3.78, 1001.58 + 18.8976, 710.551 - 7.56}};
    for (const auto& c : cases) {
        const report::Memo& m = rep.GetMemo(c.memo);
        EXPECT_NEAR(m.box.x, report::Px(c.leftPx), 0.01) << c.memo;
        EXPECT_NEAR(m.box.y, report::Px(c.topPx), 0.01) << c.memo;
        EXPECT_NEAR(m.box.width, report::Px(c.widthPx), 0.01) << c.memo;
        EXPECT_FALSE(m.wordWrap);
    }
}
