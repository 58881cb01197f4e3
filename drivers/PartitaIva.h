#pragma once
// The VAT number check: whether an 11-digit partita IVA carries the right
// check digit, and the VAT office that issued it.
#include <string>
#include <string_view>

#include "drivers/DialogoControllo.h"
#include "drivers/PartitaIva.controls.h"

// True when the text is 11 digits "0" to "9" whose last one is the check
// digit of the first ten.
bool ControllaPartitaIva(std::string_view numero);

// The name of the VAT office with that three-digit code; empty when the
// code is not in the table.
std::string UfficioIva(std::string_view codice);

class TfrmPartitaIva : public drivers::DialogoControllo, public controls::PartitaIva {
public:
    explicit TfrmPartitaIva(ui::Application& app, ui::Form* owner = nullptr);

private:
    void txtPartitaIvaKeyDown(ui::KeyEvent& key);
    void btnControllaClick();
};

extern TfrmPartitaIva* frmPartitaIva;
