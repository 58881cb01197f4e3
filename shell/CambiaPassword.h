#pragma once
// The change of password, reached from the login window before the login:
// checks the old password and the confirmation, then rewrites the store.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmCambiaPassword : public ui::Form {
public:
    explicit TfrmCambiaPassword(ui::Application& app, ui::Form* owner = nullptr);

    ui::Edit& txtPasswordOld;
    ui::Edit& txtPasswordNew;
    ui::Edit& txtConferma;
    ui::Rectangle& effPasswordOld;
    ui::Rectangle& effPasswordNew;
    ui::Rectangle& effConferma;
    ui::Button& cmdOK;
    ui::Button& cmdEsci;
    ui::Label& lblMemory;

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void UpdateOK();
    void cmdOKClick();
    void cmdEsciClick();
};

extern TfrmCambiaPassword* frmCambiaPassword;
