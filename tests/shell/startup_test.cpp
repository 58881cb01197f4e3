#include "shell/WindowSet.h"

#include "shell/Password.h"
#include "tests/support/Harness.h"

#include <gtest/gtest.h>

TEST(Startup, CreatesEveryWindowOnceInOrderWithOnlyTheLoginVisible) {
    ts::Harness h;
    WindowSet windows(h.app);
    const char* order[] = {"TfrmPassword",
                           "TfrmAvvio",
                           "TfrmCambiaPassword",
                           "TfrmGuida",
                           "TfrmInfo",
                           "TfrmSplash",
                           "TfrmAllegaCartella",
                           "TfrmAnagrafica",
                           "TfrmAnteprimaFoglio",
                           "TfrmCalendario",
                           "TfrmCarta",
                           "TfrmCodFisc",
                           "TfrmExpAnagrafica",
                           "TfrmExpFogli",
                           "TfrmFerie",
                           "TfrmIban",
                           "TfrmMenuFogli",
                           "TfrmNumerazione",
                           "TfrmPartitaIva",
                           "TfrmRiepAperti",
                           "TfrmServizio",
                           "TfrmStampaConduttore",
                           "TfrmStampaFoglio",
                           "TfrmTrasferte",
                           "TfrmTrovaAnagrafica",
                           "TfrmTrovaFogli",
                           "TfrmFogli",
                           "TfrmAllegaExcel",
                           "TfrmAnteprimaAutomezzo",
                           "TfrmAutoparco",
                           "TfrmExpAutoparco",
                           "TfrmMenuScadenze",
                           "TfrmScadAssicurazione",
                           "TfrmScadBollo",
                           "TfrmScadRevisione",
                           "TfrmScadTagliando",
                           "TfrmSlideshow_Automezzi",
                           "TfrmStampaAutomezzo",
                           "TfrmTrovaAutomezzi",
                           "TfrmZoom",
                           "TfrmMenuDisponibili",
                           "TfrmPlanning",
                           "TfrmGiorno",
                           "TfrmIntervallo",
                           "TfrmStampaPlanning",
                           "TfrmAnteprimaPlanning",
                           "TfrmRiepPrenotazioni",
                           "TfrmMenuRegistro",
                           "TfrmRegistro",
                           "TfrmStatistiche",
                           "TfrmExpVisite",
                           "TfrmStampaVisita",
                           "TfrmUscitiOggi",
                           "TfrmEntratiOggi",
                           "TfrmNonUsciti",
                           "TfrmTrovaVisite"};
    const auto& forms = h.app.Forms();
    ASSERT_EQ(forms.size(), std::size(order));
    for (std::size_t i = 0; i < forms.size(); ++i)
        EXPECT_EQ(forms[i]->ClassName(), order[i]) << "window " << i + 1;

    h.app.Run();
    EXPECT_EQ(h.app.MainForm(), frmPassword);
    for (ui::Form* f : forms)
        EXPECT_EQ(f->Visible(), f == frmPassword) << f->ClassName();
    EXPECT_EQ(frmPassword->Focused(), &frmPassword->txtPassword);
    EXPECT_TRUE(frmPassword->effPassword.Visible());
}
