#pragma once
// The export of the year open in the visit card: every visit in a grid,
// written on request to "Ingressi_e_Uscite_Veicoli.xls" in the data folder
// and opened.
#include "common/ExportWindow.h"
#include "gate/ExpVisite.controls.h"

class TfrmExpVisite : public common::TfrmEsportazione, public controls::ExpVisite {
public:
    explicit TfrmExpVisite(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmExpVisite* frmExpVisite;
