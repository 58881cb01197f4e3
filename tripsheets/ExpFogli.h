#pragma once
// The export of a trip-sheet year: every sheet of the archive named in the
// trip-sheet window's lblFile in a grid, written on request to
// "Fogli_di_Marcia.xls" in the data folder and opened.
#include "common/ExportWindow.h"
#include "tripsheets/ExpFogli.controls.h"

class TfrmExpFogli : public common::TfrmEsportazione, public controls::ExpFogli {
public:
    explicit TfrmExpFogli(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmExpFogli* frmExpFogli;
