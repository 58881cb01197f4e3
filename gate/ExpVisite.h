#pragma once
// The export of the year open in the visit card: every visit in a grid,
// written on request to "Ingressi_e_Uscite_Veicoli.xls" in the data folder
// and opened.
#include "common/ExportWindow.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmExpVisite : public ui::Form {
public:
    explicit TfrmExpVisite(ui::Application& app, ui::Form* owner = nullptr);

    ui::Panel& panContainer;
    ui::StringGrid& grdRecords;
    ui::Picture& cmdEsporta;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;
    ui::Label& panInfo;

private:
    common::Esportazione esportazione_;
};

extern TfrmExpVisite* frmExpVisite;
