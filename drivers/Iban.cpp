#include "drivers/Iban.h"

#include "common/DataEntry.h"
#include "common/Routines.h"
#include "platform/rtl/Text.h"

TfrmIban* frmIban = nullptr;

namespace {

constexpr std::string_view kMsgForma =
    "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.";
constexpr std::string_view kMsgValido = "L'IBAN digitato è VALIDO.";
constexpr std::string_view kMsgErrato = "Attenzione: l'IBAN digitato è ERRATO!";

} // namespace

std::string IbanLettereInCifre(std::string_view testo) {
    std::string out;
    out.reserve(testo.size() * 2);
    for (const char c : testo) {
        if (c >= 'A' && c <= 'Z')
            out += std::to_string(c - 'A' + 10);
        else
            out.push_back(c);
    }
    return out;
}

int IbanResto97(std::string_view iban) {
    std::string testo = rtl::UpperAscii(iban);
    // Only a leading "IBAN" is the word: elsewhere these letters belong to
    // the account.
    if (testo.starts_with("IBAN")) testo.erase(0, 4);
    const std::string inizio = common::TroncaTesto(testo, 4);
    testo = IbanLettereInCifre(testo.substr(inizio.size()) + inizio);

    // Nine digits at a time at most, carrying the remainder.
    int resto = 0;
    std::string riporto;
    std::size_t pezzo = 9;
    for (std::size_t pos = 0; pos < testo.size();) {
        riporto += testo.substr(pos, pezzo);
        pos += pezzo;
        if (riporto.empty() || !common::SoloCifre(riporto)) return 0;
        resto = int(std::stoll(riporto) % 97);
        riporto = std::to_string(resto);
        pezzo = 9 - riporto.size();
    }
    return resto;
}

bool ControllaIban(std::string_view iban) {
    std::string senzaSpazi;
    for (const char c : iban)
        if (c != ' ') senzaSpazi.push_back(c);
    return IbanResto97(senzaSpazi) == 1;
}

TfrmIban::TfrmIban(ui::Application& app, ui::Form* owner)
    : DialogoControllo(app, owner, "drivers/Iban.layout", "txtIban", 27), controls::Iban(this) {
    txtIban.OnTyping = [this] { txtIbanTyping(); };
    txtIban.OnKeyDown = [this](ui::KeyEvent& k) { InvioAControlla(k); };
    btnControlla.OnClick = [this] { btnControllaClick(); };
}

void TfrmIban::txtIbanTyping() {
    entry::UpperCaseTyping(txtIban);
}

void TfrmIban::btnControllaClick() {
    const std::string iban = rtl::Trim(txtIban.Text());
    if (rtl::Utf8Length(iban) != 27) {
        AvvisoForma(kMsgForma);
        return;
    }
    if (ControllaIban(iban))
        Verdetto(ui::DialogType::Information, kMsgValido);
    else
        Verdetto(ui::DialogType::Warning, kMsgErrato);
}
