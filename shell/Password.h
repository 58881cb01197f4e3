#pragma once
// The login window, the main window of the program: asks for the one
// password and opens the start menu when it matches the stored one.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "shell/CambiaPassword.h"
#include "shell/Password.controls.h"

class TfrmPassword : public ui::Form, public controls::Password, public RitornoCambiaPassword {
public:
    explicit TfrmPassword(ui::Application& app, ui::Form* owner = nullptr);

    // Shown again after the change of password: emptied, with the focus in
    // the password.
    void MostraVuota() override;

private:
    void FormShow();
    void txtPasswordChange();
    void txtPasswordKeyUp(ui::KeyEvent& key);
    void txtPasswordKeyDown(ui::KeyEvent& key);
    void txtPasswordEnter();
    void txtPasswordExit();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
    void UpdateOK();
};

extern TfrmPassword* frmPassword;
