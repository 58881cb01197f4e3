#include <gtest/gtest.h>

#include <map>
#include <string>

#include "drivers/StampaConduttore.h"
#include "platform/report/Report.h"
#include "tests/drivers/DriverCard.h"
#include "tests/support/Outputs.h"

namespace {

class PrintTest : public dt::CardTest {
protected:
    PrintTest() {
        ts::GetHeadlessOutput() = ts::HeadlessOutput();
        h.SetNow(rtl::DateTime{*rtl::Date::FromYmd(2026, 3, 5), {7, 8, 9}});
    }
    ~PrintTest() override { ts::GetHeadlessOutput() = ts::HeadlessOutput(); }

    // The texts on the page by memo name; anonymous memos (the captions)
    // in a list of their own.
    std::map<std::string, std::string> texts;
    std::vector<std::string> captions;

    void Print() {
        h.OnModal<TfrmStampaConduttore>([&](TfrmStampaConduttore& d) {
            EXPECT_EQ(d.Caption(), " Stampa documento");
            EXPECT_EQ(d.btnStampa.Text(), "Stampa");
            EXPECT_EQ(d.btnAnnulla.Text(), "Annulla");
            h.Click(d.btnStampa);
            EXPECT_FALSE(d.Visible());
        });
        h.Click(card.cmdStampa);
        ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
        const report::Document& doc = ts::GetHeadlessOutput().printed[0];
        EXPECT_EQ(doc.name, "Scheda Conduttore");
        ASSERT_EQ(doc.pages.size(), 1u);
        EXPECT_EQ(doc.pages[0].orientation, report::Orientation::Portrait);
        for (const auto& item : doc.pages[0].items)
            if (const auto* t = std::get_if<report::TextItem>(&item)) {
                if (t->object.empty() || t->object == "-")
                    captions.push_back(t->text);
                else
                    texts[t->object] = t->text;
            }
    }
    std::string Text(const std::string& memo) { return texts.count(memo) ? texts[memo] : ""; }
};

} // namespace

TEST_F(PrintTest, PrintsTheCardAsShownWithComposedRows) {
    FillRequired("  Rossi Mario ", "333", "Fiat", "Panda", "AB123CD");
    TypeInto(card.txtCitta, "Forlì");
    h.Focus(card.txtProv);
    h.Type(card, "fc");
    TypeInto(card.txtCarta, "4111");
    TypeInto(card.txtScadeCarta, "12/28");
    TypeInto(card.txtNote, " <nota> ");
    card.lblFile01.SetText("patente.pdf");
    h.Toggle(card.chkFerie);
    Print();
    EXPECT_EQ(Text("titArcataSup"), "SCHEDA ANAGRAFICA CONDUTTORE");
    EXPECT_EQ(Text("txtConducente"), "Rossi Mario");
    EXPECT_EQ(Text("txtCitta"), "Forlì FC");
    EXPECT_EQ(Text("txtCarta"), "4111  Scadenza: 12/28");
    EXPECT_EQ(Text("txtNote"), "<nota>");
    EXPECT_EQ(Text("txtTarga"), "AB123CD");
    EXPECT_EQ(Text("txtCalce"), "Stampa eseguita in data 05/03/2026 alle ore 07:08:09");
    for (const auto& [name, text] : texts)
        EXPECT_EQ(text.find("patente"), std::string::npos) << name;
    // The 24 row captions, in order.
    const std::vector<std::string> attese = {"Cognome e nome:",
                                             "Patenti di guida:",
                                             "Recapito preferenziale:",
                                             "Indirizzo:",
                                             "CAP:",
                                             "Città:",
                                             "Compensi pattuiti:",
                                             "Tel. casa:",
                                             "Tel. ufficio:",
                                             "Tel. cellulare:",
                                             "PEC:",
                                             "E-mail:",
                                             "Codice fiscale:",
                                             "Carta di credito n.",
                                             "Partita IVA:",
                                             "IBAN:",
                                             "Tipo veicolo:",
                                             "Marca:",
                                             "Modello:",
                                             "Colore:",
                                             "Alimentazione:",
                                             "Targa:",
                                             "Programma ferie:",
                                             "Note:"};
    EXPECT_EQ(captions, attese);
    // The card is not changed by printing.
    EXPECT_EQ(card.txtConducente.Text(), "  Rossi Mario ");
}

TEST_F(PrintTest, EmptyPartsStillCompose) {
    TypeInto(card.txtCitta, "Roma");
    Print();
    EXPECT_EQ(Text("txtCitta"), "Roma ");
    EXPECT_EQ(Text("txtCarta"), "  Scadenza: ");
    EXPECT_EQ(Text("txtConducente"), "");
    EXPECT_EQ(Text("txtCalce"), "Stampa eseguita in data 05/03/2026 alle ore 07:08:09");
}

TEST_F(PrintTest, CancelAndFailure) {
    // "Annulla" closes without printing.
    h.OnModal<TfrmStampaConduttore>([&](TfrmStampaConduttore& d) {
        h.Click(d.btnAnnulla);
        EXPECT_FALSE(d.Visible());
    });
    h.Click(card.cmdStampa);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());

    // Cancelling the print dialog prints nothing; the dialog closes.
    ts::GetHeadlessOutput().confirm = false;
    h.OnModal<TfrmStampaConduttore>([&](TfrmStampaConduttore& d) {
        h.Click(d.btnStampa);
        EXPECT_FALSE(d.Visible());
    });
    h.Click(card.cmdStampa);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());

    // Without a card to read: the failure text, and the dialog closes.
    ts::GetHeadlessOutput().confirm = true;
    h.OnModal<TfrmStampaConduttore>([&](TfrmStampaConduttore& d) {
        d.ImpostaScheda({});
        h.ExpectMessage(ui::DialogType::Warning,
                        "Attenzione: la stampa del documento non è andata a buon fine.\n\r"
                        "\n\rSi consiglia di ridurre le dimensioni della foto.");
        h.Click(d.btnStampa);
        EXPECT_FALSE(d.Visible());
    });
    h.Click(card.cmdStampa);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
}

TEST(SchedaConduttore, TemplateRowsLieWhereTheLayoutPlacesThem) {
    report::Report rep = report::Report::FromResource("drivers/SchedaConduttore.report");
    EXPECT_EQ(rep.Name(), "Scheda Conduttore");
    const char* memo[] = {"txtConducente",    "txtPatenti",  "txtRecapito",  "txtVia",     "txtCap",
                          "txtCitta",         "txtCompensi", "txtTelCasa",   "txtTelUff",  "txtTelCel",
                          "txtFax",           "txtEmail",    "txtCodFisc",   "txtCarta",   "txtPartitaIva",
                          "txtIban",          "txtVeicolo",  "txtMarca",     "txtModello", "txtColore",
                          "txtAlimentazione", "txtTarga",    "txtProgramma", "txtNote"};
    for (std::size_t k = 0; k < std::size(memo); ++k) {
        SCOPED_TRACE(memo[k]);
        const report::Memo& m = rep.GetMemo(memo[k]);
        // Millimetres inside the 10 mm margins: left 44, width 144, rows 5 apart from 7.
        EXPECT_NEAR(m.box.x, 44.0, 0.01);
        EXPECT_NEAR(m.box.width, 144.0, 0.01);
        EXPECT_NEAR(m.box.y, 7.0 + 5.0 * double(k) + 0.55, 0.01);
        EXPECT_FALSE(m.wordWrap);
    }
    EXPECT_NEAR(rep.GetMemo("txtCalce").box.y, 128.0, 0.01);
}
