// The gate-register year menu: the year, its key filter, the hand-over to
// the visit card, the route to the statistics, and the help.
#include <gtest/gtest.h>

#include <string>

#include "common/Guida.h"
#include "common/HelpText.h"
#include "gate/MenuRegistro.h"
#include "gate/Registro.h"
#include "gate/Statistiche.h"
#include "tests/support/Harness.h"

namespace {

class MenuTest : public ::testing::Test {
protected:
    ts::Harness h;
    ui::Form main{h.app};
    TfrmRegistro card{h.app};
    TfrmStatistiche stats{h.app};
    TfrmMenuRegistro menu{h.app};

    MenuTest() {
        frmRegistro = &card;
        frmStatistiche = &stats;
        h.SetNow({*rtl::Date::FromYmd(2026, 3, 5), {8, 30, 0}});
        menu.Show();
    }
    ~MenuTest() override {
        frmRegistro = nullptr;
        frmStatistiche = nullptr;
    }
};

} // namespace

TEST_F(MenuTest, AFourDigitYearOpensTheCardOnItsArchive) {
    EXPECT_EQ(menu.txtAnnoFatture.Text(), "2026");
    EXPECT_EQ(menu.lblMemory.Text(), "avvio");
    EXPECT_EQ(menu.Focused(), &menu.txtAnnoFatture);
    menu.txtAnnoFatture.SetText("");
    h.Type(menu, "2x0.1 9");
    EXPECT_EQ(menu.txtAnnoFatture.Text(), "2019");
    // Enter presses the register's "Apri".
    h.Press(menu, ui::vk::Return, U'\r');
    EXPECT_FALSE(menu.Visible());
    EXPECT_TRUE(card.Visible());
    EXPECT_EQ(card.lblFile.Text(), h.DataFolder() + "2019.vis");
    EXPECT_EQ(card.Caption(), " Dorneval - Registro Visitatori anno 2019");
    EXPECT_EQ(card.txtDataEnt.Text(), "05/03/2026");
    EXPECT_EQ(card.txtOraEnt.Text(), "08:30");
    EXPECT_FALSE(rtl::FileExists(h.DataFolder() + "2019.vis")); // no file is opened here

    // The next showing starts again from the current year and "avvio".
    menu.Show();
    EXPECT_EQ(menu.txtAnnoFatture.Text(), "2026");
    EXPECT_EQ(menu.lblMemory.Text(), "avvio");
}

TEST_F(MenuTest, AShortYearIsRefusedAndTheStatisticsNeedNone) {
    menu.txtAnnoFatture.SetText("202");
    h.Focus(menu.btnApriFatture);
    h.ExpectMessage(ui::DialogType::Warning, "Attenzione: indicare l'anno solare utilizzando quattro cifre.");
    h.Click(menu.btnApriFatture);
    h.Verify();
    EXPECT_TRUE(menu.Visible());
    EXPECT_EQ(menu.Focused(), &menu.txtAnnoFatture);
    EXPECT_EQ(menu.lblMemory.Text(), "avvio");
    EXPECT_EQ(card.lblFile.Text(), "");

    h.Click(menu.btnApriRiepStats);
    EXPECT_FALSE(menu.Visible());
    EXPECT_TRUE(stats.Visible());
    EXPECT_FALSE(card.Visible());
    EXPECT_EQ(stats.txtAnno.Text(), "2026");
}

TEST_F(MenuTest, HelpIsTheCardsFollowedByTheStatisticsAsOneParagraph) {
    std::string text;
    h.OnModal<TfrmGuida>([&](TfrmGuida& g) {
        EXPECT_EQ(g.lblTitolo.Text(), "App Registro Visitatori");
        text = g.txtGuida.Text();
        h.Click(g.btnChiudi);
    });
    h.Click(menu.imgGuida);
    const HelpTopic card = LoadHelpTopic("gate/Registro.help");
    ASSERT_EQ(card.paragraphs.size(), 6u);
    const std::string seventh = "L'app Statistiche transiti veicoli consente di visualizzare e stampare "
                                "grafici statistici sugli ingressi e "
                                "sulle uscite registrate nell'anno solare selezionato. L'utente può "
                                "scegliere se visualizzare i dati sotto "
                                "forma di grafico a torta oppure di grafico a barre tridimensionali. Il "
                                "grafico mostra il numero di ingressi "
                                "e uscite relativamente a ciascun mese dell'anno. La prima operazione da "
                                "eseguire per visualizzare i grafici "
                                "statistici è quella di indicare l'anno solare di interesse. A questo punto, "
                                "facendo clic sul pulsante Apri, "
                                "si avrà accesso a una nuova finestra in cui compare il grafico statistico "
                                "degli ingressi e delle uscite dei "
                                "veicoli. Il grafico che appare è costituito da dodici barre "
                                "tridimensionali, ognuna corrispondente a un mese "
                                "dell'anno solare. Più la barra è alta, più i transiti dei veicoli sono "
                                "stati numerosi. L'utente ha la "
                                "possibilità di visualizzare le stesse statistiche sotto forma di grafico a "
                                "torta facendo clic sull'apposito "
                                "pulsante posizionato in basso. Per tornare a visualizzare il grafico a "
                                "barre, basta premere il pulsante "
                                "corrispondente. Il pulsante Stampa grafico consente di ottenere su carta il "
                                "grafico visualizzato in quel "
                                "momento unitamente ai dati relativi ai transiti mensili.";
    EXPECT_EQ(text, card.Text() + "\r\n\r\n" + seventh);
    EXPECT_EQ(card.paragraphs[4],
              "Si può richiamare una scheda anche utilizzando le frecce di scorrimento, che "
              "consentono di visualizzare il record precedente o quello successivo, oppure di "
              "posizionarsi in testa o in coda all'archivio.");
}
