#pragma once
// The list of the trip sheets not yet closed in the year archive of the
// trip-sheet window, with find-next, print and the recall of a sheet.
#include <cstdint>
#include <string>

#include "common/ListWindow.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "tripsheets/RiepAperti.controls.h"

namespace tripsheets {
// The way back of the open-sheet list and the trip-sheet search: the
// trip-sheet window opens them on the year it has open and hands itself
// over; a recalled sheet comes back through it.
class RitornoFoglio {
public:
    // A sheet read whole, with its record number.
    virtual void FoglioRichiamato(const common::Record& foglio, std::int64_t numero) = 0;

protected:
    ~RitornoFoglio() = default;
};

// The recall of the chosen line of a trip-sheet list from `archivio`: the
// record is read whole first, so a failed read hands nothing back. Failures
// are dropped; without `ritorno` nothing is read.
void RichiamaFoglio(const common::ListaRecord& lista, const std::string& archivio, RitornoFoglio* ritorno);
} // namespace tripsheets

class TfrmRiepAperti : public ui::Form, public controls::RiepAperti {
public:
    // `ritorno` receives the recalled sheet.
    explicit TfrmRiepAperti(ui::Application& app, ui::Form* owner = nullptr,
                            tripsheets::RitornoFoglio* ritorno = nullptr);

    // The year archive listed, the one the trip-sheet window has open; set
    // by that window before showing the list.
    void ImpostaArchivio(std::string archivio) { archivio_ = std::move(archivio); }

    report::Report frxReport;

private:
    void FormShow();
    void lstRecordsDblClick();

    tripsheets::RitornoFoglio* ritorno_;
    std::string archivio_;
    common::ListaRecord lista_;
    std::string trovaRicordato_;
};

extern TfrmRiepAperti* frmRiepAperti;
