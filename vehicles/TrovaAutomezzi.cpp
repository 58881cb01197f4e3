#include "vehicles/TrovaAutomezzi.h"

TfrmTrovaAutomezzi* frmTrovaAutomezzi = nullptr;

TfrmTrovaAutomezzi::TfrmTrovaAutomezzi(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/TrovaAutomezzi.layout"),
      lblMemory(Get<ui::Label>("lblMemory")) {
}
