#include "drivers/Anagrafica.h"

#include "shell/Avvio.h"
#include "shell/Guida.h"

TfrmAnagrafica* frmAnagrafica = nullptr;

TfrmAnagrafica::TfrmAnagrafica(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/Anagrafica.layout"),
      cmdGuida(Get<ui::Picture>("cmdGuida")),
      cmdEsci(Get<ui::Picture>("cmdEsci")) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
    cmdEsci.OnClick = [this] { cmdEsciClick(); };
}

// Closing the window returns to the start menu.
void TfrmAnagrafica::FormClose(ui::CloseAction&) { frmAvvio->Show(); }

void TfrmAnagrafica::cmdGuidaClick() { ShowHelpTopic(*this, "App Archivio Conduttori", "drivers/Anagrafica.help"); }

void TfrmAnagrafica::cmdEsciClick() { Close(); }
