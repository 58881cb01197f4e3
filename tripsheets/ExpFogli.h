#pragma once
// The export of a trip-sheet year: every sheet of the archive named in the
// trip-sheet window's lblFile in a grid, written on request to
// "Fogli_di_Marcia.xls" in the data folder and opened.
#include "common/ExportWindow.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmExpFogli : public ui::Form {
public:
    explicit TfrmExpFogli(ui::Application& app, ui::Form* owner = nullptr);

    ui::Panel& panContainer;
    ui::StringGrid& grdRecords;
    ui::Picture& cmdEsporta;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;
    ui::Label& panInfo;

private:
    common::Esportazione esportazione_;
};

extern TfrmExpFogli* frmExpFogli;
