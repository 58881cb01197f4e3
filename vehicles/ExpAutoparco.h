#pragma once
// The export of the vehicle archive: every vehicle in a grid, written on
// request to "Parco_Automezzi.xls" in the data folder and opened.
#include "common/ExportWindow.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmExpAutoparco : public ui::Form {
public:
    explicit TfrmExpAutoparco(ui::Application& app, ui::Form* owner = nullptr);

    ui::Panel& panContainer;
    ui::StringGrid& grdRecords;
    ui::Picture& cmdEsporta;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;
    ui::Label& panInfo;

private:
    common::Esportazione esportazione_;
};

extern TfrmExpAutoparco* frmExpAutoparco;
