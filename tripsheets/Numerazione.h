#pragma once
// The numbering start dialog: the number the automatic trip-sheet numbering
// starts from, kept in "Fogli_di_Marcia.ini" for the caller tag "fogli".
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "tripsheets/Numerazione.controls.h"

class TfrmNumerazione : public ui::Form, public controls::Numerazione {
public:
    explicit TfrmNumerazione(ui::Application& app, ui::Form* owner = nullptr);

private:
    void FormShow();
    void txtInizioExit();
    void btnApplicaClick();
};

extern TfrmNumerazione* frmNumerazione;
