#include "vehicles/ExpAutoparco.h"

#include "shell/Guida.h"

TfrmExpAutoparco* frmExpAutoparco = nullptr;

TfrmExpAutoparco::TfrmExpAutoparco(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/ExpAutoparco.layout"),
      cmdGuida(Get<ui::Picture>("cmdGuida")) {
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
}

void TfrmExpAutoparco::cmdGuidaClick() { ShowHelpTopic(*this, "Esportazione archivio veicoli in Microsoft Excel", "vehicles/ExpAutoparco.help"); }
