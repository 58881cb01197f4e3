#include "shell/Avvio.h"

#include <memory>

#include "common/Guida.h"
#include "common/Links.h"
#include "common/OpenURL.h"
#include "drivers/Anagrafica.h"
#include "gate/MenuRegistro.h"
#include "planner/MenuDisponibili.h"
#include "shell/Info.h"
#include "shell/Splash.h"
#include "tripsheets/MenuFogli.h"
#include "vehicles/Autoparco.h"
#include "vehicles/MenuScadenze.h"

TfrmAvvio* frmAvvio = nullptr;

TfrmAvvio::TfrmAvvio(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "shell/Avvio.layout"), controls::Avvio(this) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    // A tile's picture and its button picture share one handler.
    imgApp04.OnClick = btnApp04.OnClick = [this] { imgApp04Click(); };
    imgApp02.OnClick = btnApp02.OnClick = [this] { imgApp02Click(); };
    imgApp03.OnClick = btnApp03.OnClick = [this] { imgApp03Click(); };
    imgApp07.OnClick = btnApp07.OnClick = [this] { imgApp07Click(); };
    imgApp06.OnClick = btnApp06.OnClick = [this] { imgApp06Click(); };
    imgApp08.OnClick = btnApp08.OnClick = [this] { imgApp08Click(); };
    imgInfo.OnClick = [this] { imgInfoClick(); };
    imgSplash.OnClick = [this] { imgSplashClick(); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgSito.OnClick = [this] { imgSitoClick(); };
    imgEsci.OnClick = [this] { imgEsciClick(); };
    FormCreate();
}

// Dates are "dd/mm/yyyy" and the decimal separator "," for the whole program
// from the start, whatever the system's regional settings: the formats are
// fixed in rtl::FormatSettings, so there is nothing to set here.
void TfrmAvvio::FormCreate() {}

void TfrmAvvio::FormClose(ui::CloseAction&) {
    App().Terminate();
}

void TfrmAvvio::ShowTile(ui::Form* window) {
    window->Show();
    Hide();
}

void TfrmAvvio::imgApp04Click() {
    ShowTile(frmAutoparco);
}
void TfrmAvvio::imgApp02Click() {
    ShowTile(frmMenuScadenze);
}
void TfrmAvvio::imgApp03Click() {
    ShowTile(frmMenuDisponibili);
}
void TfrmAvvio::imgApp07Click() {
    ShowTile(frmAnagrafica);
}
void TfrmAvvio::imgApp06Click() {
    ShowTile(frmMenuFogli);
}
void TfrmAvvio::imgApp08Click() {
    ShowTile(frmMenuRegistro);
}

void TfrmAvvio::imgInfoClick() {
    auto about = std::make_unique<TfrmInfo>(App(), this);
    about->ShowModal();
}

void TfrmAvvio::imgSplashClick() {
    auto splash = std::make_unique<TfrmSplash>(App(), this);
    splash->ShowModal();
}

void TfrmAvvio::imgGuidaClick() {
    ShowHelpTopic(*this, "Uno sguardo a Dorneval", "shell/Avvio.help");
}

void TfrmAvvio::imgSitoClick() {
    TMisc::Open(links::WebSite);
}

void TfrmAvvio::imgEsciClick() {
    App().Terminate();
}
