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
#include "vehicles/AllegaExcel.controls.h"

// The list line of a cost.
const common::FormatoRiga& FormatoCosto();

class TfrmAllegaExcel : public ui::Form, public controls::AllegaExcel {
public:
    explicit TfrmAllegaExcel(ui::Application& app, ui::Form* owner = nullptr);

    // The vehicle whose costs are shown, handed over by the vehicle card
    // before showing the sheet: its record number, make, model and plate,
    // each trimmed.
    void ImpostaVeicolo(const std::string& posizione, const std::string& marca, const std::string& modello,
                        const std::string& targa);

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

    void MostraPannelloCosti();
    // Make, model and plate as the title shows them.
    std::string Veicolo() const;

    common::SchedaArchivio scheda_;
    common::ListaRecord lista_;
    std::string trovaRicordato_;
    std::string posizione_, marca_, modello_, targa_;
};

extern TfrmAllegaExcel* frmAllegaExcel;
