#pragma once
// The visit card: one transit of the year archive "<yyyy>.vis" at a time,
// with entry, vehicle, load and exit; new, save and browse, today and now
// pictures, the import of a fleet vehicle, and the doors to the three daily
// lists, the search, the two-copy print, the export and the help.
#include <array>
#include <cstdint>

#include "common/Card.h"
#include "gate/Registro.controls.h"
#include "gate/Visite.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/TrovaAutomezzi.h"

class TfrmRegistro : public ui::Form,
                     public controls::Registro,
                     public RitornoTrovaAutomezzi,
                     public gate::RitornoVisita {
public:
    explicit TfrmRegistro(ui::Application& app, ui::Form* owner = nullptr);

    // The edit of record field `i` (0-based, record order).
    ui::Edit& Campo(int i) const { return *campi_[std::size_t(i)]; }

    // Shows a visit read whole by a list window (the daily lists and the
    // search): its sixteen fields and its record number.
    void VisitaRichiamata(const common::Record& visita, std::int64_t numero) override;
    // The fleet vehicle chosen in the vehicle search: make and model, plate
    // and driver of the transit.
    void VeicoloVisitaRichiamato(const VeicoloVisita& veicolo) override;

    // The year chosen in the year menu: the card works on the data folder +
    // year + ".vis" (kept in lblFile) under the year's caption.
    void ImpostaAnno(const std::string& anno);

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void BindEdits();
    void BindCommands();
    common::ConfigScheda ConfigScheda();

    void cmdNuovoClick();
    void cmdSalvaClick();
    bool ControllaScheda();
    void impVeicoloClick();
    void cmdTrovaClick();
    void cmdStampaClick();
    void cmdNonUscitiClick();
    void cmdEntratiOggiClick();
    void cmdUscitiOggiClick();
    void cmdExcelClick();
    void cmdGuidaClick();
    void txtTargaTyping();
    template <class Lista> void ApriLista();

    std::array<ui::Edit*, 16> campi_{};
    common::SchedaArchivio scheda_;
};

extern TfrmRegistro* frmRegistro;
