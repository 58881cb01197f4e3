#include "gate/UscitiOggi.h"

TfrmUscitiOggi* frmUscitiOggi = nullptr;

TfrmUscitiOggi::TfrmUscitiOggi(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/UscitiOggi.layout") {
}
