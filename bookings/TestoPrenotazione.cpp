#include "bookings/TestoPrenotazione.h"

#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"

namespace bookings {

void CancellaTesto(ui::Edit& txtPrenotazione) {
    txtPrenotazione.SetText("");
    txtPrenotazione.SetFocus();
}

void CopiaTesto(ui::Edit& txtPrenotazione) {
    if (rtl::Trim(txtPrenotazione.Text()).empty()) {
        ui::MessageDlg("Attenzione: il campo di testo non contiene nessun dato da copiare in memoria.",
                       ui::DialogType::Warning, ui::Buttons::OKCancel);
        txtPrenotazione.SetFocus();
        return;
    }
    if (!ui::SetClipboardText(txtPrenotazione.Text())) return;
    ui::MessageDlg("Il contenuto del campo di testo è stato copiato in memoria.", ui::DialogType::Information,
                   ui::Buttons::OKCancel);
}

} // namespace bookings
