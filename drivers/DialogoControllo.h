#pragma once
// What the four check dialogs of the driver card share: one edit with the
// text to check, "Controlla" beside it and "Chiudi" below. The dialog opens
// with the focus in its edit, its text selected; Enter there moves the focus
// to "Controlla" without pressing it; a shape warning keeps the dialog open
// with the focus back in the edit, a verdict closes it.
#include <string_view>

#include "drivers/DialogoControllo.controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Ui.h"

namespace drivers {

class DialogoControllo : public ui::Form, public controls::DialogoControllo {
public:
    DialogoControllo(ui::Application& app, ui::Form* owner, std::string_view layout, std::string_view edit,
                     int lunghezzaMassima);

    // The text to check, put into the edit before the dialog is shown.
    void ImpostaTesto(std::string_view testo);

protected:
    // The warning about the shape of the text: the dialog stays open.
    void AvvisoForma(std::string_view testo);
    // The verdict (information or warning), then the dialog closes.
    void Verdetto(ui::DialogType tipo, std::string_view testo);
    // Enter moves the focus to "Controlla".
    void InvioAControlla(ui::KeyEvent& key);

private:
    ui::Edit& campo_;
};

} // namespace drivers
