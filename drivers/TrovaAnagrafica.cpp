#include "drivers/TrovaAnagrafica.h"

TfrmTrovaAnagrafica* frmTrovaAnagrafica = nullptr;

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/TrovaAnagrafica.layout"),
      lblMemory(Get<ui::Label>("lblMemory")) {
}
