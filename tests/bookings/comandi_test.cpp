#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/bookings/Prenotazioni.h"

namespace {

const char* const kVuoto = "Attenzione: il campo di testo non contiene nessun dato da copiare in memoria.";
const char* const kCopiato = "Il contenuto del campo di testo è stato copiato in memoria.";

// The parts of a booking dialog the commands use, for either dialog.
struct Dialogo {
    std::shared_ptr<ui::Form> form;
    ui::Edit* testo;
    ui::Picture* cancella;
    ui::Picture* clipboard;
    ui::Button* chiudi;
};

class ComandiTest : public bt::BookingTest, public ::testing::WithParamInterface<const char*> {
protected:
    Dialogo Apri() {
        if (std::string(GetParam()) == "TfrmGiorno") {
            std::shared_ptr<TfrmGiorno> g =
                ApriGiorno("gen_10", "Prenotazione del 10 gennaio 2024", "Fiat Panda", "");
            return {g, &g->txtPrenotazione, &g->cmdCancella, &g->cmdClipboard, &g->btnChiudi};
        }
        std::shared_ptr<TfrmIntervallo> i = ApriIntervallo("2024");
        return {i, &i->txtPrenotazione, &i->cmdCancella, &i->cmdClipboard, &i->btnChiudi};
    }
    // Puts a text in the booking text as a user types it.
    void Scrivi(Dialogo& d, const std::string& t) {
        h.Focus(*d.testo);
        d.testo->SelectAll();
        h.Press(*d.form, ui::vk::Delete);
        h.Type(*d.form, t);
    }
};

class ComandoCancellaTest : public bt::BookingTest {};

} // namespace

INSTANTIATE_TEST_SUITE_P(Dialoghi, ComandiTest, ::testing::Values("TfrmGiorno", "TfrmIntervallo"));

TEST_P(ComandiTest, ClipboardOfABlankTextWarnsAndLeavesTheClipboard) {
    Dialogo d = Apri();
    for (const char* t : {"", "   "}) {
        Scrivi(d, t);
        h.Focus(*d.chiudi);
        h.ExpectMessage(ui::DialogType::Warning, kVuoto);
        h.Click(*d.clipboard);
        h.Verify();
        EXPECT_EQ(d.form->Focused(), d.testo);
        EXPECT_FALSE(h.Clipboard().has_value());
        EXPECT_EQ(d.testo->Text(), t);
    }
    // Also where there is no clipboard at all: the test comes first.
    h.SetClipboardAvailable(false);
    h.ExpectMessage(ui::DialogType::Warning, kVuoto);
    h.Click(*d.clipboard);
}

TEST_P(ComandiTest, ClipboardTakesTheTextUntrimmedAndReplacesItsContent) {
    Dialogo d = Apri();
    Scrivi(d, "  Rossi Mario  ");
    h.Focus(*d.chiudi);
    for (int volta = 0; volta < 2; ++volta) {
        h.ExpectMessage(ui::DialogType::Information, kCopiato);
        h.Click(*d.clipboard);
        h.Verify();
        EXPECT_EQ(h.Clipboard(), "  Rossi Mario  ");
    }
    EXPECT_EQ(d.form->Focused(), d.chiudi) << "the clipboard picture takes no focus";
    EXPECT_EQ(d.testo->Text(), "  Rossi Mario  ");

    const std::string cinquanta = "Autonoleggi Rossi & Figli s.a.s. - tel. 0351234567";
    ASSERT_EQ(cinquanta.size(), 50u);
    Scrivi(d, cinquanta);
    h.ExpectMessage(ui::DialogType::Information, kCopiato);
    h.Click(*d.clipboard);
    EXPECT_EQ(h.Clipboard(), cinquanta);
}

TEST_P(ComandiTest, ClearEmptiesTheTextAndFocusesIt) {
    Dialogo d = Apri();
    Scrivi(d, "Rossi");
    h.Focus(*d.chiudi);
    h.Click(*d.cancella);
    EXPECT_EQ(d.testo->Text(), "");
    EXPECT_EQ(d.form->Focused(), d.testo);
    // On an empty text it only moves the focus.
    h.Focus(*d.chiudi);
    h.Click(*d.cancella);
    EXPECT_EQ(d.testo->Text(), "");
    EXPECT_EQ(d.form->Focused(), d.testo);
    // Then the clipboard command finds nothing to copy.
    h.ExpectMessage(ui::DialogType::Warning, kVuoto);
    h.Click(*d.clipboard);
}

TEST_P(ComandiTest, NoClipboardDoesNothing) {
    Dialogo d = Apri();
    Scrivi(d, "Rossi");
    h.Focus(*d.chiudi);
    h.SetClipboardAvailable(false);
    h.Click(*d.clipboard);
    EXPECT_EQ(d.form->Focused(), d.chiudi);
    EXPECT_EQ(d.testo->Text(), "Rossi");
}

TEST_P(ComandiTest, AFailingClipboardShowsItsErrorAndTheDialogGoesOn) {
    Dialogo d = Apri();
    Scrivi(d, " Rossi ");
    h.SetClipboardFailure("Appunti occupati da un altro programma.");
    h.ExpectMessage(ui::DialogType::Error, "Appunti occupati da un altro programma.");
    h.Click(*d.clipboard);
    h.Verify();
    EXPECT_EQ(d.testo->Text(), " Rossi ");
    EXPECT_TRUE(d.form->Visible());

    // The dialog is still usable, and copies once the clipboard works again.
    h.SetClipboardFailure(std::nullopt);
    h.ExpectMessage(ui::DialogType::Information, kCopiato);
    h.Click(*d.clipboard);
    EXPECT_EQ(h.Clipboard(), " Rossi ");
    h.Click(*d.cancella);
    EXPECT_EQ(d.testo->Text(), "");
}

TEST_F(ComandoCancellaTest, ClearInTheOneDayDialogShowsFreeButKeepsTheCellUntilApplied) {
    Prenota("Gen_10", "Rossi");
    const bt::Celle prima = StatoCelle();
    auto g = ApriGiorno("gen_10", "Prenotazione del 10 gennaio 2024", "Fiat Panda", "Rossi");
    EXPECT_TRUE(g->icoOccupata.Visible());
    h.Click(g->cmdCancella);
    EXPECT_TRUE(g->icoLibera.Visible());
    EXPECT_TRUE(g->icnLibera.Visible());
    EXPECT_FALSE(g->icoOccupata.Visible());
    EXPECT_FALSE(g->icnOccupata.Visible());
    EXPECT_EQ(g->Focused(), &g->txtPrenotazione);
    Attese(prima, {});
    h.Click(g->btnAnnulla);
    Attese(prima, {});

    auto again = ApriGiorno("gen_10", "Prenotazione del 10 gennaio 2024", "Fiat Panda", "Rossi");
    h.Click(again->cmdCancella);
    h.Click(again->btnChiudi);
    Attese(prima, {{"Gen_10", bt::Cella{true, false, ""}}});
}

TEST_F(ComandoCancellaTest, ClearInTheRangeDialogThenApplyAsksForTheCustomer) {
    auto i = ApriIntervallo("2024");
    h.Select(i->txtGiornoInizio, 0);
    h.Select(i->txtMeseInizio, 0);
    h.Select(i->txtGiornoFine, 1);
    h.Select(i->txtMeseFine, 0);
    h.Focus(i->txtPrenotazione);
    h.Type(*i, "Rossi");
    h.Click(i->cmdCancella);
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: per effettuare la prenotazione è necessario indicare il nome del cliente.");
    h.Click(i->btnChiudi);
    EXPECT_EQ(i->Focused(), &i->txtPrenotazione);
}
