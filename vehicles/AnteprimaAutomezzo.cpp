#include "vehicles/AnteprimaAutomezzo.h"

TfrmAnteprimaAutomezzo* frmAnteprimaAutomezzo = nullptr;

TfrmAnteprimaAutomezzo::TfrmAnteprimaAutomezzo(ui::Application& app, ui::Form* owner)
    : DialogoSchedaVeicolo(app, owner, "vehicles/AnteprimaAutomezzo.layout", true),
      controls::AnteprimaAutomezzo(this) {}
