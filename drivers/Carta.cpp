#include "drivers/Carta.h"

#include <string>

#include "common/DataEntry.h"
#include "common/Routines.h"
#include "platform/rtl/Text.h"

TfrmCarta* frmCarta = nullptr;

namespace {

constexpr std::string_view kMsgVuoto =
    "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.";
constexpr std::string_view kMsgErrato =
    "Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
    "Non è quindi possibile fornire informazioni relative al tipo di carta di credito.";

// The type of a passing number from its first two characters; empty for a
// number that names none.
std::string TipoCarta(int esito, const std::string& prefisso) {
    switch (esito) {
    case 1:
        if (prefisso == "30" || prefisso == "36" || prefisso == "38") return "Diner's Club / Carte Blanche";
        if (prefisso == "34" || prefisso == "37") return "American Express";
        if (prefisso == "31" || prefisso == "33" || prefisso == "35") return "JCB";
        return "";
    case 2:
        return "Visa";
    case 3:
        return "MasterCard";
    case 4:
        return "Discover";
    default:
        return "";
    }
}

} // namespace

int ControllaCarta(std::string_view numero) {
    std::string cifre;
    std::size_t pos = 0;
    for (int letti = 0; letti < 20 && pos < numero.size(); ++letti) {
        const char32_t c = rtl::Utf8Next(numero, pos);
        if (c >= U'0' && c <= U'9') cifre.push_back(char(c));
    }
    if (cifre.empty()) return 0;
    // From the digit before the check digit leftwards, every second digit is
    // doubled (a double above 9 loses 9).
    const std::size_t n = cifre.size();
    int somma = 0;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        int cifra = cifre[i] - '0';
        if ((n - 2 - i) % 2 == 0) {
            cifra *= 2;
            if (cifra > 9) cifra -= 9;
        }
        somma += cifra;
    }
    if (cifre[n - 1] - '0' != (10 - somma % 10) % 10) return 0;
    return (cifre[0] - '0') - 2;
}

TfrmCarta::TfrmCarta(ui::Application& app, ui::Form* owner)
    : DialogoControllo(app, owner, "drivers/Carta.layout", "txtNumero", 30), controls::Carta(this) {
    txtNumero.OnTyping = [this] { txtNumeroTyping(); };
    txtNumero.OnKeyDown = [this](ui::KeyEvent& k) { txtNumeroKeyDown(k); };
    btnControlla.OnClick = [this] { btnControllaClick(); };
}

void TfrmCarta::txtNumeroTyping() {
    entry::UpperCaseTyping(txtNumero);
}

void TfrmCarta::txtNumeroKeyDown(ui::KeyEvent& key) {
    entry::DigitKeyDown(key, btnControlla);
}

void TfrmCarta::btnControllaClick() {
    const std::string numero = rtl::Trim(txtNumero.Text());
    if (numero.empty()) {
        AvvisoForma(kMsgVuoto);
        return;
    }
    // A passing number whose prefix names no type is refused like any
    // number without a type.
    const std::string tipo = TipoCarta(ControllaCarta(txtNumero.Text()), common::TroncaTesto(numero, 2));
    if (tipo.empty()) {
        Verdetto(ui::DialogType::Warning, kMsgErrato);
        return;
    }
    Verdetto(ui::DialogType::Information, "Il numero di carta di credito " + numero +
                                              " risulta valido.\r\n\r\n" + "La carta di credito è del tipo " +
                                              tipo + ".");
}
