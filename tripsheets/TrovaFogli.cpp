#include "tripsheets/TrovaFogli.h"

TfrmTrovaFogli* frmTrovaFogli = nullptr;

TfrmTrovaFogli::TfrmTrovaFogli(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/TrovaFogli.layout") {
}
