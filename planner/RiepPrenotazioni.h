#pragma once
// The booking summary: one line per booked day of the planner window, in
// calendar order, with find-next and the list report. It reads the planner's
// day texts when it is created and changes nothing there.
#include <string>

#include "common/ListWindow.h"
#include "planner/RiepPrenotazioni.controls.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// The 15-character day label of a summary line: "01 gennaio     ".
std::string EtichettaGiorno(int month, int day);

// The planner as its summary reads it: the planner window opens the summary
// and hands itself over. The day texts are read when the summary is
// created, the vehicle and year when it prints.
class PrenotazioniPlanner {
public:
    // Make, model and year, each trimmed.
    struct Veicolo {
        std::string marca;
        std::string modello;
        std::string anno;
    };
    // The trimmed text of the day with planner index i (0 to 365).
    virtual std::string TestoCella(int i) const = 0;
    virtual Veicolo VeicoloPrenotato() const = 0;

protected:
    ~PrenotazioniPlanner() = default;
};

class TfrmRiepPrenotazioni : public ui::Form, public controls::RiepPrenotazioni {
public:
    // Without `planner` the summary is empty.
    explicit TfrmRiepPrenotazioni(ui::Application& app, ui::Form* owner = nullptr,
                                  const PrenotazioniPlanner* planner = nullptr);

    report::Report frxReport;

    // The last search text of every summary window, for the whole run.
    static std::string& UltimaRicerca();

private:
    void FormCreate();
    void FormClose(ui::CloseAction& action);
    void btnStampaClick();

    const PrenotazioniPlanner* planner_;
    common::ListaRecord lista_;
};

extern TfrmRiepPrenotazioni* frmRiepPrenotazioni;
