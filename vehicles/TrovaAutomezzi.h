#pragma once
// The vehicle search: up to ten criteria, the sorted list of the vehicles
// found, find-next, the printed list, and the recall of a vehicle into the
// window named by the caller tag in lblMemory ("autoparco": the vehicle card,
// "anagrafica": the driver card, "registro": the visit card).
#include <string>
#include <vector>

#include "common/ListWindow.h"
#include "common/Record.h"
#include "common/SearchWindow.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// The columns that every list line of a vehicle begins with: type, make and
// model, plate; a layout to go on with.
common::FormatoRiga InizioFormatoAutomezzo();

// The list line of a vehicle in the search: its layout and one line.
const common::FormatoRiga& FormatoTrovaAutomezzo();
std::string RigaTrovaAutomezzo(const common::RecordView& automezzo);

class TfrmTrovaAutomezzi : public ui::Form {
public:
    explicit TfrmTrovaAutomezzi(ui::Application& app, ui::Form* owner = nullptr);

    ui::Panel& panAvvio;
    ui::Edit& txtTipo;
    ui::Edit& txtDestinazione;
    ui::Edit& txtMarca;
    ui::Edit& txtModello;
    ui::Edit& txtTarga;
    ui::Edit& txtStato;
    ui::Edit& txtAutista;
    ui::Edit& txtMeccanico;
    ui::Edit& txtProprietario;
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

    common::Record automezzo_;
    common::ListaRecord lista_;
    common::FinestraRicerca ricerca_;
};

extern TfrmTrovaAutomezzi* frmTrovaAutomezzi;
