#pragma once
// The login window, the main window of the program: asks for the one
// password and opens the start menu when it matches the stored one.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmPassword : public ui::Form {
public:
    explicit TfrmPassword(ui::Application& app, ui::Form* owner = nullptr);

    ui::Label& lblRigo05;
    ui::Edit& txtPassword;
    ui::Rectangle& effPassword;
    ui::Button& cmdOK;
    ui::Button& cmdEsci;
    ui::Button& btnCambiaPassword;
    ui::Label& lblMemory;

    // Shown again after the change of password: emptied, with the focus in
    // the password.
    void MostraVuota();

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
