#pragma once
// The change of password, reached from the login window before the login:
// checks the old password and the confirmation, then rewrites the store.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "shell/CambiaPassword.controls.h"

class TfrmCambiaPassword : public ui::Form, public controls::CambiaPassword {
public:
    explicit TfrmCambiaPassword(ui::Application& app, ui::Form* owner = nullptr);

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void UpdateOK();
    void cmdOKClick();
    void cmdEsciClick();
};

extern TfrmCambiaPassword* frmCambiaPassword;
