#pragma once
// The list of the trip sheets not yet closed in the year archive of the
// trip-sheet window, with find-next, print and the recall of a sheet.
#include <string>

#include "common/ListWindow.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "tripsheets/RiepAperti.controls.h"

class TfrmRiepAperti : public ui::Form, public controls::RiepAperti {
public:
    explicit TfrmRiepAperti(ui::Application& app, ui::Form* owner = nullptr);

    report::Report frxReport;

private:
    void FormShow();
    void lstRecordsDblClick();

    common::ListaRecord lista_;
    std::string trovaRicordato_;
};

extern TfrmRiepAperti* frmRiepAperti;

namespace tripsheets {
// The recall of the chosen line of a trip-sheet list into the trip-sheet
// window: the record is read whole first, so a failed read leaves the window
// as it was. Failures are dropped.
void RichiamaFoglio(const common::ListaRecord& lista);
} // namespace tripsheets
