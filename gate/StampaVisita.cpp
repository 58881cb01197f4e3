#include "gate/StampaVisita.h"

TfrmStampaVisita* frmStampaVisita = nullptr;

TfrmStampaVisita::TfrmStampaVisita(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/StampaVisita.layout") {
}
