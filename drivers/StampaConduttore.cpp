#include "drivers/StampaConduttore.h"

TfrmStampaConduttore* frmStampaConduttore = nullptr;

TfrmStampaConduttore::TfrmStampaConduttore(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/StampaConduttore.layout") {
}
