#include "planner/Planning.h"

#include "shell/Avvio.h"
#include "shell/DataEntry.h"
#include "shell/Guida.h"

TfrmPlanning* frmPlanning = nullptr;

TfrmPlanning::TfrmPlanning(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "planner/Planning.layout"),
      txtVeicolo(Get<ui::Edit>("txtVeicolo")),
      txtMarca(Get<ui::Edit>("txtMarca")),
      txtModello(Get<ui::Edit>("txtModello")),
      txtTarga(Get<ui::Edit>("txtTarga")),
      cmdGuida(Get<ui::Picture>("cmdGuida")),
      cmdEsci(Get<ui::Picture>("cmdEsci")) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
    cmdEsci.OnClick = [this] { cmdEsciClick(); };
    // The four vehicle edits only show values: they rest light blue and never turn yellow.
    for (ui::Edit* e : {&txtVeicolo, &txtMarca, &txtModello, &txtTarga})
        entry::BindStyleHighlight(*e, entry::Resting, false);
}

// Closing the window returns to the start menu.
void TfrmPlanning::FormClose(ui::CloseAction&) { frmAvvio->Show(); }

void TfrmPlanning::cmdGuidaClick() { ShowHelpTopic(*this, "App Planner Prenotazioni", "planner/Planning.help"); }

void TfrmPlanning::cmdEsciClick() { Close(); }
