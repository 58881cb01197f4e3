#pragma once
// The change of password, reached from the login window before the login:
// checks the old password and the confirmation, then rewrites the store.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "shell/CambiaPassword.controls.h"

// The way back of the change of password: the login window hands itself
// over before showing the change, and is shown again, emptied, at its close.
class RitornoCambiaPassword {
public:
    virtual void MostraVuota() = 0;

protected:
    ~RitornoCambiaPassword() = default;
};

class TfrmCambiaPassword : public ui::Form, public controls::CambiaPassword {
public:
    explicit TfrmCambiaPassword(ui::Application& app, ui::Form* owner = nullptr);

    // The window shown again at every close, set before showing this one.
    void ImpostaRitorno(RitornoCambiaPassword* ritorno) { ritorno_ = ritorno; }

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void UpdateOK();
    void cmdOKClick();
    void cmdEsciClick();

    RitornoCambiaPassword* ritorno_ = nullptr;
};

extern TfrmCambiaPassword* frmCambiaPassword;
