#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/bookings/Prenotazioni.h"

namespace {

class SelettoriTest : public bt::BookingTest {
protected:
    std::unique_ptr<TfrmIntervallo> dlg = ApriIntervallo("2024");

    std::vector<ui::ComboEdit*> Selettori() const {
        return {&dlg->txtGiornoInizio, &dlg->txtMeseInizio, &dlg->txtGiornoFine, &dlg->txtMeseFine};
    }
    ui::Rectangle& Eff(const ui::ComboEdit& c) const {
        return dlg->Get<ui::Rectangle>("eff" + c.Name().substr(3));
    }
};

} // namespace

TEST_F(SelettoriTest, NoKeyTypesAValueButTheKeysOfTheListPickOne) {
    for (ui::ComboEdit* c : Selettori()) {
        SCOPED_TRACE(c->Name());
        EXPECT_TRUE(c->ReadOnly());
        h.Select(*c, 2);
        const std::string valore = c->Text();
        // Nothing is typed or pasted into the box.
        EXPECT_FALSE(ui::input::Paste(*dlg, "12"));
        h.Type(*dlg, "7");
        h.Press(*dlg, 0, U'x'); // a character without a key
        EXPECT_EQ(c->Text(), valore);
        // The arrows left and right reach the field.
        c->SetCaretPosition(0);
        h.Press(*dlg, ui::vk::Right);
        EXPECT_EQ(c->CaretPosition(), 1);
        h.Press(*dlg, ui::vk::Left);
        EXPECT_EQ(c->CaretPosition(), 0);
        EXPECT_EQ(dlg->Focused(), c);
    }
    // Up and Down step through the list from the value shown, letters and
    // digits pick the item they begin, F4 opens the list and Enter there picks.
    struct Passo {
        std::uint16_t tasto;
        char32_t car;
        ui::Mod mod;
        const char* giorno;
        const char* mese;
    };
    const Passo passi[] = {
        {ui::vk::Down, 0, ui::Mod::None, "04", "Aprile"},
        {ui::vk::Up, 0, ui::Mod::None, "03", "Marzo"},
        {'1', U'1', ui::Mod::None, "10", "Marzo"},       // no month begins with "1"
        {'5', U'5', ui::Mod::None, "15", "Marzo"},       // "15"
        {'G', U'g', ui::Mod::None, "15", "Giugno"},      // "g" after Marzo
        {'G', U'g', ui::Mod::None, "15", "Gennaio"},     // again: round to the next
        {ui::vk::F4, 0, ui::Mod::None, "15", "Gennaio"}, // opened
        {ui::vk::Down, 0, ui::Mod::None, "15", "Gennaio"},
        {ui::vk::Return, 0, ui::Mod::None, "16", "Febbraio"}, // picked: the focus stays
    };
    for (ui::ComboEdit* c : {&dlg->txtGiornoFine, &dlg->txtMeseFine}) {
        const bool giorno = c == &dlg->txtGiornoFine;
        h.Select(*c, 2);
        for (const Passo& p : passi) {
            h.Press(*dlg, p.tasto, p.car, p.mod);
            EXPECT_EQ(c->Text(), giorno ? p.giorno : p.mese) << c->Name() << " key " << p.tasto;
        }
        EXPECT_FALSE(c->DroppedDown());
        EXPECT_EQ(dlg->Focused(), c);
    }
}

TEST_F(SelettoriTest, BackspaceAndDeleteEmptyAtOnce) {
    struct Caso {
        std::uint16_t tasto;
        ui::Mod mod;
    };
    for (const Caso& k : {Caso{ui::vk::Back, ui::Mod::None}, Caso{ui::vk::Delete, ui::Mod::None},
                          Caso{ui::vk::Back, ui::Mod::Ctrl}}) {
        h.Select(dlg->txtGiornoFine, 11);
        ASSERT_EQ(dlg->txtGiornoFine.Text(), "12");
        dlg->txtGiornoFine.SetCaretPosition(1);
        h.Press(*dlg, k.tasto, 0, k.mod);
        EXPECT_EQ(dlg->txtGiornoFine.Text(), "") << "key " << k.tasto;
        EXPECT_EQ(dlg->txtGiornoFine.ItemIndex(), 11) << "the list selection stays";
    }
    // The same item picked again is set again.
    h.Select(dlg->txtGiornoFine, 11);
    EXPECT_EQ(dlg->txtGiornoFine.Text(), "12");
}

TEST_F(SelettoriTest, EnterFollowsTheChainWhateverTheFieldHolds) {
    dlg->txtGiornoInizio.SetText("7");
    h.Focus(dlg->txtGiornoInizio);
    const ui::Mod mods[] = {ui::Mod::None, ui::Mod::Shift, ui::Mod::Ctrl, ui::Mod::None, ui::Mod::None};
    const std::vector<ui::Control*> catena = {&dlg->txtMeseInizio, &dlg->txtGiornoFine, &dlg->txtMeseFine,
                                              &dlg->txtPrenotazione, &dlg->btnChiudi};
    for (std::size_t i = 0; i < catena.size(); ++i) {
        h.Press(*dlg, ui::vk::Return, 0, mods[i]);
        EXPECT_EQ(dlg->Focused(), catena[i]) << "Enter number " << i + 1;
    }
    EXPECT_EQ(dlg->txtGiornoInizio.Text(), "") << "left with a text outside its list";
    EXPECT_TRUE(dlg->Visible()) << "Enter reached the button without pressing it";
}

TEST_F(SelettoriTest, LeavingKeepsAcceptedTextsAsTheyAreAndEmptiesTheRest) {
    struct Caso {
        const char* testo;
        bool resta;
    };
    const std::vector<Caso> giorni = {{"07", true}, {" 07 ", true},  {"31", true},  {"01", true},
                                      {"7", false}, {"32", false},   {"00", false}, {"7a", false},
                                      {"", false},  {"\t07\n", true}};
    const std::vector<Caso> mesi = {
        {"Marzo", true}, {"marzo", true},  {"MARZO", true},   {" Marzo ", true},     {"dicembre", true},
        {"Mar", false},  {"March", false}, {"Marzo.", false}, {"Marzo 2024", false}, {"", false}};
    for (ui::ComboEdit* c : Selettori()) {
        const bool mese = c->Name().find("Mese") != std::string::npos;
        for (const Caso& k : mese ? mesi : giorni) {
            SCOPED_TRACE(c->Name() + " \"" + k.testo + "\"");
            c->SetText(k.testo);
            h.Focus(*c);
            EXPECT_TRUE(Eff(*c).Visible());
            h.Focus(dlg->txtPrenotazione);
            EXPECT_FALSE(Eff(*c).Visible());
            EXPECT_EQ(c->Text(), k.resta ? k.testo : "");
        }
    }
    // Day and month are not tested together here.
    dlg->txtGiornoInizio.SetText("31");
    dlg->txtMeseInizio.SetText("Aprile");
    h.Focus(dlg->txtGiornoInizio);
    h.Focus(dlg->txtMeseInizio);
    h.Focus(dlg->txtPrenotazione);
    EXPECT_EQ(dlg->txtGiornoInizio.Text(), "31");
    EXPECT_EQ(dlg->txtMeseInizio.Text(), "Aprile");
}

TEST_F(SelettoriTest, TakingTheFocusClearsTheListSelection) {
    h.Select(dlg->txtMeseFine, 5);
    EXPECT_EQ(dlg->txtMeseFine.ItemIndex(), 5);
    h.Focus(dlg->txtPrenotazione);
    h.Focus(dlg->txtMeseFine);
    EXPECT_EQ(dlg->txtMeseFine.ItemIndex(), -1);
    EXPECT_EQ(dlg->txtMeseFine.Text(), "Giugno");
}

TEST_F(SelettoriTest, TabAndShiftTabFollowTheTabOrderAndTheHighlight) {
    const std::vector<ui::Control*> ordine = {
        &dlg->txtGiornoInizio, &dlg->txtMeseInizio, &dlg->txtGiornoFine, &dlg->txtMeseFine,
        &dlg->txtPrenotazione, &dlg->btnChiudi,     &dlg->btnAnnulla};
    h.Focus(dlg->btnAnnulla);
    for (ui::Control* atteso : ordine) {
        h.Tab(*dlg);
        EXPECT_EQ(dlg->Focused(), atteso);
        for (ui::ComboEdit* c : Selettori())
            EXPECT_EQ(Eff(*c).Visible(), c == atteso) << c->Name();
    }
    for (auto it = ordine.rbegin() + 1; it != ordine.rend(); ++it) {
        h.Tab(*dlg, true);
        EXPECT_EQ(dlg->Focused(), *it);
    }
    // Leaving by Tab runs the leaving test.
    dlg->txtGiornoInizio.SetText("7");
    h.Tab(*dlg);
    EXPECT_EQ(dlg->txtGiornoInizio.Text(), "");
    EXPECT_EQ(dlg->Focused(), &dlg->txtMeseInizio);
}
