#pragma once
// The planner window: one vehicle's year as 366 day cells in twelve month
// rows. A day cell is a free picture, a booked picture on top of it and a
// hidden label with the day's booking text; the booked picture is the visible
// one exactly when the trimmed text is not empty.
//
// Showing the window loads the year from the planner file that the planner
// menu hands over; closing it stores there the days changed since, over what
// the file holds at that moment, so that planners open on the same year on
// several workstations keep each other's bookings.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "bookings/CelleGiorni.h"
#include "common/DialogoDocumento.h"
#include "common/Record.h"
#include "planner/Planning.controls.h"
#include "planner/RiepPrenotazioni.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// The three parts of one day cell.
struct CellaGiorno {
    ui::Picture& lib;
    ui::Picture& occ;
    ui::Label& mem;
};

class TfrmPlanning : public ui::Form,
                     public controls::Planning,
                     public bookings::CelleGiorni,
                     public PrenotazioniPlanner {
public:
    explicit TfrmPlanning(ui::Application& app, ui::Form* owner = nullptr);

    // The cell of the day with planner index i (0 to 365).
    CellaGiorno Cella(int i) const;
    // Sets a cell's three parts together: the booked picture shows exactly
    // when the text (trimmed) is not empty, the label takes the text. The
    // booking dialogs that the planner opens write the cells through it.
    void ScriviGiorno(int i, const std::string& t) override;
    // The year, the vehicle and the planner file chosen in the planner menu:
    // the caption, the year and the four vehicle edits; the file is loaded
    // at every showing and saved at every close until the next choice.
    void ImpostaAnno(const std::string& anno, const std::string& veicolo, const std::string& marca,
                     const std::string& modello, const std::string& targa, const std::string& file);
    // What the booking summary reads: the day texts, make, model and year.
    std::string TestoCella(int i) const override;
    Veicolo VeicoloPrenotato() const override;

private:
    // What the last load left for the save to do.
    enum class Anno {
        NessunFile,     // no planner file named by the menu: nothing to store
        Caricato,       // the file was read (or is new): the close stores the year
        NonAccessibile, // the file could not be opened, created or read: left as it is
    };
    // What a save did.
    enum class Salvataggio {
        Fatto,    // stored, or nothing to store
        NonFatto, // refused or failed, and said so
        InUso,    // another workstation holds the file: said so, may be tried again
    };

    void CreaCelle();
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void cmdNuovoClick();
    void cmdSalvaClick();
    Salvataggio Salva();
    // Whether the close has nothing to store: no day changed, and the file
    // holds the record it would write, or could not be made at all (a
    // read-only folder).
    bool NienteDaSalvare(const std::vector<std::string>& testi) const;
    // The four vehicle fields as the close writes them.
    std::array<std::string, 4> VeicoloDaSalvare() const;
    void GiornoClick(int i);
    void cmdIntervalloClick();
    void cmdRiepilogoClick();
    void ApriDocumento(common::TfrmDocumento& documento);
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    // The planner file handed over by the menu, when it names one in the
    // data folder.
    std::optional<std::string> FilePlanner() const;
    // Make and model as the booking dialogs show them: "make model".
    std::string Camera() const;

    std::vector<CellaGiorno> celle_;
    // The day texts as the load found them (and the last save stored them):
    // a day whose text differs at the close is one this showing changed.
    std::vector<std::string> caricati_;
    common::Record buffer_;
    std::string file_; // the planner file handed over by the menu
    Anno anno_ = Anno::NessunFile;
    // What the load found besides the days: the vehicle fields of a whole
    // record, or no file at all.
    std::optional<std::array<std::string, 4>> veicoloLetto_;
    bool fileAssente_ = false;
};

extern TfrmPlanning* frmPlanning;
