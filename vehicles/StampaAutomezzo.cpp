#include "vehicles/StampaAutomezzo.h"

TfrmStampaAutomezzo* frmStampaAutomezzo = nullptr;

TfrmStampaAutomezzo::TfrmStampaAutomezzo(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/StampaAutomezzo.layout") {
}
