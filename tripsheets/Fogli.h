#pragma once
// The trip-sheet window: one sheet of the year archive named in lblFile at a
// time; new sheets numbered from the start number, save, browse, totals, and
// the doors to the open-sheet list, the search, print and preview, export,
// the numbering start and the driver import.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Card.h"
#include "drivers/TrovaAnagrafica.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmFogli : public ui::Form, public RitornoTrovaAnagrafica {
public:
    explicit TfrmFogli(ui::Application& app, ui::Form* owner = nullptr);

    // Header.
    ui::Edit& txtNumFoglio;
    ui::Edit& txtDataApertura;
    ui::Edit& txtOraApertura;
    ui::Edit& txtDataChiusura;
    ui::Edit& txtOraChiusura;
    ui::Edit& txtUfficio;
    // Driver fields, also written by the driver search.
    ui::Edit& txtConduttore;
    ui::Edit& txtTelCel;
    ui::Edit& txtVeicolo;
    ui::Edit& txtTarga;
    // The date edits of the legs and of the refuellings.
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
    ui::Edit& txtDataRif01;
    ui::Edit& txtDataRif02;
    ui::Edit& txtDataRif03;
    // Refuellings and totals.
    ui::Edit& txtLitri01;
    ui::Edit& txtLitri02;
    ui::Edit& txtLitri03;
    ui::Edit& txtImporto01;
    ui::Edit& txtImporto02;
    ui::Edit& txtImporto03;
    ui::Edit& txtLitriTot;
    ui::Edit& txtImportoTot;
    ui::Edit& txtKmPartenza;
    ui::Edit& txtKmRientro;
    ui::Edit& txtKmPercorsi;

    ui::Label& lblFile;
    ui::Label& lblInizio;
    ui::Label& lblPosizione;
    ui::Label& panInfo;
    ui::Panel& panContainer;
    ui::Button& btnCalcolaRif;
    ui::Button& btnCalcolaKm;
    ui::Button& btnFocus;

    ui::Picture& cmdNuovo;
    ui::Picture& cmdSalva;
    ui::Picture& cmdTrova;
    ui::Picture& cmdAnteprima;
    ui::Picture& cmdStampa;
    ui::Picture& cmdPrimo;
    ui::Picture& cmdIndietro;
    ui::Picture& cmdAvanti;
    ui::Picture& cmdUltimo;
    ui::Picture& cmdFogliAperti;
    ui::Picture& cmdEsporta;
    ui::Picture& cmdNumerazione;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;
    ui::Picture& impConduttore;

    // The edit of a record field ("DataPar03" -> txtDataPar03).
    ui::Edit& Campo(std::string_view campo) { return Get<ui::Edit>("txt" + std::string(campo)); }

    // The reset for a new sheet: today's date and time, every other edit
    // but the issuing office emptied, no record number.
    void PreparaNuovaScheda();
    // Shows a sheet read whole by a list window: its 94 fields and its
    // record number.
    void MostraFoglio(const common::Record& foglio, std::int64_t numero);
    // The year chosen in the year menu: the window works on the data folder
    // + year + ".fdm" (kept in lblFile) under the year's caption.
    void ImpostaAnno(const std::string& anno);
    // The driver chosen in the driver search: driver, mobile, vehicle and
    // plate; nothing else of the sheet changes.
    void ConduttoreFoglioRichiamato(const ConduttoreFoglio& conduttore) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void BindEdits();
    void BindCommands();

    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdTrovaClick();
    void cmdFogliApertiClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdNumerazioneClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void impConduttoreClick();
    void btnFocusClick();
    void btnCalcolaKmClick();
    void btnCalcolaRifClick();

    common::ConfigScheda ConfigScheda();

    // Save and browse over the year archive.
    common::SchedaArchivio scheda_;
};

extern TfrmFogli* frmFogli;
