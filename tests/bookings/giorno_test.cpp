#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/bookings/Prenotazioni.h"

namespace {

using bt::Cella;

class GiornoTest : public bt::BookingTest {
protected:
    // Which pair of state pictures the dialog shows: true for the booked pair.
    static bool MostraPrenotato(const TfrmGiorno& d) {
        EXPECT_NE(d.icoOccupata.Visible(), d.icoLibera.Visible());
        EXPECT_EQ(d.icoOccupata.Visible(), d.icnOccupata.Visible());
        EXPECT_EQ(d.icoLibera.Visible(), d.icnLibera.Visible());
        return d.icoOccupata.Visible();
    }
};

} // namespace

TEST_F(GiornoTest, OpensAsThePlannerPresetsIt) {
    // A booked day: its text, the booked pictures, the focus in the edit.
    Prenota("Giu_27", "Rossi Mario 333 1234567");
    auto booked =
        ApriGiorno("giu_27", "Prenotazione del 27 giugno 2024", "Fiat Ducato", "Rossi Mario 333 1234567");
    EXPECT_EQ(booked->Caption(), " Prenotazione noleggio veicolo");
    EXPECT_EQ(booked->ClientWidth(), 660);
    EXPECT_EQ(booked->ClientHeight(), 425);
    EXPECT_EQ(booked->infGiorno.Text(), "Prenotazione del 27 giugno 2024");
    EXPECT_EQ(booked->infCamera.Text(), "Fiat Ducato");
    EXPECT_FALSE(booked->lblMemory.Visible());
    EXPECT_EQ(booked->txtPrenotazione.Text(), "Rossi Mario 333 1234567");
    EXPECT_TRUE(MostraPrenotato(*booked));
    EXPECT_EQ(booked->Focused(), &booked->txtPrenotazione);
    EXPECT_EQ(booked->txtPrenotazione.MaxLength(), 50);
    booked->Close();

    // A free day: empty edit, the free pictures of the layout.
    auto free = ApriGiorno("gen_01", "Prenotazione del 1 gennaio 2025", " ", "");
    EXPECT_EQ(free->txtPrenotazione.Text(), "");
    EXPECT_FALSE(MostraPrenotato(*free));
    EXPECT_EQ(free->Focused(), &free->txtPrenotazione);
}

TEST_F(GiornoTest, PicturesFollowTheTextWhileTyping) {
    auto dlg = ApriGiorno("mar_05", "Prenotazione del 5 marzo 2024", "Iveco Daily", "");
    h.Type(*dlg, "  ");
    EXPECT_FALSE(MostraPrenotato(*dlg)) << "blanks only are no booking";
    h.Type(*dlg, "B");
    EXPECT_TRUE(MostraPrenotato(*dlg)) << "the first character that is not a blank books";
    h.Press(*dlg, ui::vk::Back);
    EXPECT_FALSE(MostraPrenotato(*dlg)) << "deleting it frees again";
    h.Paste(*dlg, "Bianchi");
    EXPECT_TRUE(MostraPrenotato(*dlg));
    EXPECT_EQ(dlg->txtPrenotazione.Text(), "  Bianchi");
}

TEST_F(GiornoTest, ApplyingWritesTheNamedCellOnlyAndCloses) {
    struct Caso {
        const char* chiave;
        const char* giorno;   // the cell the key names, "" for none
        const char* prima;    // the cell's text before, "" for free
        const char* digitato; // what the user leaves in the edit
        const char* scritto;  // the text the cell gets
    };
    const std::vector<Caso> casi = {
        {"gen_01", "Gen_01", "", "Rossi", "Rossi"},
        {"feb_29", "Feb_29", "", "  Bianchi  Mario  ", "Bianchi  Mario"},
        {"dic_31", "Dic_31", "Verdi", "   ", ""},           // blanks only free the day
        {"lug_14", "Lug_14", "Verdi", "Neri", "Neri"},      // another text stays booked
        {"ago_15", "Ago_15", "Gialli", "Gialli", "Gialli"}, // unchanged
        {" giu_27\t", "Giu_27", "", "Blu", "Blu"},          // blanks around the key
        {"GEN_01", "", "", "Rossi", ""},                    // letter case counts
        {"Gen_01", "", "", "Rossi", ""},
        {"gen_1", "", "", "Rossi", ""},
        {"", "", "", "Rossi", ""},
        {"lblMemory", "", "", "Rossi", ""},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::string("key \"") + c.chiave + "\"");
        Prenota("Mag_10", "Altro cliente"); // a booking elsewhere stays as it is
        if (*c.giorno) Prenota(c.giorno, c.prima);
        const bt::Celle prima = StatoCelle();

        auto dlg = ApriGiorno(c.chiave, "Prenotazione", "Fiat Panda", c.prima);
        h.Focus(dlg->txtPrenotazione);
        dlg->txtPrenotazione.SelectAll();
        if (std::string(c.digitato).empty())
            h.Press(*dlg, ui::vk::Delete);
        else
            h.Type(*dlg, c.digitato);
        h.Click(dlg->btnChiudi);
        EXPECT_FALSE(dlg->Visible());

        bt::Celle cambiate;
        if (*c.giorno) {
            const bool occupata = !std::string(c.scritto).empty();
            cambiate[c.giorno] = Cella{!occupata, occupata, c.scritto};
        }
        Attese(prima, cambiate);
        if (*c.giorno) Prenota(c.giorno, "");
    }
}

TEST_F(GiornoTest, CancelLeavesTheCellAsItWas) {
    Prenota("Ott_03", "Rossi");
    const bt::Celle prima = StatoCelle();
    auto dlg = ApriGiorno("ott_03", "Prenotazione del 3 ottobre 2024", "Fiat Panda", "Rossi");
    h.Click(dlg->cmdCancella);
    EXPECT_FALSE(MostraPrenotato(*dlg));
    h.Type(*dlg, "Bianchi");
    h.Click(dlg->btnAnnulla);
    EXPECT_FALSE(dlg->Visible());
    Attese(prima, {});
}

TEST_F(GiornoTest, EnterNeitherAppliesNorCloses) {
    const bt::Celle prima = StatoCelle();
    auto dlg = ApriGiorno("nov_11", "Prenotazione del 11 novembre 2024", "Fiat Panda", "");
    h.Type(*dlg, "Rossi");
    h.Press(*dlg, ui::vk::Return);
    h.Press(*dlg, ui::vk::Return, 0, ui::Mod::Ctrl);
    EXPECT_TRUE(dlg->Visible());
    EXPECT_EQ(dlg->Focused(), &dlg->txtPrenotazione);
    EXPECT_EQ(dlg->txtPrenotazione.Text(), "Rossi");
    Attese(prima, {});
}

TEST_F(GiornoTest, TheTextTakesFiftyCharactersTypedOrPasted) {
    const std::string cinquanta = "Società Trasporti Àlpini di Valle Brembana s.r.l. "; // 50 characters
    ASSERT_EQ(cinquanta.size(), 52u) << "two letters of two bytes";
    auto dlg = ApriGiorno("set_30", "Prenotazione del 30 settembre 2024", "Fiat Panda", "");
    h.Type(*dlg, cinquanta);
    h.Type(*dlg, "X");
    EXPECT_EQ(dlg->txtPrenotazione.Text(), cinquanta);
    h.Click(dlg->cmdCancella);
    h.Paste(*dlg, cinquanta + "XYZ");
    EXPECT_EQ(dlg->txtPrenotazione.Text(), cinquanta);
    h.Click(dlg->btnChiudi);
    // Trimmed when applied: the last blank goes, the 49 characters before it stay.
    EXPECT_EQ(StatoCella("Set_30"), (Cella{false, true, cinquanta.substr(0, cinquanta.size() - 1)}));

    // A full 50-character name without blanks at its ends arrives whole.
    const std::string nome(50, 'M');
    auto again = ApriGiorno("set_29", "Prenotazione del 29 settembre 2024", "Fiat Panda", "");
    h.Paste(*again, nome + "M");
    h.Click(again->btnChiudi);
    EXPECT_EQ(StatoCella("Set_29").testo, nome);
}

TEST_F(GiornoTest, TabGoesFromTheTextToApplyThenCancel) {
    auto dlg = ApriGiorno("gen_02", "Prenotazione del 2 gennaio 2024", "Fiat Panda", "");
    h.Tab(*dlg);
    EXPECT_EQ(dlg->Focused(), &dlg->btnChiudi);
    h.Tab(*dlg);
    EXPECT_EQ(dlg->Focused(), &dlg->btnAnnulla);
    h.Tab(*dlg);
    EXPECT_EQ(dlg->Focused(), &dlg->txtPrenotazione);
}
