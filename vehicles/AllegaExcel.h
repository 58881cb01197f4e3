#pragma once
// The cost sheet of a vehicle: its costs listed in the order of entry with
// their total, find-next, the printed summary, and a panel where one cost is
// added or modified. Each vehicle keeps its costs in its own archive,
// "Costi_Veicolo_<record number>.pro".
#include <string>
#include <vector>

#include "common/Card.h"
#include "common/ListWindow.h"
#include "common/Record.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// The list line of a cost.
const common::FormatoRiga& FormatoCosto();

class TfrmAllegaExcel : public ui::Form {
public:
    // The owner is the vehicle card whose costs are shown: the sheet reads its
    // record number, make, model and plate and never writes it.
    explicit TfrmAllegaExcel(ui::Application& app, ui::Form* owner = nullptr);

    ui::Panel& panContainer;
    ui::Label& lblTitolo;
    ui::Edit& txtTrova;
    ui::Button& btnTrova;
    ui::ListBox& lstRecords;
    ui::Label& lblTotale;
    ui::Button& btnChiudi;
    ui::Button& btnAggiungi;
    ui::Button& btnModifica;
    ui::Button& btnStampa;

    ui::Panel& panCosti;
    ui::Edit& txtData;
    ui::Picture& impData;
    ui::Edit& txtCausale;
    ui::Edit& txtPagatore;
    ui::Edit& txtBeneficiario;
    ui::Edit& txtImporto;
    ui::Label& lblPosizione;
    ui::Label& lblFile;
    ui::Button& cmdClose;
    ui::Button& btnSalva;

    report::Report frxReport;

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void btnAggiungiClick();
    void btnModificaClick();
    void btnSalvaClick();
    void impDataClick();
    void btnStampaClick();
    void txtImportoExit();

    // The card's make, model and plate as the title shows them.
    std::string Veicolo() const;
    std::string TestoScheda(const char* name) const;
    void MostraPannelloCosti();

    common::SchedaArchivio scheda_;
    common::ListaRecord lista_;
    std::string trovaRicordato_;
};

extern TfrmAllegaExcel* frmAllegaExcel;
