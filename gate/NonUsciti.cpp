#include "gate/NonUsciti.h"

TfrmNonUsciti* frmNonUsciti = nullptr;

TfrmNonUsciti::TfrmNonUsciti(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/NonUsciti.layout") {
}
