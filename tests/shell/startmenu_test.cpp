#include "shell_fixture.h"

#include "common/Guida.h"
#include "common/HelpText.h"
#include "drivers/Anagrafica.h"
#include "drivers/ExpAnagrafica.h"
#include "gate/ExpVisite.h"
#include "gate/MenuRegistro.h"
#include "gate/Registro.h"
#include "gate/Statistiche.h"
#include "planner/MenuDisponibili.h"
#include "planner/Planning.h"
#include "shell/Avvio.h"
#include "shell/Info.h"
#include "shell/Password.h"
#include "shell/Splash.h"
#include "tripsheets/ExpFogli.h"
#include "tripsheets/Fogli.h"
#include "tripsheets/MenuFogli.h"
#include "vehicles/Autoparco.h"
#include "vehicles/ExpAutoparco.h"
#include "vehicles/MenuScadenze.h"
#include "vehicles/TrovaAutomezzi.h"

#include <memory>

class StartMenu : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        frmPassword->Hide();
        frmAvvio->Show();
    }
};

TEST_F(StartMenu, EachTileShowsItsWindowAndHidesTheMenu) {
    TfrmAvvio& m = *frmAvvio;
    struct Tile {
        ui::Picture& img;
        ui::Picture& btn;
        ui::Form* window;
    } tiles[] = {
        {m.imgApp04, m.btnApp04, frmAutoparco},       {m.imgApp02, m.btnApp02, frmMenuScadenze},
        {m.imgApp03, m.btnApp03, frmMenuDisponibili}, {m.imgApp07, m.btnApp07, frmAnagrafica},
        {m.imgApp06, m.btnApp06, frmMenuFogli},       {m.imgApp08, m.btnApp08, frmMenuRegistro},
    };
    for (auto& t : tiles) {
        for (ui::Picture* command : {&t.img, &t.btn}) {
            h.Click(*command);
            EXPECT_TRUE(t.window->Visible()) << command->Name();
            EXPECT_FALSE(m.Visible()) << command->Name();
            // Leaving the window (its close) comes back to the start menu.
            t.window->Close();
            EXPECT_FALSE(t.window->Visible()) << command->Name();
            EXPECT_TRUE(m.Visible()) << command->Name();
        }
    }
}

TEST_F(StartMenu, CloseBoxAndExitPictureBothEndTheProgram) {
    h.CloseWindow(*frmAvvio);
    EXPECT_TRUE(h.app.Terminated());
    frmAvvio->Show();
    h.app.Run();
    frmPassword->Hide();
    frmAvvio->Show();
    EXPECT_FALSE(h.app.Terminated());
    h.Click(frmAvvio->imgEsci);
    EXPECT_TRUE(h.app.Terminated());
}

TEST_F(StartMenu, AboutAndSplashOpenModallyAndLinksReachTheOpener) {
    h.OnModal<TfrmInfo>([&](TfrmInfo& f) {
        EXPECT_EQ(f.Owner(), frmAvvio);
        EXPECT_EQ(f.Caption(), " Informazioni su Dorneval");
        ui::MouseEvent e;
        ui::input::MouseDown(f.lnkWeb, e);
        EXPECT_EQ(f.lnkWeb.GetFont().color, 0xFFFFA500u);
        ui::input::MouseUp(f.lnkWeb, e);
        EXPECT_EQ(f.lnkWeb.GetFont().color, 0xFF00008Bu);
        h.Click(f.lnkWeb);
        h.Click(f.imgEmail);
        h.Click(f.btnChiudi);
    });
    h.Click(frmAvvio->imgInfo);
    h.OnModal<TfrmSplash>([&](TfrmSplash& f) {
        h.Click(f.imgWeb);
        h.Click(f.btnChiudi);
    });
    h.Click(frmAvvio->imgSplash);
    h.Click(frmAvvio->imgSito);
    // Subject and body reach the mail client exactly, blanks and all.
    const std::string mail =
        "mailto:assistenza@dorneval.example?subject=Software%20Dorneval&body=Salve%2C%20"
        "desidererei%20avere%20le%20seguenti%20informazioni%20sul%20software%20in%20oggetto%3A";
    std::vector<std::string> expected = {mail, mail, "https://www.dorneval.example",
                                         "https://www.dorneval.example"};
    EXPECT_EQ(h.ShellOpened(), expected);
    EXPECT_EQ(h.ModalCount("TfrmInfo"), 1);
    EXPECT_EQ(h.ModalCount("TfrmSplash"), 1);
    // Without a browser the web picture says so, naming the address.
    h.SetDesktopOpens(false);
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: nessun programma ha potuto aprire il collegamento "
                    "\"https://www.dorneval.example\".\n\r\n\rPer aprirlo è necessario un browser o un "
                    "programma di posta elettronica.");
    h.Click(frmAvvio->imgSito);
    h.Verify();
}

TEST_F(StartMenu, EveryHelpCommandShowsItsTitle) {
    struct Command {
        ui::Form* window;
        const char* control;
        const char* title;
    } commands[] = {
        {frmAvvio, "imgGuida", "Uno sguardo a Dorneval"},
        {frmMenuScadenze, "imgGuida", "App Scadenze Imminenti"},
        {frmAutoparco, "cmdGuida", "App Parco Automezzi"},
        {nullptr, "ExpAutoparco", "Esportazione archivio veicoli in Microsoft Excel"},
        {frmAnagrafica, "cmdGuida", "App Archivio Conduttori"},
        {nullptr, "ExpAnagrafica", "Esportazione archivio conduttori in Excel"},
        {frmMenuFogli, "imgGuida", "App Gestione Fogli di Marcia"},
        {frmFogli, "cmdGuida", "App Gestione Fogli di Marcia"},
        {nullptr, "ExpFogli", "Esportazione archivio Fogli di Marcia in Excel"},
        {frmMenuRegistro, "imgGuida", "App Registro Visitatori"},
        {frmRegistro, "cmdGuida", "App Registro Visitatori"},
        {nullptr, "ExpVisite", "Esportazione archivio ingressi e uscite veicoli in Excel"},
        {frmStatistiche, "imgGuida", "Grafici statistici dei transiti dei veicoli"},
        {frmMenuDisponibili, "imgGuida", "App Planner Prenotazioni"},
        {frmPlanning, "cmdGuida", "App Planner Prenotazioni"},
    };
    for (auto& c : commands) {
        // Export windows are per-use: made here as their opener makes them.
        std::unique_ptr<ui::Form> exportWindow;
        ui::Form* window = c.window;
        if (!window) {
            std::string name = c.control;
            if (name == "ExpAutoparco")
                exportWindow = std::make_unique<TfrmExpAutoparco>(h.app, frmAutoparco);
            if (name == "ExpAnagrafica")
                exportWindow = std::make_unique<TfrmExpAnagrafica>(h.app, frmAnagrafica);
            if (name == "ExpFogli") exportWindow = std::make_unique<TfrmExpFogli>(h.app, frmFogli);
            if (name == "ExpVisite") exportWindow = std::make_unique<TfrmExpVisite>(h.app, frmRegistro);
            window = exportWindow.get();
        }
        window->Show();
        std::string shown;
        h.OnModal<TfrmGuida>([&](TfrmGuida& g) {
            EXPECT_EQ(g.Owner(), window);
            shown = g.lblTitolo.Text();
            h.Click(g.btnChiudi);
        });
        h.Click(window->Get<ui::Picture>(c.window ? c.control : "cmdGuida"));
        EXPECT_EQ(shown, c.title) << window->ClassName();
    }
    EXPECT_EQ(h.ModalCount("TfrmGuida"), 15);
}

TEST_F(StartMenu, GeneralHelpShowsItsParagraphsAndOpensTheManual) {
    h.OnModal<TfrmGuida>([&](TfrmGuida& g) {
        EXPECT_EQ(g.Caption(), " Guida all'utilizzo del software");
        EXPECT_EQ(g.Width(), 676);
        EXPECT_EQ(g.Height(), 598);
        EXPECT_EQ(g.txtGuida.Text(), LoadHelpTopic("shell/Avvio.help").Text());
        EXPECT_TRUE(g.txtGuida.ReadOnly());
        // The text can be read and scrolled, not changed by typing.
        h.Focus(g.txtGuida);
        h.Type(g, "x");
        h.Press(g, ui::vk::Back);
        EXPECT_EQ(g.txtGuida.Text(), LoadHelpTopic("shell/Avvio.help").Text());
        h.Click(g.imgPDF);
        h.Click(g.btnChiudi);
    });
    h.Click(frmAvvio->imgGuida);
    ASSERT_EQ(h.ShellOpened().size(), 1u);
    EXPECT_EQ(h.ShellOpened()[0], h.DataFolder() + "Guida.pdf");

    // Without a PDF viewer the link says so; the help stays open.
    h.SetDesktopOpens(false);
    h.OnModal<TfrmGuida>([&](TfrmGuida& g) {
        h.ExpectMessage(ui::DialogType::Warning,
                        "Attenzione: nessun programma ha potuto aprire il file \"" + h.DataFolder() +
                            "Guida.pdf\".\n\r\n\rPer aprirlo è necessario installare "
                            "un programma adatto a questo tipo di file.");
        h.Click(g.imgPDF);
        h.Verify();
        EXPECT_TRUE(g.Visible());
        h.Press(g, ui::vk::Escape);
    });
    h.Click(frmAvvio->imgGuida);
}

TEST_F(StartMenu, YearMenusRouteOnCloseByTheirTag) {
    struct Route {
        ui::Form* menu;
        const char* year;
        const char* tag;
        ui::Form* next;
    } routes[] = {
        {frmMenuRegistro, "txtAnnoFatture", "avvio", frmAvvio},
        {frmMenuRegistro, "txtAnnoFatture", "registro", frmRegistro},
        {frmMenuRegistro, "txtAnnoFatture", " statistiche_vis ", frmStatistiche},
        {frmMenuDisponibili, "txtAnnoFatture", "avvio", frmAvvio},
        {frmMenuDisponibili, "txtAnnoFatture", "planning", frmPlanning},
        {frmMenuFogli, "txtAnnoPreventivi", "avvio", frmAvvio},
        {frmMenuFogli, "txtAnnoPreventivi", "fogli", frmFogli},
        {frmMenuFogli, "txtAnnoPreventivi", "altro", nullptr},
    };
    h.SetNow({*rtl::Date::FromYmd(2026, 3, 5), {}});
    for (auto& r : routes) {
        frmAvvio->Hide();
        r.menu->Show();
        EXPECT_EQ(r.menu->Get<ui::Edit>(r.year).Text(), "2026");
        EXPECT_EQ(r.menu->Get<ui::Label>("lblMemory").Text(), "avvio");
        r.menu->Get<ui::Label>("lblMemory").SetText(r.tag);
        r.menu->Close();
        EXPECT_FALSE(r.menu->Visible()) << r.tag;
        if (r.next) {
            EXPECT_TRUE(r.next->Visible()) << r.tag;
            r.next->Hide();
        }
        EXPECT_FALSE(frmAvvio->Visible() && r.next != frmAvvio) << r.tag;
    }
}

TEST_F(StartMenu, VisitCardOpensTheVehicleSearchForItself) {
    frmRegistro->Show();
    h.OnModal<TfrmTrovaAutomezzi>([&](TfrmTrovaAutomezzi& s) {
        EXPECT_EQ(s.Owner(), frmRegistro);
        EXPECT_EQ(s.lblMemory.Text(), "registro");
        s.Close();
    });
    h.Click(frmRegistro->impVeicolo);
    EXPECT_EQ(h.ModalCount("TfrmTrovaAutomezzi"), 1);
}

TEST_F(StartMenu, LinkTextIsOrangeOnlyWhileTheMouseIsHeldOnTheTextOrItsPicture) {
    TfrmInfo info(h.app, frmAvvio);
    TfrmSplash splash(h.app, frmAvvio);
    TfrmGuida help(h.app, frmAvvio);
    struct Link {
        ui::Form& window;
        ui::Label& text;
        ui::Picture& picture;
    } links[] = {
        {info, info.lnkWeb, info.imgEmail},
        {splash, splash.lnkWeb, splash.imgWeb},
        {help, help.lnkWeb, help.imgPDF},
    };
    for (auto& l : links) {
        l.window.Show();
        for (ui::Control* c : {static_cast<ui::Control*>(&l.text), static_cast<ui::Control*>(&l.picture)}) {
            EXPECT_EQ(l.text.GetFont().color, 0xFF00008Bu) << c->Name();
            ui::MouseEvent e;
            ui::input::MouseDown(*c, e);
            EXPECT_EQ(l.text.GetFont().color, 0xFFFFA500u) << l.window.ClassName() << " " << c->Name();
            ui::input::MouseUp(*c, e);
            EXPECT_EQ(l.text.GetFont().color, 0xFF00008Bu) << l.window.ClassName() << " " << c->Name();
        }
        l.window.Hide();
    }
}
