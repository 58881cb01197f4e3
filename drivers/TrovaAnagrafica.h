#pragma once
// The driver search: up to ten criteria, the sorted list of the drivers
// found, find-next, the printed list, and the recall of a driver into the
// window named by the caller tag in lblMemory ("anagrafica": the driver
// card, "fogli": the driver fields of the trip sheet).
#include <string>

#include "common/ListWindow.h"
#include "common/Record.h"
#include "common/SearchWindow.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// The list line of a driver in the search.
const common::FormatoRiga& FormatoTrovaConduttore();

class TfrmTrovaAnagrafica : public ui::Form {
public:
    explicit TfrmTrovaAnagrafica(ui::Application& app, ui::Form* owner = nullptr);

    ui::Panel& panAvvio;
    ui::Edit& txtConducente;
    ui::Edit& txtCodFisc;
    ui::Edit& txtPatenti;
    ui::Edit& txtCitta;
    ui::Edit& txtVeicolo;
    ui::Edit& txtTarga;
    ui::Edit& txtMarca;
    ui::Edit& txtModello;
    ui::Edit& txtProgramma;
    ui::Edit& txtNote;
    ui::Label& lblAttendere;
    ui::Label& lblConta;
    ui::Label& lblMemory;
    ui::Button& btnAnnulla;
    ui::Button& btnCerca;

    ui::Panel& panContainer;
    ui::Edit& txtTrova;
    ui::Button& btnTrova;
    ui::ListBox& lstRecords;
    ui::Label& lblTrovate;
    ui::Button& btnChiudi;
    ui::Button& btnStampa;

    report::Report frxReport;

private:
    void lstRecordsDblClick();

    common::Record conduttore_;
    common::ListaRecord lista_;
    common::FinestraRicerca ricerca_;
};

extern TfrmTrovaAnagrafica* frmTrovaAnagrafica;
