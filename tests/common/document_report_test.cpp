#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <variant>
#include <vector>

#include "common/Reports.h"
#include "platform/image/Image.h"
#include "platform/ui/Layout.h"
#include "tests/support/Harness.h"
#include "tests/support/Outputs.h"

using namespace common;

namespace {

constexpr std::string_view kCard = R"(form TfrmScheda caption="Scheda" client=400x300
edit txtTarga bounds=0,0,100,20
edit txtMarca bounds=0,20,100,20
edit txtNote bounds=0,40,100,20
)";
constexpr std::string_view kDialog = R"(form TfrmStampaProva caption=" Stampa documento" client=364x287
button btnAnnulla bounds=0,0,100,30 text="Annulla"
button btnStampa bounds=100,0,100,30 text="Stampa"
)";
constexpr std::string_view kTemplate = R"(report name="Entrata Uscita Veicolo"
page size=A4 orientation=portrait margins=10
band Dati kind=title height=100
rect - 0 0 190 20 fill=slategray
memo - 2 2 40 6 text="Targa:"
repeat dy=40 labels=_A,_B
memo txtTarga 45 2 60 6
memo txtMarca 45 10 60 6
end
memo txtCalce 0 90 190 6
)";

std::map<std::string, std::string> Texts(const report::Document& doc) {
    std::map<std::string, std::string> out;
    for (const auto& page : doc.pages)
        for (const auto& item : page.items)
            if (const auto* t = std::get_if<report::TextItem>(&item); t && !t->object.empty())
                out[t->object] += t->text;
    return out;
}

struct Fixture {
    explicit Fixture(ts::Harness& h) : card(h.app), dialog(h.app, &card) {
        ui::LoadLayout(card, kCard);
        ui::LoadLayout(dialog, kDialog);
        card.Get<ui::Edit>("txtTarga").SetText("  AB123CD ");
        card.Get<ui::Edit>("txtMarca").SetText("[ditta] Fiat");
        dialog.Show();
        ts::GetHeadlessOutput().printed.clear();
        ts::GetHeadlessOutput().previewed.clear();
        ts::GetHeadlessOutput().confirm = true;
    }
    void Run(bool anteprima, std::vector<std::string> memo, std::string_view error) {
        EseguiDocumento(
            dialog, rep, report::Orientation::Portrait, anteprima,
            [&] {
                for (const char* s : {"_A", "_B"})
                    RiempiMemo(rep, card, memo, s);
                rep.GetMemo("txtCalce").SetText(PiePaginaStampa());
            },
            error);
    }
    ui::Form card;
    ui::Form dialog;
    report::Report rep = report::Report::FromText(kTemplate);
};

} // namespace

TEST(DocumentReport, FillsMemosFromTheCardAndPrints) {
    ts::Harness h;
    h.SetNow({*rtl::Date::FromYmd(2024, 7, 1), {8, 30, 0}});
    Fixture f(h);
    f.Run(false, {"txtTarga", "txtMarca"}, kMsgStampaNonRiuscita);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    const auto texts = Texts(ts::GetHeadlessOutput().printed[0]);
    EXPECT_EQ(texts.at("txtTarga_A"), "AB123CD");
    EXPECT_EQ(texts.at("txtTarga_B"), "AB123CD");
    EXPECT_EQ(texts.at("txtMarca_B"), "[ditta] Fiat");
    EXPECT_EQ(texts.at("txtCalce"), "Stampa eseguita in data 01/07/2024 alle ore 08:30");
    EXPECT_FALSE(f.dialog.Visible());
    EXPECT_TRUE(ts::GetHeadlessOutput().previewed.empty());
}

TEST(DocumentReport, CancelledPrintPrintsNothingAndPreviewShows) {
    ts::Harness h;
    Fixture f(h);
    ts::GetHeadlessOutput().confirm = false;
    f.Run(false, {"txtTarga"}, kMsgStampaNonRiuscita);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
    EXPECT_FALSE(f.dialog.Visible());

    f.dialog.Show();
    f.Run(true, {"txtTarga"}, kMsgAnteprimaNonRiuscita);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
    ASSERT_EQ(ts::GetHeadlessOutput().previewed.size(), 1u);
    EXPECT_EQ(Texts(ts::GetHeadlessOutput().previewed[0]).at("txtTarga_A"), "AB123CD");
}

TEST(DocumentReport, MissingMemoGivesTheFailureTextAndNoOutput) {
    ts::Harness h;
    Fixture f(h);
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
                    "Si consiglia di ridurre le dimensioni della foto.");
    f.Run(false, {"txtTarga", "txtNote"}, kMsgStampaDocumentoFoto); // no memo txtNote_A
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
    EXPECT_FALSE(f.dialog.Visible());
}

// A failure of the report or of the data it shows is the dialog's own
// message, and the dialog closes. A fault of the program (a memo filled from
// a control that the card does not have) or memory run out is not: it
// reaches the standard error box with its own text, and the dialog stays.
TEST(DocumentReport, OnlyReportAndDataFailuresGiveTheDialogsMessage) {
    const std::string avviso(kMsgStampaDocumentoFoto);
    const struct {
        std::vector<std::string> memo;
        std::function<void()> guasto;
        ui::DialogType tipo;
        std::string testo;
    } casi[] = {
        {{"txtNote"}, nullptr, ui::DialogType::Warning, avviso}, // no memo txtNote
        {{},
         [] { throw img::Error("Incomplete or damaged picture: foto.jpg"); },
         ui::DialogType::Warning,
         avviso},
        {{"txtCalce"}, nullptr, ui::DialogType::Error, "TfrmScheda: no control named \"txtCalce\""},
        {{}, [] { throw std::bad_alloc(); }, ui::DialogType::Error, std::bad_alloc().what()},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.testo);
        ts::Harness h;
        Fixture f(h);
        f.dialog.Get<ui::Button>("btnStampa").OnClick = [&] {
            EseguiDocumento(
                f.dialog, f.rep, report::Orientation::Portrait, false,
                [&] {
                    RiempiMemo(f.rep, f.card, caso.memo);
                    if (caso.guasto) caso.guasto();
                },
                kMsgStampaDocumentoFoto);
        };
        h.ExpectMessage(caso.tipo, caso.testo);
        h.Click(f.dialog.Get<ui::Button>("btnStampa"));
        h.Verify();
        EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
        EXPECT_EQ(f.dialog.Visible(), caso.tipo == ui::DialogType::Error);
    }
}
