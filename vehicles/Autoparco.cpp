#include "vehicles/Autoparco.h"

#include "shell/Avvio.h"
#include "shell/Guida.h"

TfrmAutoparco* frmAutoparco = nullptr;

TfrmAutoparco::TfrmAutoparco(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/Autoparco.layout"),
      txtLettura(Get<ui::Edit>("txtLettura")),
      txtScadRevisione(Get<ui::Edit>("txtScadRevisione")),
      txtScadTagliando(Get<ui::Edit>("txtScadTagliando")),
      txtScadAssicurazione(Get<ui::Edit>("txtScadAssicurazione")),
      txtScadBollo(Get<ui::Edit>("txtScadBollo")),
      cmdGuida(Get<ui::Picture>("cmdGuida")),
      cmdEsci(Get<ui::Picture>("cmdEsci")) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
    cmdEsci.OnClick = [this] { cmdEsciClick(); };
}

// Closing the window returns to the start menu.
void TfrmAutoparco::FormClose(ui::CloseAction&) { frmAvvio->Show(); }

void TfrmAutoparco::cmdGuidaClick() { ShowHelpTopic(*this, "App Parco Automezzi", "vehicles/Autoparco.help"); }

void TfrmAutoparco::cmdEsciClick() { Close(); }
