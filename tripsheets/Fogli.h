#pragma once
// The trip-sheet window: one sheet of the year archive named in lblFile at a
// time; new sheets numbered from the start number, save, browse, totals, and
// the doors to the open-sheet list, the search, print and preview, export,
// the numbering start and the driver import.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Card.h"
#include "common/DialogoDocumento.h"
#include "drivers/TrovaAnagrafica.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "tripsheets/Fogli.controls.h"
#include "tripsheets/RiepAperti.h"

class TfrmFogli : public ui::Form,
                  public controls::Fogli,
                  public RitornoTrovaAnagrafica,
                  public tripsheets::RitornoFoglio {
public:
    explicit TfrmFogli(ui::Application& app, ui::Form* owner = nullptr);

    // The edit of a record field ("DataPar03" -> txtDataPar03).
    ui::Edit& Campo(std::string_view campo) { return Get<ui::Edit>("txt" + std::string(campo)); }

    // The reset for a new sheet: today's date and time, every other edit
    // but the issuing office emptied, no record number.
    void PreparaNuovaScheda();
    // Shows a sheet read whole by a list window: its 94 fields and its
    // record number.
    void FoglioRichiamato(const common::Record& foglio, std::int64_t numero) override;
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
    void ApriDocumento(common::TfrmDocumento& documento);
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
    // The issuing office as the showing read it: the close writes the office
    // only when it changed in the window, so that one stored meanwhile by
    // another workstation stays.
    std::string ufficioLetto_;
};

extern TfrmFogli* frmFogli;
