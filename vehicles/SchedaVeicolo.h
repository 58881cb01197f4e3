#pragma once
// The vehicle card as a document: the card as shown, with its photo, on one
// A4 page ("Scheda Veicolo"), printed through the print dialog or shown in
// the preview window. The print and the preview dialog differ only in their
// layout (caption and button), in that last step and in the failure text.
#include <string_view>

#include "common/DialogoDocumento.h"
#include "platform/ui/Form.h"
#include "vehicles/SchedaVeicolo.controls.h"

namespace vehicles {

// The card's part of the document: the 32 data memos with the trimmed texts
// of the card's edits of the same names.
void RiempiSchedaVeicolo(report::Report& rep, const ui::Form& scheda);

class DialogoSchedaVeicolo : public common::TfrmDocumento, public controls::SchedaVeicolo {
public:
    // The card's photo, handed over by the card before showing the dialog.
    void ImpostaFoto(ui::BitmapPtr foto) { foto_ = std::move(foto); }

protected:
    DialogoSchedaVeicolo(ui::Application& app, ui::Form* owner, std::string_view layout, bool anteprima);

private:
    // imgLogo takes the picture of the card's photo, or imgTemp's when the
    // card has none.
    void FormShow();

    ui::BitmapPtr foto_;
};

} // namespace vehicles
