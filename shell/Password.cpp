#include "shell/Password.h"

#include "common/Archive.h"
#include "common/DataEntry.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "shell/Avvio.h"
#include "shell/CambiaPassword.h"
#include "shell/Crypt.h"
#include "shell/PasswordStore.h"

TfrmPassword* frmPassword = nullptr;

TfrmPassword::TfrmPassword(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "shell/Password.layout"), controls::Password(this) {
    OnShow = [this] { FormShow(); };
    txtPassword.OnChange = [this] { txtPasswordChange(); };
    txtPassword.OnKeyUp = [this](ui::KeyEvent& k) { txtPasswordKeyUp(k); };
    txtPassword.OnKeyDown = [this](ui::KeyEvent& k) { txtPasswordKeyDown(k); };
    txtPassword.OnEnter = [this] { txtPasswordEnter(); };
    txtPassword.OnExit = [this] { txtPasswordExit(); };
    cmdOK.OnClick = [this] { cmdOKClick(); };
    cmdEsci.OnClick = [this] { cmdEsciClick(); };
    btnCambiaPassword.OnClick = [this] { btnCambiaPasswordClick(); };
}

void TfrmPassword::FormShow() {
    txtPassword.SetFocus();
}

void TfrmPassword::UpdateOK() {
    cmdOK.SetEnabled(!rtl::Trim(txtPassword.Text()).empty());
}

void TfrmPassword::txtPasswordChange() {
    UpdateOK();
}

void TfrmPassword::txtPasswordKeyUp(ui::KeyEvent&) {
    UpdateOK();
}

void TfrmPassword::txtPasswordKeyDown(ui::KeyEvent& key) {
    if (key.key == ui::vk::Return && !rtl::Trim(txtPassword.Text()).empty()) cmdOKClick();
}

void TfrmPassword::txtPasswordEnter() {
    entry::RectEnter(effPassword);
}

void TfrmPassword::txtPasswordExit() {
    entry::RectExit(effPassword);
}

void TfrmPassword::cmdOKClick() {
    bool match = false;
    try {
        // The store keeps the password upper-cased, so a-z may be typed in
        // either case; every other character must match exactly. The
        // decoded password is compared and forgotten: no control keeps it.
        match =
            rtl::Trim(DecodePassword(ReadPasswordStore())) == rtl::Trim(rtl::UpperAscii(txtPassword.Text()));
    } catch (const rtl::DataError& e) {
        ui::ShowMessage(common::MessaggioAccesso(
            e, "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
               "Si consiglia di reinstallare il software."));
        return;
    }
    if (match) {
        frmAvvio->Show();
        Hide();
    } else {
        ui::ShowMessage("Attenzione: password errata.");
        txtPassword.SetText("");
        txtPassword.SetFocus();
    }
}

void TfrmPassword::MostraVuota() {
    txtPassword.SetText("");
    lblMemory.SetText("");
    Show();
    txtPassword.SetFocus();
}

void TfrmPassword::cmdEsciClick() {
    Close();
    App().Terminate();
}

void TfrmPassword::btnCambiaPasswordClick() {
    frmCambiaPassword->ImpostaRitorno(this);
    frmCambiaPassword->Show();
    Hide();
}
