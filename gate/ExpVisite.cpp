#include "gate/ExpVisite.h"

#include "shell/Guida.h"

TfrmExpVisite* frmExpVisite = nullptr;

TfrmExpVisite::TfrmExpVisite(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/ExpVisite.layout"),
      cmdGuida(Get<ui::Picture>("cmdGuida")) {
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
}

void TfrmExpVisite::cmdGuidaClick() { ShowHelpTopic(*this, "Esportazione archivio ingressi e uscite veicoli in Excel", "gate/ExpVisite.help"); }
