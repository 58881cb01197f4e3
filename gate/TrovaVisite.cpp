#include "gate/TrovaVisite.h"

TfrmTrovaVisite* frmTrovaVisite = nullptr;

TfrmTrovaVisite::TfrmTrovaVisite(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/TrovaVisite.layout"),
      lblMemory(Get<ui::Label>("lblMemory")) {
}
