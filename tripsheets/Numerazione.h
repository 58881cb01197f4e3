#pragma once
// The numbering start dialog: the number the automatic trip-sheet numbering
// starts from, kept in "Fogli_di_Marcia.ini" for the caller tag "fogli".
#include <string>
#include <string_view>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "tripsheets/Numerazione.controls.h"

class TfrmNumerazione : public ui::Form, public controls::Numerazione {
public:
    explicit TfrmNumerazione(ui::Application& app, ui::Form* owner = nullptr);

    // The caller tag, set by the window that opens this one before showing it.
    void ImpostaChiamante(std::string_view chiamante) { lblMemory.SetText(std::string(chiamante)); }

private:
    void FormShow();
    void txtInizioExit();
    void btnApplicaClick();

    // The start number as the showing found it in the file (what it showed,
    // when the file could not be read): only a number the user changed is
    // written, so that a change made meanwhile at another workstation stays.
    std::string inizioLetto_;
};

extern TfrmNumerazione* frmNumerazione;
