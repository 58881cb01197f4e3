#include "gate/Registro.h"

#include <memory>

#include "shell/Avvio.h"
#include "shell/DataEntry.h"
#include "shell/Guida.h"
#include "vehicles/TrovaAutomezzi.h"

TfrmRegistro* frmRegistro = nullptr;

TfrmRegistro::TfrmRegistro(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/Registro.layout"),
      txtDataEnt(Get<ui::Edit>("txtDataEnt")),
      txtDataUsc(Get<ui::Edit>("txtDataUsc")),
      txtVeicolo(Get<ui::Edit>("txtVeicolo")),
      txtTarga(Get<ui::Edit>("txtTarga")),
      txtConduttore(Get<ui::Edit>("txtConduttore")),
      impVeicolo(Get<ui::Picture>("impVeicolo")),
      lblFile(Get<ui::Label>("lblFile")),
      cmdGuida(Get<ui::Picture>("cmdGuida")),
      cmdEsci(Get<ui::Picture>("cmdEsci")) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
    cmdEsci.OnClick = [this] { cmdEsciClick(); };
    // The entry and exit dates come from the date picker; Enter opens it too.
    txtDataEnt.OnKeyDown = [this](ui::KeyEvent& k) { txtDataEntKeyDown(k); };
    txtDataUsc.OnKeyDown = [this](ui::KeyEvent& k) { txtDataUscKeyDown(k); };
    impVeicolo.OnClick = [this] { impVeicoloClick(); };
}

// Closing the window returns to the start menu.
void TfrmRegistro::FormClose(ui::CloseAction&) { frmAvvio->Show(); }

void TfrmRegistro::cmdGuidaClick() { ShowHelpTopic(*this, "App Registro Visitatori", "gate/Registro.help"); }

void TfrmRegistro::cmdEsciClick() { Close(); }

void TfrmRegistro::txtDataEntKeyDown(ui::KeyEvent& key) { entry::DateFieldKeyDown(txtDataEnt, key, "dataent", nullptr); }

void TfrmRegistro::txtDataUscKeyDown(ui::KeyEvent& key) { entry::DateFieldKeyDown(txtDataUsc, key, "datausc", nullptr); }

// The vehicle search fills make and model, plate and driver from the fleet.
void TfrmRegistro::impVeicoloClick() {
    auto search = std::make_unique<TfrmTrovaAutomezzi>(App(), this);
    search->lblMemory.SetText("registro");
    search->ShowModal();
}
