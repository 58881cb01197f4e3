#pragma once
// The export of the driver archive: every driver in a grid, written on
// request to "Conducenti.xls" in the data folder and opened.
#include "common/ExportWindow.h"
#include "drivers/ExpAnagrafica.controls.h"

class TfrmExpAnagrafica : public common::TfrmEsportazione, public controls::ExpAnagrafica {
public:
    explicit TfrmExpAnagrafica(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmExpAnagrafica* frmExpAnagrafica;
