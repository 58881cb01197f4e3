#pragma once
// The export of the driver archive: every driver in a grid, written on
// request to "Conducenti.xls" in the data folder and opened.
#include "common/ExportWindow.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmExpAnagrafica : public ui::Form {
public:
    explicit TfrmExpAnagrafica(ui::Application& app, ui::Form* owner = nullptr);

    ui::Panel& panContainer;
    ui::StringGrid& grdRecords;
    ui::Picture& cmdEsporta;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;
    ui::Label& panInfo;

    bool GrigliaCompleta() const { return esportazione_.GrigliaCompleta(); }

private:
    common::Esportazione esportazione_;
};

extern TfrmExpAnagrafica* frmExpAnagrafica;
