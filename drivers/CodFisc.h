#pragma once
// The tax code check: whether a 16-character codice fiscale carries the
// right check character.
#include <string_view>

#include "drivers/CodFisc.controls.h"
#include "drivers/DialogoControllo.h"

// True when the 16th character of a 16-character code is the check
// character of the first fifteen. A code that is not 16 characters long, or
// holds a character outside "0" to "Z", is not valid.
bool ControllaCodFisc(std::string_view codice);

class TfrmCodFisc : public drivers::DialogoControllo, public controls::CodFisc {
public:
    explicit TfrmCodFisc(ui::Application& app, ui::Form* owner = nullptr);

private:
    void txtCodFiscTyping();
    void btnControllaClick();
};

extern TfrmCodFisc* frmCodFisc;
