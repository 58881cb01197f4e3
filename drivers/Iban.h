#pragma once
// The IBAN check: the ISO 13616 check digits (remainder 1 under MOD 97-10)
// of a 27-character IBAN.
#include <string>
#include <string_view>

#include "drivers/DialogoControllo.h"
#include "drivers/Iban.controls.h"

// True when IbanResto97 of the text without its blanks is 1.
bool ControllaIban(std::string_view iban);

// The remainder modulo 97 of the numeric form of the text: upper-cased, a
// leading "IBAN" dropped, the first four characters moved to the end, the
// letters turned into numbers. 0 when that form is not made of digits alone
// (or is empty).
int IbanResto97(std::string_view iban);

// Every letter A to Z replaced by its number, A = "10" ... Z = "35"; other
// characters unchanged.
std::string IbanLettereInCifre(std::string_view testo);

class TfrmIban : public drivers::DialogoControllo, public controls::Iban {
public:
    explicit TfrmIban(ui::Application& app, ui::Form* owner = nullptr);

private:
    void txtIbanTyping();
    void btnControllaClick();
};

extern TfrmIban* frmIban;
