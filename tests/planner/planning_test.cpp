// The planner window: the reset of the day cells, the read-only vehicle
// edits, the status-line hints and the help.
#include <gtest/gtest.h>

#include <string>

#include "PlannerTest.h"
#include "common/Guida.h"
#include "common/HelpText.h"

namespace {

using namespace pt;

class Planning : public PlannerTest {};

TEST_F(Planning, ResetFreesEveryCellAndKeepsTheRest) {
    planning.Show();
    planning.SetCaption(" Dorneval - Planner prenotazioni anno 2024");
    planning.txtAnno.SetText("2024");
    planning.txtMarca.SetText("Fiat");
    for (int i : {0, 59, 365})
        planning.ScriviGiorno(i, "Rossi");
    planning.Cella(100).occ.SetVisible(true); // a cell out of step is put right too
    planning.lblPosizione.SetText("1");
    h.Focus(planning.txtTarga);
    planning.cmdNuovo.OnClick();
    for (int i = 0; i < 366; ++i) {
        ASSERT_TRUE(planning.Cella(i).lib.Visible()) << i;
        ASSERT_FALSE(planning.Cella(i).occ.Visible()) << i;
        ASSERT_EQ(planning.Cella(i).mem.Text(), "") << i;
    }
    EXPECT_EQ(planning.lblPosizione.Text(), "");
    EXPECT_EQ(planning.Focused(), &planning.txtVeicolo);
    EXPECT_EQ(planning.Caption(), " Dorneval - Planner prenotazioni anno 2024");
    EXPECT_EQ(planning.txtAnno.Text(), "2024");
    EXPECT_EQ(planning.txtMarca.Text(), "Fiat");
}

TEST_F(Planning, HiddenPartsAndReadOnlyVehicleEdits) {
    planning.Show();
    for (ui::Control* c :
         {static_cast<ui::Control*>(&planning.lblPosizione), static_cast<ui::Control*>(&planning.cmdSalva),
          static_cast<ui::Control*>(&planning.cmdNuovo), static_cast<ui::Control*>(&planning.panMemGiorni)})
        EXPECT_FALSE(c->Visible()) << c->Name();
    struct Edit {
        ui::Edit& e;
        int max;
    } edits[] = {{planning.txtVeicolo, 50},
                 {planning.txtMarca, 50},
                 {planning.txtModello, 50},
                 {planning.txtTarga, 30}};
    for (auto& [e, max] : edits) {
        EXPECT_TRUE(e.ReadOnly()) << e.Name();
        EXPECT_EQ(e.MaxLength(), max) << e.Name();
        const std::string before = e.Text();
        h.Focus(e);
        h.Type(planning, "abc");
        EXPECT_EQ(e.Text(), before) << e.Name();
    }
}

TEST_F(Planning, HintsOnCommandsAndDaysClearedByTheBackground) {
    planning.Show();
    EXPECT_EQ(planning.panInfo.Text(), "Pronto per archiviare una nuova scheda...");
    struct Hint {
        ui::Control& c;
        const char* text;
    } hints[] = {
        {planning.cmdIntervallo, "Prenota intervallo di tempo."},
        {planning.cmdRiepilogo, "Visualizza il riepilogo delle prenotazioni registrate."},
        {planning.cmdAnteprima, "Visualizza l'anteprima di stampa del planning corrente."},
        {planning.cmdStampa, "Stampa il planning corrente."},
        {planning.cmdGuida, "Visualizza la guida in linea."},
        {planning.cmdEsci, "Esci da questa schermata di lavoro."},
        {planning.Cella(0).lib, "Fai clic sul numero del giorno per inserire o cancellare una prenotazione."},
    };
    for (auto& [c, text] : hints) {
        h.MouseMove(c);
        EXPECT_EQ(planning.panInfo.Text(), text) << c.Name();
        h.MouseMove(planning.Get<ui::Control>("shpSezione01"));
        EXPECT_EQ(planning.panInfo.Text(), "") << c.Name();
    }
    planning.ScriviGiorno(200, "Rossi");
    h.MouseMove(planning.Cella(200).occ);
    EXPECT_EQ(planning.panInfo.Text(),
              "Fai clic sul numero del giorno per inserire o cancellare una prenotazione.");
    // A month title and a vehicle edit leave the last hint.
    h.MouseMove(planning.Get<ui::Control>("titGen"));
    h.MouseMove(planning.txtMarca);
    EXPECT_EQ(planning.panInfo.Text(),
              "Fai clic sul numero del giorno per inserire o cancellare una prenotazione.");
    h.MouseMove(planning);
    EXPECT_EQ(planning.panInfo.Text(), "");
}

TEST_F(Planning, HelpShowsTheSevenParagraphs) {
    planning.Show();
    std::string testo;
    h.OnModal<TfrmGuida>([&](TfrmGuida& g) {
        EXPECT_EQ(g.Owner(), &planning);
        EXPECT_EQ(g.lblTitolo.Text(), "App Planner Prenotazioni");
        testo = g.txtGuida.Text();
        h.Click(g.btnChiudi);
    });
    h.Click(planning.cmdGuida);
    const HelpTopic topic = LoadHelpTopic("planner/Planning.help");
    EXPECT_EQ(topic.paragraphs.size(), 7u);
    EXPECT_EQ(testo, topic.Text());
    EXPECT_EQ(topic.paragraphs[6], "Il planning annuale relativo a ciascun mezzo può essere visualizzato in "
                                   "anteprima o stampato su carta "
                                   "per avere a disposizione il prospetto delle prenotazioni.");
}

} // namespace
