#pragma once
// The vehicle card: one vehicle of "Parco_Automezzi.pro" at a time, with its
// photo; new, save, duplicate and browse, and the doors to the search, the
// cost sheet, the attachments, print and preview, export and slide show.
#include <array>
#include <string>

#include "common/Card.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/AllegaCartella.h"
#include "vehicles/Autoparco.controls.h"
#include "vehicles/TrovaAutomezzi.h"

namespace vehicles {
class DialogoSchedaVeicolo;
}

class TfrmAutoparco : public ui::Form,
                      public controls::Autoparco,
                      public RitornoTrovaAutomezzi,
                      public RitornoAllegaCartella {
public:
    explicit TfrmAutoparco(ui::Application& app, ui::Form* owner = nullptr);

    // The edit or hidden label of record field `i` (0-based, record order).
    ui::Control& Campo(int i) const { return *campi_[std::size_t(i)]; }

    // The card reset for a new vehicle (New, and every showing of the card).
    void PreparaNuovaScheda();
    // The vehicle chosen in the vehicle search: the whole record shown in
    // the card with its record number, then the vehicle's photo.
    void AutomezzoRichiamato(const common::Record& automezzo, std::int64_t numero) override;
    // The attachments applied in the attachments dialog, kept in the hidden
    // labels until the card is saved.
    void AllegatiApplicati(const Allegati& allegati) override;
    // Shows the photo of the vehicle numbered in lblPosizione, or the
    // placeholder.
    void CaricaFotoScheda();
    // Writes the shown picture as the photo of the vehicle numbered in
    // lblPosizione, when it changed or the vehicle has no photo file yet.
    void SalvaFotoScheda();
    // The photo file of the vehicle numbered in lblPosizione.
    std::string FileFotoScheda() const;

private:
    void FormCreate();
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void BindEdits();
    void BindCommands();

    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdDuplicaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdTrovaClick();
    void btnCostiClick();
    void cmdFileClick();
    void ApriDocumento(vehicles::DialogoSchedaVeicolo& dialogo);
    void cmdStampaClick();
    void cmdAnteprimaClick();
    void cmdEsportaClick();
    void cmdSlideshowClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();
    void btnFocusClick();
    void txtTargaKeyDown(ui::KeyEvent& key);
    void txtTargaTyping();

    void MostraSegnaposto();
    void SegnapostoNuovaScheda();
    // After the card's message of a save whose photo could not be written:
    // the photo warning.
    void AvvisaFotoNonSalvata();
    common::ConfigScheda ConfigScheda();

    std::array<ui::Control*, 38> campi_{};
    // New, Save, browse and Duplicate over "Parco_Automezzi.pro".
    common::SchedaArchivio scheda_;
    // The shown picture differs from the vehicle's photo file (chosen by the
    // user, cleared, or a new card's placeholder): only then is the file
    // written again, so a photo is not recompressed at every save and a
    // photo file that could not be read is never replaced unasked.
    bool fotoCambiata_ = true;
    // The last save wrote the record but not its photo.
    bool fotoNonSalvata_ = false;
};

extern TfrmAutoparco* frmAutoparco;
