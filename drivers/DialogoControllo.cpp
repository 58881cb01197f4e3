#include "drivers/DialogoControllo.h"

#include <string>

#include "common/DataEntry.h"
#include "platform/ui/Services.h"

namespace drivers {

DialogoControllo::DialogoControllo(ui::Application& app, ui::Form* owner, std::string_view layout,
                                   std::string_view edit, int lunghezzaMassima)
    : ui::Form(app, owner, layout), controls::DialogoControllo(this), campo_(Get<ui::Edit>(edit)) {
    campo_.SetMaxLength(lunghezzaMassima);
    // Taking the focus selects the text preset by the card: another one typed replaces it.
    OnShow = [this] { campo_.SetFocus(); };
    btnChiudi.OnClick = [this] { Close(); };
}

void DialogoControllo::ImpostaTesto(std::string_view testo) {
    campo_.SetText(std::string(testo));
}

void DialogoControllo::AvvisoForma(std::string_view testo) {
    ui::MessageDlg(std::string(testo), ui::DialogType::Warning, ui::Buttons::OKCancel);
    campo_.SetFocus();
}

void DialogoControllo::Verdetto(ui::DialogType tipo, std::string_view testo) {
    ui::MessageDlg(std::string(testo), tipo, ui::Buttons::OKCancel);
    Close();
}

void DialogoControllo::InvioAControlla(ui::KeyEvent& key) {
    entry::ChainKeyDown(key, btnControlla);
}

} // namespace drivers
