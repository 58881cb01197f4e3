#pragma once
// The booking summary: one line per booked day of the planner window, in
// calendar order, with find-next and the list report. It reads the planner
// window's day texts when it is created and changes nothing there.
#include <string>

#include "common/ListWindow.h"
#include "planner/RiepPrenotazioni.controls.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// The 15-character day label of a summary line: "01 gennaio     ".
std::string EtichettaGiorno(int month, int day);

class TfrmRiepPrenotazioni : public ui::Form, public controls::RiepPrenotazioni {
public:
    explicit TfrmRiepPrenotazioni(ui::Application& app, ui::Form* owner = nullptr);

    report::Report frxReport;

    // The last search text of every summary window, for the whole run.
    static std::string& UltimaRicerca();

private:
    void FormCreate();
    void FormClose(ui::CloseAction& action);
    void btnStampaClick();

    common::ListaRecord lista_;
};

extern TfrmRiepPrenotazioni* frmRiepPrenotazioni;
