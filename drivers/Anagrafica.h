#pragma once
// The driver card: one driver of "Conducenti.pro" at a time; new, save,
// duplicate and browse, and the doors to the search, the three driver lists,
// print, export, the attachments, the vehicle register and the four checks.
#include <cstdint>
#include <string>

#include "common/Card.h"
#include "drivers/TrovaAnagrafica.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/AllegaCartella.h"
#include "vehicles/TrovaAutomezzi.h"

class TfrmAnagrafica : public ui::Form,
                       public RitornoTrovaAnagrafica,
                       public RitornoTrovaAutomezzi,
                       public RitornoAllegaCartella {
public:
    explicit TfrmAnagrafica(ui::Application& app, ui::Form* owner = nullptr);

    // The inputs of record fields 1 to 26, in record order.
    ui::Edit& txtConducente;
    ui::Edit& txtPatenti;
    ui::Edit& txtRecapito;
    ui::Edit& txtVia;
    ui::Edit& txtCap;
    ui::Edit& txtCitta;
    ui::ComboEdit& txtProv;
    ui::Edit& txtCompensi;
    ui::Edit& txtTelCasa;
    ui::Edit& txtTelUff;
    ui::Edit& txtTelCel;
    ui::Edit& txtFax;
    ui::Edit& txtEmail;
    ui::Edit& txtCodFisc;
    ui::Edit& txtCarta;
    ui::Edit& txtScadeCarta;
    ui::Edit& txtPartitaIva;
    ui::Edit& txtIban;
    ui::Edit& txtVeicolo;
    ui::Edit& txtMarca;
    ui::Edit& txtModello;
    ui::Edit& txtColore;
    ui::Edit& txtAlimentazione;
    ui::Edit& txtTarga;
    ui::Edit& txtProgramma;
    ui::Edit& txtNote;
    // The two flags.
    ui::CheckBox& chkFerie;
    ui::CheckBox& chkTrasferte;
    // The attachments, kept in hidden labels.
    ui::Label& lblFile01;
    ui::Label& lblFile02;
    ui::Label& lblFile03;
    ui::Label& lblDesc01;
    ui::Label& lblDesc02;
    ui::Label& lblDesc03;
    ui::Label& lblPosizione;
    ui::Label& panInfo;

    ui::Picture& cmdNuovo;
    ui::Picture& cmdDuplica;
    ui::Picture& cmdFile;
    ui::Picture& cmdSalva;
    ui::Picture& cmdTrova;
    ui::Picture& cmdStampa;
    ui::Picture& cmdEsporta;
    ui::Picture& cmdFerie;
    ui::Picture& cmdServizio;
    ui::Picture& cmdTrasferte;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;
    ui::Picture& cmdPrimo;
    ui::Picture& cmdIndietro;
    ui::Picture& cmdAvanti;
    ui::Picture& cmdUltimo;
    ui::Picture& impVeicolo;
    ui::Picture& btnCodFisc;
    ui::Picture& btnPartitaIva;
    ui::Picture& btnCarta;
    ui::Picture& btnIban;
    ui::Picture& btnEmail;

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
