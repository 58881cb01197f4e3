#pragma once
// The export of the vehicle archive: every vehicle in a grid, written on
// request to "Parco_Automezzi.xls" in the data folder and opened.
#include "common/ExportWindow.h"
#include "vehicles/ExpAutoparco.controls.h"

class TfrmExpAutoparco : public common::TfrmEsportazione, public controls::ExpAutoparco {
public:
    explicit TfrmExpAutoparco(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmExpAutoparco* frmExpAutoparco;
