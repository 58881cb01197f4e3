// The day commands and the range command of the planner window: what they
// preset in the booking dialogs, 29 February, and the cells after the
// dialogs return.
#include <gtest/gtest.h>

#include <string>

#include "PlannerTest.h"
#include "bookings/Giorno.h"
#include "bookings/Intervallo.h"
#include "common/GiorniPlanner.h"

namespace {

using namespace pt;

class ComandiGiorno : public PlannerTest {
protected:
    struct Preset {
        std::string key, caption, camera, text;
        bool booked = false;
    };
    // Clicks a picture and returns what the one-day dialog was given.
    Preset ClickDay(ui::Picture& p) {
        Preset got;
        h.OnModal<TfrmGiorno>([&](TfrmGiorno& d) {
            EXPECT_EQ(d.Owner(), &planning);
            got = {d.lblMemory.Text(), d.infGiorno.Text(), d.infCamera.Text(), d.txtPrenotazione.Text(),
                   d.icoOccupata.Visible()};
            h.Click(d.btnAnnulla);
        });
        const int before = h.ModalCount("TfrmGiorno");
        h.Click(p);
        EXPECT_EQ(h.ModalCount("TfrmGiorno"), before + 1);
        return got;
    }
};

TEST_F(ComandiGiorno, EachDayOpensTheDialogWithItsKeyCaptionVehicleAndText) {
    ApriPlanner("AB123CD", "2025", "Fiat", "Ducato");
    struct Caso {
        int index;
        const char* key;
        const char* caption;
    } casi[] = {
        {0, "gen_01", "Prenotazione del 1 gennaio 2025"},
        {178, "giu_27", "Prenotazione del 27 giugno 2025"},
        {273, "set_30", "Prenotazione del 30 settembre 2025"},
        {365, "dic_31", "Prenotazione del 31 dicembre 2025"},
    };
    for (const Caso& c : casi) {
        const Preset p = ClickDay(planning.Cella(c.index).lib);
        EXPECT_EQ(p.key, c.key);
        EXPECT_EQ(p.caption, c.caption);
        EXPECT_EQ(p.camera, "Fiat Ducato");
        EXPECT_EQ(p.text, "");
        EXPECT_FALSE(p.booked);
    }
}

TEST_F(ComandiGiorno, BookedAndFreePictureOpenTheSameDayWithItsTrimmedText) {
    ApriPlanner("AB123CD", "2025");
    planning.ScriviGiorno(40, "  Rossi 333  ");
    const Preset occ = ClickDay(planning.Cella(40).occ);
    EXPECT_EQ(occ.key, "feb_10");
    EXPECT_EQ(occ.caption, "Prenotazione del 10 febbraio 2025");
    EXPECT_EQ(occ.text, "Rossi 333");
    EXPECT_TRUE(occ.booked); // the dialog heard the change of its text
    planning.ScriviGiorno(40, "");
    const Preset lib = ClickDay(planning.Cella(40).lib);
    EXPECT_EQ(lib.key, occ.key);
    EXPECT_EQ(lib.caption, occ.caption);
    EXPECT_EQ(lib.text, "");
}

TEST_F(ComandiGiorno, VehicleTextKeepsItsBlankWhenMakeOrModelIsEmpty) {
    struct Caso {
        const char* marca;
        const char* modello;
        const char* camera;
    } casi[] = {
        {"Fiat", "", "Fiat "},
        {"", "Ducato", " Ducato"},
        {"", "", " "},
    };
    planning.Show();
    for (const Caso& c : casi) {
        planning.txtMarca.SetText(c.marca);
        planning.txtModello.SetText(c.modello);
        EXPECT_EQ(ClickDay(planning.Cella(3).lib).camera, c.camera);
    }
}

TEST_F(ComandiGiorno, TwentyNinthOfFebruaryOnlyInYearsThatHaveIt) {
    planning.Show();
    for (const char* anno : {"2023", "1900", "0000", "2100"}) {
        planning.txtAnno.SetText(anno);
        h.ExpectMessage(ui::DialogType::Warning,
                        std::string("Attenzione: la data 29/02/") + anno +
                            " non esiste.\n\r\n\r"
                            "Per poter effettuare la prenotazione è necessario indicare una data valida.");
        h.Click(planning.Cella(59).lib);
        h.Verify();
        EXPECT_EQ(h.ModalCount("TfrmGiorno"), 0) << anno;
    }
    for (const char* anno : {"2024", "2000", "0004"}) {
        planning.txtAnno.SetText(std::string(" ") + anno + " ");
        const Preset p = ClickDay(planning.Cella(59).lib);
        EXPECT_EQ(p.key, "feb_29");
        EXPECT_EQ(p.caption, std::string("Prenotazione del 29 febbraio ") + anno);
    }
    // The days around it are never checked.
    planning.txtAnno.SetText("2023");
    EXPECT_EQ(ClickDay(planning.Cella(58).lib).key, "feb_28");
    EXPECT_EQ(ClickDay(planning.Cella(60).lib).key, "mar_01");
}

TEST_F(ComandiGiorno, ConfirmedDialogChangesTheCellAndTheFileOnlyAtTheClose) {
    ApriPlanner("AB123CD", "2024");
    const std::string file = PercorsoPlanner("AB123CD", "2024");
    h.OnModal<TfrmGiorno>([&](TfrmGiorno& d) {
        d.txtPrenotazione.SetText("Bianchi");
        h.Click(d.btnChiudi);
    });
    h.Click(planning.Cella(59).lib);
    EXPECT_TRUE(planning.Cella(59).occ.Visible());
    EXPECT_EQ(planning.Cella(59).mem.Text(), "Bianchi");
    EXPECT_EQ(Leggi(file), "");
    h.Click(planning.cmdEsci);
    EXPECT_EQ(Leggi(file), RecordPlanner("Furgone", "Fiat", "Ducato", "AB123CD", {{59, "Bianchi"}}));
}

TEST_F(ComandiGiorno, RangeCommandPresetsTheDialogAndItsBookingsReachTheFile) {
    ApriPlanner("AB123CD", "2024", "Iveco", "");
    int shown = 0;
    h.OnModal<TfrmIntervallo>([&](TfrmIntervallo& d) {
        ++shown;
        EXPECT_EQ(d.Owner(), &planning);
        EXPECT_EQ(d.lblAnnoInizio.Text(), "2024");
        EXPECT_EQ(d.lblAnnoFine.Text(), "2024");
        EXPECT_EQ(d.infCamera.Text(), "Iveco ");
        for (ui::ComboEdit* box : {&d.txtGiornoInizio, &d.txtMeseInizio, &d.txtGiornoFine, &d.txtMeseFine})
            EXPECT_EQ(box->Text(), "") << box->Name();
        EXPECT_EQ(d.txtPrenotazione.Text(), "");
        // What a confirmed range from 28 February to 1 March writes.
        for (int i : {58, 59, 60})
            frmPlanning->ScriviGiorno(i, "Verdi");
        d.Close();
    });
    h.Click(planning.cmdIntervallo);
    EXPECT_EQ(shown, 1);
    h.Click(planning.cmdEsci);
    EXPECT_EQ(
        Leggi(PercorsoPlanner("AB123CD", "2024")),
        RecordPlanner("Furgone", "Iveco", "", "AB123CD", {{58, "Verdi"}, {59, "Verdi"}, {60, "Verdi"}}));
}

} // namespace
