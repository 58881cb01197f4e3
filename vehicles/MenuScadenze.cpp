#include "vehicles/MenuScadenze.h"

#include "shell/Avvio.h"
#include "shell/Guida.h"

TfrmMenuScadenze* frmMenuScadenze = nullptr;

TfrmMenuScadenze::TfrmMenuScadenze(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/MenuScadenze.layout"),
      imgGuida(Get<ui::Picture>("imgGuida")),
      imgEsci(Get<ui::Picture>("imgEsci")) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgEsci.OnClick = [this] { imgEsciClick(); };
}

// Closing the window returns to the start menu.
void TfrmMenuScadenze::FormClose(ui::CloseAction&) { frmAvvio->Show(); }

void TfrmMenuScadenze::imgGuidaClick() { ShowHelpTopic(*this, "App Scadenze Imminenti", "vehicles/MenuScadenze.help"); }

void TfrmMenuScadenze::imgEsciClick() { Close(); }
