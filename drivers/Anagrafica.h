#pragma once
// The driver card: one driver of "Conducenti.pro" at a time; new, save,
// duplicate and browse, and the doors to the search, the three driver lists,
// print, export, the attachments, the vehicle register and the four checks.
#include <cstdint>
#include <string>

#include "common/Card.h"
#include "drivers/Anagrafica.controls.h"
#include "drivers/TrovaAnagrafica.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/AllegaCartella.h"
#include "vehicles/TrovaAutomezzi.h"

class TfrmAnagrafica : public ui::Form,
                       public controls::Anagrafica,
                       public RitornoTrovaAnagrafica,
                       public RitornoTrovaAutomezzi,
                       public RitornoAllegaCartella {
public:
    explicit TfrmAnagrafica(ui::Application& app, ui::Form* owner = nullptr);

    // A driver chosen in the driver search or in a driver list: the whole
    // record shown in the card with its record number.
    void ConduttoreRichiamato(const common::Record& conduttore, std::int64_t numero) override;
    // The fleet vehicle chosen in the vehicle search: the six vehicle fields
    // of the driver; nothing else of the card changes.
    void VeicoloConduttoreRichiamato(const VeicoloConduttore& veicolo) override;
    // The attachments applied in the attachments dialog, kept in the hidden
    // labels until the card is saved.
    void AllegatiApplicati(const Allegati& allegati) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void BindEdits();
    void BindCommands();

    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdFileClick();
    void cmdSalvaClick();
    void cmdTrovaClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdFerieClick();
    void cmdServizioClick();
    void cmdTrasferteClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void impVeicoloClick();
    void btnCodFiscClick();
    void btnPartitaIvaClick();
    void btnCartaClick();
    void btnIbanClick();
    void btnEmailClick();

    void txtProvCanFocus(bool& accept);
    void txtProvExit();
    void txtPartitaIvaExit();

    common::ConfigScheda ConfigScheda();

    // New, Save, browse and Duplicate over "Conducenti.pro".
    common::SchedaArchivio scheda_;
};

extern TfrmAnagrafica* frmAnagrafica;
