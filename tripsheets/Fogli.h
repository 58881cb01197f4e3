#pragma once
// The trip-sheet window.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmFogli : public ui::Form {
public:
    explicit TfrmFogli(ui::Application& app, ui::Form* owner = nullptr);

    ui::Edit& txtDataApertura;
    ui::Edit& txtDataChiusura;
    ui::Edit& txtDataRif01;
    ui::Edit& txtDataRif02;
    ui::Edit& txtDataRif03;
    ui::Edit& txtDataPar01;
    ui::Edit& txtDataPar02;
    ui::Edit& txtDataPar03;
    ui::Edit& txtDataPar04;
    ui::Edit& txtDataPar05;
    ui::Edit& txtDataPar06;
    ui::Edit& txtDataPar07;
    ui::Edit& txtDataPar08;
    ui::Edit& txtDataArr01;
    ui::Edit& txtDataArr02;
    ui::Edit& txtDataArr03;
    ui::Edit& txtDataArr04;
    ui::Edit& txtDataArr05;
    ui::Edit& txtDataArr06;
    ui::Edit& txtDataArr07;
    ui::Edit& txtDataArr08;
    // Driver fields, also written by the driver search.
    ui::Edit& txtConduttore;
    ui::Edit& txtTelCel;
    ui::Edit& txtVeicolo;
    ui::Edit& txtTarga;
    ui::Label& lblFile;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;

private:
    void FormClose(ui::CloseAction& action);
    void cmdGuidaClick();
    void cmdEsciClick();
};

extern TfrmFogli* frmFogli;
