#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/ListWindow.h"
#include "common/Records.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Layout.h"
#include "tests/support/Harness.h"

using namespace common;

namespace {

constexpr std::string_view kLayout = R"(form TfrmTrova caption="Trova" client=600x400
panel panAvvio bounds=0,0,600,400
edit txtMarca parent=panAvvio bounds=0,0,100,20
edit txtTarga parent=panAvvio bounds=0,20,100,20
label lblConta parent=panAvvio bounds=0,40,10,10 text="0" visible=no
panel panContainer bounds=0,0,600,400 visible=no
edit txtTrova parent=panContainer bounds=0,0,100,20
button btnTrova parent=panContainer bounds=100,0,50,20 text="Trova"
listbox lstRecords parent=panContainer bounds=0,30,600,300
)";

struct Window {
    explicit Window(ts::Harness& h) : form(h.app) {
        ui::LoadLayout(form, kLayout);
        form.Show();
    }
    ui::ListBox& Lst() { return form.Get<ui::ListBox>("lstRecords"); }
    PannelliRicerca Pannelli() {
        return {form.Get<ui::Label>("lblConta"), form.Get<ui::Control>("panAvvio"),
                form.Get<ui::Control>("panContainer"), form.Get<ui::Edit>("txtTrova")};
    }
    ui::Form form;
};

void AddVehicle(const std::string& marca, const std::string& modello, const std::string& targa) {
    Record r(TAutomezzoRec);
    r.Set("Marca", marca);
    r.Set("Modello", modello);
    r.Set("Targa", targa);
    Archivio(rtl::DataPath("Parco_Automezzi.pro"), TAutomezzoRec).Scrivi("", r);
}

// The plate is cut to 4 characters, so two vehicles can share a line.
const FormatoRiga& Line() {
    static const FormatoRiga formato =
        std::move(FormatoRiga(TAutomezzoRec).Colonna({"Marca", "Modello"}, 16).Colonna("Targa", 4));
    return formato;
}

} // namespace

TEST(ListWindow, SortedLinesKeepTheirRecordsForTheRecall) {
    ts::Harness h;
    AddVehicle("fiat", "Panda", "AB123"); // 1
    AddVehicle("Alfa", "147", "ZZ999");   // 2
    AddVehicle("FIAT", "Panda", "AB124"); // 3: same line as 1 (plate cut)
    AddVehicle("Citroën", "C3", "CC1");   // 4
    Window w(h);
    ListaRecord lista(w.Lst());
    lista.Costruisci(rtl::DataPath("Parco_Automezzi.pro"), Line(), {}, true);
    EXPECT_EQ(w.Lst().Items(), (std::vector<std::string>{"Alfa 147        ZZ99", "Citroën C3      CC1 ",
                                                         "fiat Panda      AB12", "FIAT Panda      AB12"}));
    EXPECT_EQ(w.Lst().ItemFont().family, "Courier New");
    EXPECT_EQ(w.Lst().ItemFont().size, 12);
    EXPECT_EQ(w.Lst().ItemWidth(), 1600);

    w.form.Get<ui::Control>("panContainer").SetVisible(true);
    Record r(TAutomezzoRec);
    EXPECT_EQ(lista.Richiama(rtl::DataPath("Parco_Automezzi.pro"), r), std::nullopt); // nothing selected
    struct Case {
        int line;
        std::int64_t number;
        const char* targa;
    } cases[] = {{2, 1, "AB123"}, {3, 3, "AB124"}, {0, 2, "ZZ999"}, {1, 4, "CC1"}};
    for (const Case& c : cases) {
        h.Select(w.Lst(), c.line);
        EXPECT_EQ(lista.Richiama(rtl::DataPath("Parco_Automezzi.pro"), r), c.number);
        EXPECT_EQ(r.Get("Targa"), c.targa);
    }
    lista.Svuota();
    EXPECT_EQ(w.Lst().Count(), 0u);
    EXPECT_EQ(lista.NumeroSelezionato(), std::nullopt);
}

TEST(ListWindow, FindNextOnTheListBoxAndEnterInTheFindField) {
    ts::Harness h;
    Window w(h);
    auto& txtTrova = w.form.Get<ui::Edit>("txtTrova");
    std::string ricordato;
    h.ExpectShowMessage("Ricerca non applicabile: la lista non contiene nessuna voce.");
    TrovaNellaLista(w.Lst(), txtTrova, ricordato);
    EXPECT_EQ(w.Lst().ItemIndex(), -1);

    ListaRecord lista(w.Lst());
    lista.Imposta({{"Uno", 0}, {"Due", 0}, {"Tre uno", 0}});
    txtTrova.SetText("UNO");
    TrovaNellaLista(w.Lst(), txtTrova, ricordato);
    EXPECT_EQ(w.Lst().ItemIndex(), 0);
    TrovaNellaLista(w.Lst(), txtTrova, ricordato);
    EXPECT_EQ(w.Lst().ItemIndex(), 2);
    TrovaNellaLista(w.Lst(), txtTrova, ricordato);
    EXPECT_EQ(w.Lst().ItemIndex(), 0);
    EXPECT_EQ(lista.NumeroSelezionato(), std::nullopt); // lines without a record

    bool searched = false;
    w.form.Get<ui::Button>("btnTrova").OnClick = [&] { searched = true; };
    txtTrova.OnKeyDown = [&](ui::KeyEvent& k) { TrovaKeyDown(k, w.form.Get<ui::Button>("btnTrova")); };
    w.form.Get<ui::Control>("panContainer").SetVisible(true);
    h.Focus(txtTrova);
    h.Press(w.form, ui::vk::Return);
    EXPECT_EQ(w.form.Focused(), &w.form.Get<ui::Control>("btnTrova"));
    EXPECT_FALSE(searched);
}

namespace {
// Lines made when asked for, counting how many are made.
struct RigheContate : ui::LineSource {
    mutable std::size_t fatte = 0;
    std::size_t Count() const override { return 100000; }
    void Write(std::size_t i, std::string& out) const override {
        ++fatte;
        out += "Riga " + std::to_string(i);
    }
};
} // namespace

// "Trova" with nothing typed makes no line and leaves the selection as it
// is (line 0 when none); the text searched before is forgotten, so the same
// text typed again searches from the top.
TEST(ListWindow, FindWithNothingTypedReadsNoLine) {
    ts::Harness h;
    Window w(h);
    auto righe = std::make_shared<RigheContate>();
    w.Lst().TakeItems(ui::ListItems(righe));
    auto& txtTrova = w.form.Get<ui::Edit>("txtTrova");
    std::string ricordato = "riga 5";
    const struct { int selected, shown; } cases[] = {{-1, 0}, {7, 7}, {99999, 99999}};
    for (const auto& c : cases) {
        w.Lst().SetItemIndex(c.selected);
        txtTrova.SetText("");
        righe->fatte = 0;
        TrovaNellaLista(w.Lst(), txtTrova, ricordato);
        EXPECT_EQ(w.Lst().ItemIndex(), c.shown) << c.selected;
        EXPECT_EQ(righe->fatte, 0u) << c.selected;
        EXPECT_EQ(ricordato, "");
    }
    w.Lst().SetItemIndex(12);
    txtTrova.SetText("riga 1");
    TrovaNellaLista(w.Lst(), txtTrova, ricordato);
    EXPECT_EQ(w.Lst().ItemIndex(), 1); // a new text: from the top
}

TEST(ListWindow, SearchListsMatchesAndSwitchesPanels) {
    ts::Harness h;
    AddVehicle("Fiat", "Panda", "AB123");
    AddVehicle("Alfa", "147", "ZZ999");
    AddVehicle("FIAT", "Uno", "AB777");
    Window w(h);
    ListaRecord lista(w.Lst());
    const std::vector<Criterio> criteri = {{"fiat", TAutomezzoRec.Field("Marca")},
                                           {"  ", TAutomezzoRec.Field("Modello")},
                                           {"ab7", TAutomezzoRec.Field("Targa")}};
    CercaSchede(w.Pannelli(), lista, criteri, rtl::DataPath("Parco_Automezzi.pro"), Line());
    EXPECT_EQ(w.form.Get<ui::Label>("lblConta").Text(), "2");
    EXPECT_EQ(w.Lst().Items(), std::vector<std::string>{"FIAT Uno        AB77"});
    EXPECT_TRUE(w.form.Get<ui::Control>("panContainer").Visible());
    EXPECT_FALSE(w.form.Get<ui::Control>("panAvvio").Visible());
    EXPECT_EQ(w.form.Focused(), &w.form.Get<ui::Control>("txtTrova"));
}

TEST(ListWindow, UnsortedSearchKeepsTheFileOrder) {
    ts::Harness h;
    AddVehicle("Fiat", "Uno", "AB777");
    AddVehicle("Alfa", "147", "ZZ999");
    AddVehicle("fiat", "Panda", "AB123");
    Window w(h);
    ListaRecord lista(w.Lst());
    const std::vector<Criterio> criteri = {{"ab", TAutomezzoRec.Field("Targa")}};
    CercaSchede(w.Pannelli(), lista, criteri, rtl::DataPath("Parco_Automezzi.pro"), Line(), false);
    EXPECT_EQ(w.Lst().Items(), (std::vector<std::string>{"Fiat Uno        AB77", "fiat Panda      AB12"}));
    h.Select(w.Lst(), 1);
    EXPECT_EQ(lista.NumeroSelezionato(), 3);
}

TEST(ListWindow, SearchFailureKeepsTheCriteriaPanel) {
    ts::Harness h;
    { std::ofstream(rtl::DataPath("file")) << "x"; }
    Window w(h);
    ListaRecord lista(w.Lst());
    EXPECT_ANY_THROW(CercaSchede(w.Pannelli(), lista, {}, rtl::DataPath("file/Parco.pro"), Line()));
    EXPECT_FALSE(w.form.Get<ui::Control>("panContainer").Visible());
    EXPECT_TRUE(w.form.Get<ui::Control>("panAvvio").Visible());
    EXPECT_EQ(w.Lst().Count(), 0u);
}
