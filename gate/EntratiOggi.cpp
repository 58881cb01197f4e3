#include "gate/EntratiOggi.h"

TfrmEntratiOggi* frmEntratiOggi = nullptr;

TfrmEntratiOggi::TfrmEntratiOggi(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/EntratiOggi.layout") {
}
