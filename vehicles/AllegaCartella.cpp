#include "vehicles/AllegaCartella.h"

TfrmAllegaCartella* frmAllegaCartella = nullptr;

TfrmAllegaCartella::TfrmAllegaCartella(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/AllegaCartella.layout") {
}
