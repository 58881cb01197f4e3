#include "vehicles/StampaAutomezzo.h"

TfrmStampaAutomezzo* frmStampaAutomezzo = nullptr;

TfrmStampaAutomezzo::TfrmStampaAutomezzo(ui::Application& app, ui::Form* owner)
    : DialogoSchedaVeicolo(app, owner, "vehicles/StampaAutomezzo.layout", false), controls::StampaAutomezzo(
                                                                                      this) {}
