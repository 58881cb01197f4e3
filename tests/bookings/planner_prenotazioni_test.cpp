// The booking dialogs opened from the planner as a user opens them: a day
// click or the range command, then the planner's close stores the texts in
// the planner file, at bytes checked here by hand, and the next showing
// brings them back.
#include <gtest/gtest.h>

#include <string>

#include "bookings/Giorno.h"
#include "bookings/Intervallo.h"
#include "tests/planner/PlannerTest.h"

namespace {

class PlannerPrenotazioni : public pt::PlannerTest {
protected:
    std::string File() const { return PercorsoPlanner("AB123CD", "2024"); }
    // The text field of day index i: length byte and 50 bytes from 184 + 51 * i.
    std::string Campo(const std::string& bytes, std::size_t i) const {
        return bytes.substr(184 + 51 * i, 51);
    }
    static std::string Atteso(const std::string& cp1252) {
        std::string f(51, '\0');
        f[0] = char(cp1252.size());
        f.replace(1, cp1252.size(), cp1252);
        return f;
    }
    void ChiudiERiapri() {
        h.Click(planning.cmdEsci);
        ASSERT_FALSE(planning.Visible());
        planning.Hide();
        menu.Hide();
        MostraMenu();
        Apri(0, "2024");
        ASSERT_TRUE(planning.Visible());
    }
};

} // namespace

TEST_F(PlannerPrenotazioni, ADayBookedInTheDialogIsStoredAtItsIndexAndComesBack) {
    ApriPlanner("AB123CD", "2024");
    h.OnModal<TfrmGiorno>([&](TfrmGiorno& d) {
        EXPECT_EQ(d.lblMemory.Text(), "giu_27");
        EXPECT_EQ(d.infGiorno.Text(), "Prenotazione del 27 giugno 2024");
        EXPECT_EQ(d.infCamera.Text(), "Fiat Ducato");
        EXPECT_EQ(d.Focused(), &d.txtPrenotazione);
        EXPECT_TRUE(d.icoLibera.Visible());
        h.Type(d, "  Società Rossi  ");
        h.Click(d.btnChiudi);
    });
    h.Click(planning.Get<ui::Picture>("libGiu_27"));
    EXPECT_FALSE(planning.Get<ui::Picture>("libGiu_27").Visible());
    EXPECT_TRUE(planning.Get<ui::Picture>("occGiu_27").Visible());
    EXPECT_EQ(planning.Get<ui::Label>("memGiu_27").Text(), "Società Rossi");

    ChiudiERiapri();
    const std::string bytes = Leggi(File());
    ASSERT_EQ(bytes.size(), 18850u);
    // 27 June: 31 + 29 + 31 + 30 + 31 + 26 = index 178, windows-1252 "à".
    EXPECT_EQ(Campo(bytes, 178), Atteso("Societ\xe0 Rossi"));
    EXPECT_EQ(bytes, pt::RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {{178, "Societ\xe0 Rossi"}}));

    // Shown again: the day is booked and its dialog opens with the text.
    EXPECT_TRUE(planning.Get<ui::Picture>("occGiu_27").Visible());
    h.OnModal<TfrmGiorno>([&](TfrmGiorno& d) {
        EXPECT_EQ(d.txtPrenotazione.Text(), "Società Rossi");
        EXPECT_TRUE(d.icoOccupata.Visible());
        h.Click(d.cmdCancella);
        h.Click(d.btnChiudi);
    });
    h.Click(planning.Get<ui::Picture>("occGiu_27"));
    EXPECT_TRUE(planning.Get<ui::Picture>("libGiu_27").Visible());
    ChiudiERiapri();
    EXPECT_EQ(Campo(Leggi(File()), 178), Atteso(""));
    EXPECT_TRUE(planning.Get<ui::Picture>("libGiu_27").Visible());
}

// Typed or pasted, what windows-1252 cannot hold never enters the booking
// text nor takes room in its 50 characters: the planner file stores what the
// dialog showed.
TEST_F(PlannerPrenotazioni, TheBookingTextTakesOnlyWhatThePlannerFileHolds) {
    ApriPlanner("AB123CD", "2024");
    std::string mostrato;
    h.OnModal<TfrmGiorno>([&](TfrmGiorno& d) {
        h.Type(d, "Łukasz 🚗 Škoda ");
        h.Paste(d, std::string(30, 'M') + "ł\u0085中™äŸ€éxyz");
        mostrato = d.txtPrenotazione.Text();
        h.Click(d.btnChiudi);
    });
    h.Click(planning.Get<ui::Picture>("libGiu_27"));
    EXPECT_EQ(mostrato, "ukasz  Škoda " + std::string(30, 'M') + "™äŸ€éxy");
    ChiudiERiapri();
    const std::string bytes = Leggi(File());
    ASSERT_EQ(bytes.size(), 18850u);
    const std::string cp1252 = "ukasz  \x8Akoda " + std::string(30, 'M') + "\x99\xE4\x9F\x80\xE9xy";
    ASSERT_EQ(cp1252.size(), 50u);
    EXPECT_EQ(Campo(bytes, 178), Atteso(cp1252));
    EXPECT_EQ(planning.Get<ui::Label>("memGiu_27").Text(), mostrato);
}

TEST_F(PlannerPrenotazioni, AConfirmedRangeIsStoredAndComesBack) {
    ApriPlanner("AB123CD", "2024");
    h.OnModal<TfrmIntervallo>([&](TfrmIntervallo& d) {
        EXPECT_EQ(d.lblAnnoInizio.Text(), "2024");
        EXPECT_EQ(d.lblAnnoFine.Text(), "2024");
        EXPECT_EQ(d.infCamera.Text(), "Fiat Ducato");
        EXPECT_EQ(d.Focused(), &d.txtPrenotazione);
        h.Type(d, "Bianchi");
        h.Select(d.txtGiornoInizio, 27);
        h.Select(d.txtMeseInizio, 1);
        h.Select(d.txtGiornoFine, 0);
        h.Select(d.txtMeseFine, 2);
        h.ExpectMessage(
            ui::DialogType::Confirmation,
            "INTERVALLO SELEZIONATO:  DAL  28/02/2024 AL 01/03/2024.\r\n\r\nSi conferma la prenotazione?",
            ui::Answer::Yes);
        h.Click(d.btnChiudi);
    });
    h.Click(planning.cmdIntervallo);
    EXPECT_EQ(h.ModalCount("TfrmIntervallo"), 1);

    ChiudiERiapri();
    const std::string bytes = Leggi(File());
    ASSERT_EQ(bytes.size(), 18850u);
    // 28 February 58, 29 February 59 (bytes 3193 on), 1 March 60.
    EXPECT_EQ(bytes.substr(3193, 8), std::string("\x07"
                                                 "Bianchi"));
    EXPECT_EQ(bytes, pt::RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD",
                                       {{58, "Bianchi"}, {59, "Bianchi"}, {60, "Bianchi"}}));
    for (const char* g : {"Feb_28", "Feb_29", "Mar_01"}) {
        EXPECT_TRUE(planning.Get<ui::Picture>(std::string("occ") + g).Visible()) << g;
        EXPECT_EQ(planning.Get<ui::Label>(std::string("mem") + g).Text(), "Bianchi") << g;
    }
    EXPECT_TRUE(planning.Get<ui::Picture>("libFeb_27").Visible());
    EXPECT_TRUE(planning.Get<ui::Picture>("libMar_02").Visible());
}
