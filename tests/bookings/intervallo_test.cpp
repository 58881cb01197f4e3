#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "tests/bookings/Prenotazioni.h"

namespace {

using bt::Cella;

class IntervalloTest : public bt::BookingTest {
protected:
    // Picks day and month (1-based) of start and end from the lists, as a user does.
    void Scegli(TfrmIntervallo& d, int gi, int mi, int gf, int mf) {
        h.Select(d.txtGiornoInizio, gi - 1);
        h.Select(d.txtMeseInizio, mi - 1);
        h.Select(d.txtGiornoFine, gf - 1);
        h.Select(d.txtMeseFine, mf - 1);
    }
    void Nome(TfrmIntervallo& d, const std::string& testo) {
        h.Focus(d.txtPrenotazione);
        h.Type(d, testo);
    }
    static std::array<std::string, 5> Campi(const TfrmIntervallo& d) {
        return {d.txtGiornoInizio.Text(), d.txtMeseInizio.Text(), d.txtGiornoFine.Text(),
                d.txtMeseFine.Text(), d.txtPrenotazione.Text()};
    }
    static std::string Data(int g, int m, const std::string& anno) {
        return (g < 10 ? "0" : "") + std::to_string(g) + (m < 10 ? "/0" : "/") + std::to_string(m) + "/" +
               anno;
    }
    static std::string Domanda(const std::string& dal, const std::string& al) {
        return "INTERVALLO SELEZIONATO:  DAL  " + dal + " AL " + al + ".\r\n\r\nSi conferma la prenotazione?";
    }
};

} // namespace

TEST_F(IntervalloTest, OpensAsThePlannerPresetsIt) {
    auto dlg = ApriIntervallo("2024", "Fiat Ducato");
    EXPECT_EQ(dlg->Caption(), " Prenotazione noleggio veicolo per intervallo di tempo");
    EXPECT_EQ(dlg->ClientWidth(), 778);
    EXPECT_EQ(dlg->ClientHeight(), 366);
    EXPECT_EQ(dlg->lblAnnoInizio.Text(), "2024");
    EXPECT_EQ(dlg->lblAnnoFine.Text(), "2024");
    EXPECT_EQ(dlg->infCamera.Text(), "Fiat Ducato");
    EXPECT_EQ(dlg->Focused(), &dlg->txtPrenotazione);
    EXPECT_EQ(dlg->txtPrenotazione.Text(), "");
    EXPECT_EQ(dlg->txtPrenotazione.MaxLength(), 50);
    EXPECT_FALSE(dlg->lblDataInizio.Visible());
    EXPECT_FALSE(dlg->lblDataFine.Visible());
    EXPECT_FALSE(dlg->lblMemory.Visible());
    EXPECT_EQ(dlg->lblMemory.Text(), "lblMemory");

    std::vector<std::string> giorni;
    for (int d = 1; d <= 31; ++d)
        giorni.push_back((d < 10 ? "0" : "") + std::to_string(d));
    const std::vector<std::string> mesi = {"Gennaio",   "Febbraio", "Marzo",    "Aprile",
                                           "Maggio",    "Giugno",   "Luglio",   "Agosto",
                                           "Settembre", "Ottobre",  "Novembre", "Dicembre"};
    for (ui::ComboEdit* c : {&dlg->txtGiornoInizio, &dlg->txtGiornoFine})
        EXPECT_EQ(c->Items(), giorni) << c->Name();
    for (ui::ComboEdit* c : {&dlg->txtMeseInizio, &dlg->txtMeseFine})
        EXPECT_EQ(c->Items(), mesi) << c->Name();
    for (ui::ComboEdit* c :
         {&dlg->txtGiornoInizio, &dlg->txtMeseInizio, &dlg->txtGiornoFine, &dlg->txtMeseFine}) {
        EXPECT_EQ(c->ItemIndex(), -1) << c->Name();
        EXPECT_EQ(c->Text(), "") << c->Name();
    }
    for (ui::Rectangle* r :
         {&dlg->effGiornoInizio, &dlg->effMeseInizio, &dlg->effGiornoFine, &dlg->effMeseFine})
        EXPECT_FALSE(r->Visible()) << r->Name();
}

TEST_F(IntervalloTest, EachRefusalGivesOneMessageAndChangesNoCell) {
    struct Caso {
        const char* caso;
        std::array<const char*, 5> campi; // the four selectors and the booking text
        const char* anno;
        ui::DialogType tipo;
        std::string testo;
        const char* fuoco; // where the focus ends; "btnChiudi" = where the press left it
        const char* dataInizio;
        const char* dataFine;
    };
    const std::string inizio = "Attenzione: la data ";
    const std::string dopoInizio =
        std::string(" di inizio intervallo non esiste.") + bt::kLfCr +
        "Per poter effettuare la prenotazione è necessario indicare una data valida.";
    const std::string dopoFine = std::string(" di fine intervallo non esiste.") + bt::kLfCr +
                                 "Per effettuare la prenotazione è necessario indicare una data valida.";
    auto ordine = [](const std::string& fine, const std::string& ini) {
        return "Attenzione: la data di fine intervallo (" + fine +
               ") non può essere anteriore a quella di inizio intervallo (" + ini + ")." + bt::kLfCr +
               "Per effettuare la prenotazione è necessario indicare un intervallo di tempo valido.";
    };
    const auto W = ui::DialogType::Warning;
    const auto P = ui::DialogType::Plain;
    const std::vector<Caso> casi = {
        {"all empty",
         {"", "", "", "", "Rossi"},
         "2024",
         W,
         "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata.",
         "txtGiornoInizio",
         "",
         ""},
        {"start month empty",
         {"05", "", "", "", "Rossi"},
         "2024",
         W,
         "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata.",
         "txtMeseInizio",
         "",
         ""},
        {"end day empty",
         {"05", "Marzo", "  ", "Marzo", "Rossi"},
         "2024",
         W,
         "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata.",
         "txtGiornoFine",
         "",
         ""},
        {"end month empty before a bad start date",
         {"31", "Aprile", "01", "", "Rossi"},
         "2025",
         W,
         "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata.",
         "txtMeseFine",
         "",
         ""},
        {"31 April",
         {"31", "Aprile", "01", "Maggio", "Rossi"},
         "2025",
         P,
         inizio + "31/04/2025" + dopoInizio,
         "txtGiornoInizio",
         "31/04/2025",
         ""},
        {"29 February of a common year",
         {"29", "Febbraio", "01", "Marzo", "Rossi"},
         "2025",
         P,
         inizio + "29/02/2025" + dopoInizio,
         "txtGiornoInizio",
         "29/02/2025",
         ""},
        {"bad end date",
         {"01", "Gennaio", "29", "Febbraio", "Rossi"},
         "1900",
         P,
         inizio + "29/02/1900" + dopoFine,
         "txtGiornoFine",
         "01/01/1900",
         "29/02/1900"},
        {"reversed range",
         {"10", "Marzo", "09", "Marzo", "Rossi"},
         "2024",
         P,
         ordine("09/03/2024", "10/03/2024"),
         "btnChiudi",
         "10/03/2024",
         "09/03/2024"},
        {"reversed as dates, in order as texts",
         {"01", "Dicembre", "02", "Gennaio", "Rossi"},
         "2024",
         P,
         ordine("02/01/2024", "01/12/2024"),
         "btnChiudi",
         "01/12/2024",
         "02/01/2024"},
        {"blank name",
         {"01", "Marzo", "05", "Marzo", "   "},
         "2024",
         W,
         "Attenzione: per effettuare la prenotazione è necessario indicare il nome del cliente.",
         "txtPrenotazione",
         "01/03/2024",
         "05/03/2024"},
        {"start month names no month",
         {"01", "Mar", "05", "Marzo", "Rossi"},
         "2024",
         P,
         inizio + dopoInizio,
         "txtGiornoInizio",
         "",
         ""},
        {"end month names no month",
         {"01", "Marzo", "05", "Marzo.", "Rossi"},
         "2024",
         P,
         inizio + dopoFine,
         "txtGiornoFine",
         "01/03/2024",
         ""},
        {"year that is no year",
         {"01", "Gennaio", "05", "Gennaio", "Rossi"},
         "ANNO",
         P,
         inizio + "01/01/ANNO" + dopoInizio,
         "txtGiornoInizio",
         "01/01/ANNO",
         ""},
        {"year 0",
         {"01", "Gennaio", "05", "Gennaio", "Rossi"},
         "0000",
         P,
         inizio + "01/01/0000" + dopoInizio,
         "txtGiornoInizio",
         "01/01/0000",
         ""},
    };
    Prenota("Mar_03", "Bianchi");
    const bt::Celle prima = StatoCelle();
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.caso);
        auto dlg = ApriIntervallo(c.anno);
        ui::Control* controlli[] = {&dlg->txtGiornoInizio, &dlg->txtMeseInizio, &dlg->txtGiornoFine,
                                    &dlg->txtMeseFine, &dlg->txtPrenotazione};
        for (std::size_t i = 0; i < 5; ++i)
            controlli[i]->SetText(c.campi[i]);
        const auto stavano = Campi(*dlg);

        h.ExpectMessage(c.tipo, c.testo);
        h.Click(dlg->btnChiudi);
        h.Verify();
        EXPECT_TRUE(dlg->Visible());
        ASSERT_NE(dlg->Focused(), nullptr);
        EXPECT_EQ(dlg->Focused()->Name(), c.fuoco);
        EXPECT_EQ(Campi(*dlg), stavano);
        EXPECT_EQ(dlg->lblDataInizio.Text(), c.dataInizio);
        EXPECT_EQ(dlg->lblDataFine.Text(), c.dataFine);
        Attese(prima, {});
    }
}

TEST_F(IntervalloTest, OnlyYesBooks) {
    Prenota("Apr_02", "Bianchi");
    const bt::Celle prima = StatoCelle();
    auto dlg = ApriIntervallo("2024");
    Scegli(*dlg, 1, 4, 3, 4);
    Nome(*dlg, "Rossi");
    const auto stavano = Campi(*dlg);

    // No, a dismissed question or Cancel: nothing booked, every field kept,
    // and the next press asks again.
    for (ui::Answer a : {ui::Answer::No, ui::Answer::None, ui::Answer::Cancel}) {
        h.ExpectMessage(ui::DialogType::Confirmation, Domanda("01/04/2024", "03/04/2024"), a);
        h.Click(dlg->btnChiudi);
        h.Verify();
        EXPECT_TRUE(dlg->Visible());
        EXPECT_EQ(dlg->Focused(), &dlg->btnChiudi);
        EXPECT_EQ(Campi(*dlg), stavano);
        Attese(prima, {});
    }

    h.ExpectMessage(ui::DialogType::Confirmation, Domanda("01/04/2024", "03/04/2024"), ui::Answer::Yes);
    h.Click(dlg->btnChiudi);
    EXPECT_FALSE(dlg->Visible());
    Attese(prima, {{"Apr_01", Cella{false, true, "Rossi"}},
                   {"Apr_02", Cella{false, true, "Rossi"}},
                   {"Apr_03", Cella{false, true, "Rossi"}}});
}

TEST_F(IntervalloTest, MarksEveryDayOfTheRangeAndNoOther) {
    struct Caso {
        const char* anno;
        const char* annoFine;
        int gi, mi, gf, mf;
        const char* primo; // first and last cell booked, in calendar order
        const char* ultimo;
        bool con29; // whether 29 February, when inside, is a day of the year
    };
    const std::vector<Caso> casi = {
        {"2024", "2024", 15, 6, 15, 6, "Giu_15", "Giu_15", true},
        {"2024", "2024", 1, 1, 31, 12, "Gen_01", "Dic_31", true},
        {"2025", "2025", 1, 1, 31, 12, "Gen_01", "Dic_31", false},
        {"2024", "2024", 28, 2, 1, 3, "Feb_28", "Mar_01", true},
        {"2025", "2025", 28, 2, 1, 3, "Feb_28", "Mar_01", false},
        {"2000", "2000", 28, 2, 1, 3, "Feb_28", "Mar_01", true},
        {"1900", "1900", 28, 2, 1, 3, "Feb_28", "Mar_01", false},
        {"2024", "2024", 30, 1, 2, 2, "Gen_30", "Feb_02", true}, // the start day number is the larger
        {"2024", "2024", 2, 1, 1, 12, "Gen_02", "Dic_01", true},
        {"2024", "2025", 1, 12, 31, 1, "Dic_01", "Dic_31", true}, // only the days of the start year
    };
    const std::vector<std::string> nomi = bt::NomiGiorni();
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::string(c.anno) + " " + c.primo + " - " + c.ultimo);
        for (const std::string& g : nomi)
            Prenota(g, "");
        // Bookings before, inside and after the range, and on 29 February.
        for (const char* g : {"Gen_01", "Gen_29", "Feb_28", "Feb_29", "Mar_02", "Giu_15", "Dic_31"})
            Prenota(g, "Vecchio");
        const bt::Celle prima = StatoCelle();

        auto dlg = ApriIntervallo(c.anno);
        dlg->lblAnnoFine.SetText(c.annoFine);
        Scegli(*dlg, c.gi, c.mi, c.gf, c.mf);
        Nome(*dlg, "  Nuovo  Cliente ");
        h.ExpectMessage(ui::DialogType::Confirmation,
                        Domanda(Data(c.gi, c.mi, c.anno), Data(c.gf, c.mf, c.annoFine)), ui::Answer::Yes);
        h.Click(dlg->btnChiudi);
        h.Verify();
        EXPECT_FALSE(dlg->Visible());

        bt::Celle cambiate;
        const auto da = std::find(nomi.begin(), nomi.end(), c.primo);
        const auto a = std::find(nomi.begin(), nomi.end(), c.ultimo);
        for (auto it = da; it <= a; ++it)
            if (*it != "Feb_29" || c.con29) cambiate[*it] = Cella{false, true, "Nuovo  Cliente"};
        Attese(prima, cambiate);
        int nuovi = 0;
        for (const auto& [g, cella] : StatoCelle())
            nuovi += cella.testo == "Nuovo  Cliente";
        EXPECT_EQ(nuovi, int(cambiate.size()));
    }
}

TEST_F(IntervalloTest, EnterInTheTextGoesToApplyWithoutPressingIt) {
    auto dlg = ApriIntervallo("2024");
    Scegli(*dlg, 1, 5, 2, 5);
    Nome(*dlg, "Rossi");
    for (ui::Mod m : {ui::Mod::None, ui::Mod::Shift}) {
        h.Focus(dlg->txtPrenotazione);
        h.Press(*dlg, ui::vk::Return, 0, m);
        EXPECT_EQ(dlg->Focused(), &dlg->btnChiudi);
        EXPECT_TRUE(dlg->Visible());
    }
    // From the button, Enter presses it.
    h.ExpectMessage(ui::DialogType::Confirmation, Domanda("01/05/2024", "02/05/2024"), ui::Answer::No);
    h.Press(*dlg, ui::vk::Return);
}

TEST_F(IntervalloTest, ARangeIsBookedByKeyboardAlone) {
    const bt::Celle prima = StatoCelle();
    auto dlg = ApriIntervallo("2024");
    // Shift+Tab from the name back to the first day box; then each box by its
    // keys, Enter moving on.
    for (int i = 0; i < 4; ++i)
        h.Tab(*dlg, true);
    ASSERT_EQ(dlg->Focused(), &dlg->txtGiornoInizio);
    h.Type(*dlg, "28");
    h.Press(*dlg, ui::vk::Return);
    h.Type(*dlg, "feb");
    h.Press(*dlg, ui::vk::Return);
    h.Press(*dlg, ui::vk::Down);
    h.Press(*dlg, ui::vk::Down); // "02"
    h.Press(*dlg, ui::vk::Return);
    h.Press(*dlg, ui::vk::F4);
    h.Type(*dlg, "mar");
    h.Press(*dlg, ui::vk::Return); // picks in the list
    h.Press(*dlg, ui::vk::Return); // moves on to the name
    ASSERT_EQ(dlg->Focused(), &dlg->txtPrenotazione);
    h.Type(*dlg, "Rossi");
    h.Press(*dlg, ui::vk::Return);
    h.ExpectMessage(ui::DialogType::Confirmation, Domanda("28/02/2024", "02/03/2024"), ui::Answer::Yes);
    h.Press(*dlg, ui::vk::Return);
    h.Verify();
    EXPECT_FALSE(dlg->Visible());
    bt::Celle cambiate;
    for (const char* g : {"Feb_28", "Feb_29", "Mar_01", "Mar_02"})
        cambiate[g] = Cella{false, true, "Rossi"};
    Attese(prima, cambiate);
}

TEST_F(IntervalloTest, EscapeCancelsFromAnyField) {
    const bt::Celle prima = StatoCelle();
    for (int campo = 0; campo < 5; ++campo) {
        auto dlg = ApriIntervallo("2024");
        Scegli(*dlg, 1, 5, 2, 5);
        Nome(*dlg, "Rossi");
        ui::Edit* campi[] = {&dlg->txtGiornoInizio, &dlg->txtMeseInizio, &dlg->txtGiornoFine,
                             &dlg->txtMeseFine, &dlg->txtPrenotazione};
        h.Focus(*campi[campo]);
        h.Press(*dlg, ui::vk::Escape);
        EXPECT_FALSE(dlg->Visible()) << campi[campo]->Name();
    }
    Attese(prima, {});
}

TEST_F(IntervalloTest, CancelChecksNothingAndBooksNothing) {
    const bt::Celle prima = StatoCelle();
    auto dlg = ApriIntervallo("2024");
    Scegli(*dlg, 31, 4, 1, 1);
    Nome(*dlg, "Rossi");
    h.Click(dlg->btnAnnulla);
    EXPECT_FALSE(dlg->Visible());
    Attese(prima, {});
}

TEST_F(IntervalloTest, WithoutThePlannerNothingIsWrittenAndTheDialogStaysOpen) {
    auto dlg = ApriIntervallo("2024", "Fiat Ducato", false);
    Scegli(*dlg, 1, 5, 2, 5);
    Nome(*dlg, "Rossi");
    const bt::Celle prima = StatoCelle();
    h.ExpectMessage(ui::DialogType::Confirmation, Domanda("01/05/2024", "02/05/2024"), ui::Answer::Yes);
    h.Click(dlg->btnChiudi);
    h.Verify();
    EXPECT_TRUE(dlg->Visible());
    Attese(prima, {});
}
