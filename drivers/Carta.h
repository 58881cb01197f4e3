#pragma once
// The credit card check: the Luhn test of the card number and the card type
// named by its leading digits.
#include <string_view>

#include "drivers/Carta.controls.h"
#include "drivers/DialogoControllo.h"

// 0 when the number fails the Luhn test; otherwise its first digit minus 2
// (1 for "3", 2 for "4", 3 for "5", 4 for "6"). Only the digits among the
// first 20 characters count.
int ControllaCarta(std::string_view numero);

class TfrmCarta : public drivers::DialogoControllo, public controls::Carta {
public:
    explicit TfrmCarta(ui::Application& app, ui::Form* owner = nullptr);

private:
    void txtNumeroTyping();
    void txtNumeroKeyDown(ui::KeyEvent& key);
    void btnControllaClick();
};

extern TfrmCarta* frmCarta;
