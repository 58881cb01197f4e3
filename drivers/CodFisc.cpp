#include "drivers/CodFisc.h"

#include <array>
#include <string>

#include "common/DataEntry.h"
#include "platform/rtl/Text.h"

TfrmCodFisc* frmCodFisc = nullptr;

namespace {

// Values of the characters "0" to "Z" (the digits, the seven signs between
// "9" and "A", the letters) in odd and in even positions.
constexpr std::array<int, 43> kDispari = {
    1, 0, 5, 7,  9,  13, 15, 17, 19, 21,                    // 0-9
    0, 0, 0, 0,  0,  0,  0,                                 // : ; < = > ? @
    1, 0, 5, 7,  9,  13, 15, 17, 19, 21, 2,  4, 18, 20, 11, // A-O
    3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23,                // P-Z
};
constexpr std::array<int, 43> kPari = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, // 0-9
    0, 0, 0, 0, 0, 0, 0,          // : ; < = > ? @
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, // A-Z
};

constexpr std::string_view kMsgForma =
    "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.";
constexpr std::string_view kMsgValido = "Il codice fiscale digitato è VALIDO.";
constexpr std::string_view kMsgErrato = "Attenzione: il codice fiscale digitato è ERRATO.";

} // namespace

bool ControllaCodFisc(std::string_view codice) {
    std::u32string c;
    for (std::size_t pos = 0; pos < codice.size();)
        c.push_back(rtl::Utf8Next(codice, pos));
    if (c.size() != 16) return false;
    int somma = 0;
    for (std::size_t i = 0; i < 15; ++i) {
        // A character without a value in the tables makes the code wrong.
        if (c[i] < U'0' || c[i] > U'Z') return false;
        const std::size_t k = std::size_t(c[i] - U'0');
        somma += (i % 2 == 0) ? kDispari[k] : kPari[k];
    }
    return c[15] == char32_t(U'A' + somma % 26);
}

TfrmCodFisc::TfrmCodFisc(ui::Application& app, ui::Form* owner)
    : DialogoControllo(app, owner, "drivers/CodFisc.layout", "txtCodFisc", 16), controls::CodFisc(this) {
    txtCodFisc.OnTyping = [this] { txtCodFiscTyping(); };
    txtCodFisc.OnKeyDown = [this](ui::KeyEvent& k) { InvioAControlla(k); };
    btnControlla.OnClick = [this] { btnControllaClick(); };
}

void TfrmCodFisc::txtCodFiscTyping() {
    entry::UpperCaseTyping(txtCodFisc);
}

void TfrmCodFisc::btnControllaClick() {
    const std::string codice = rtl::UpperAscii(txtCodFisc.Text());
    if (rtl::Utf8Length(codice) != 16) {
        AvvisoForma(kMsgForma);
        return;
    }
    if (ControllaCodFisc(codice))
        Verdetto(ui::DialogType::Information, kMsgValido);
    else
        Verdetto(ui::DialogType::Warning, kMsgErrato);
}
