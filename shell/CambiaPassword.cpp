#include "shell/CambiaPassword.h"

#include <optional>
#include <string>

#include "common/Archive.h"
#include "common/DataEntry.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "shell/Crypt.h"
#include "shell/PasswordStore.h"

TfrmCambiaPassword* frmCambiaPassword = nullptr;

TfrmCambiaPassword::TfrmCambiaPassword(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "shell/CambiaPassword.layout"), controls::CambiaPassword(this) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    // The three edits share the rule of OK, their highlight rectangle and
    // the closed Enter chain old -> new -> confirmation -> old.
    struct Field {
        ui::Edit& edit;
        ui::Rectangle& eff;
        ui::Edit& next;
    };
    for (Field f : {Field{txtPasswordOld, effPasswordOld, txtPasswordNew},
                    Field{txtPasswordNew, effPasswordNew, txtConferma},
                    Field{txtConferma, effConferma, txtPasswordOld}}) {
        f.edit.OnChange = [this] { UpdateOK(); };
        f.edit.OnKeyUp = [this](ui::KeyEvent&) { UpdateOK(); };
        entry::BindHighlightRect(f.edit, f.eff);
        ui::Edit* next = &f.next;
        f.edit.OnKeyDown = [next](ui::KeyEvent& k) { entry::ChainKeyDown(k, *next); };
    }
    cmdOK.OnClick = [this] { cmdOKClick(); };
    cmdEsci.OnClick = [this] { cmdEsciClick(); };
}

void TfrmCambiaPassword::FormShow() {
    txtPasswordOld.SetText("");
    txtPasswordNew.SetText("");
    txtConferma.SetText("");
    lblMemory.SetText("");
    UpdateOK();
    txtPasswordOld.SetFocus();
}

void TfrmCambiaPassword::UpdateOK() {
    cmdOK.SetEnabled(!rtl::Trim(txtPasswordOld.Text()).empty() && !rtl::Trim(txtPasswordNew.Text()).empty() &&
                     !rtl::Trim(txtConferma.Text()).empty());
}

// Every close, whatever caused it, brings the login window back emptied.
void TfrmCambiaPassword::FormClose(ui::CloseAction&) {
    if (ritorno_) ritorno_->MostraVuota();
}

void TfrmCambiaPassword::cmdEsciClick() {
    Close();
}

void TfrmCambiaPassword::cmdOKClick() {
    // The checks run while the store is locked, from its read to its write;
    // the messages are shown once it is released, so that no workstation
    // waits on a dialog left open here.
    enum class Esito { VecchiaErrata, NonConfermata, NonAmmessa, Modificata };
    Esito esito = Esito::VecchiaErrata;
    try {
        ChangePasswordStore([&](const std::string& stored) -> std::optional<std::string> {
            // The decoded password is compared and forgotten: no control
            // keeps it.
            if (rtl::Trim(DecodePassword(stored)) != rtl::Trim(rtl::UpperAscii(txtPasswordOld.Text()))) {
                esito = Esito::VecchiaErrata;
                return std::nullopt;
            }
            if (rtl::Trim(txtPasswordNew.Text()) != rtl::Trim(txtConferma.Text())) {
                esito = Esito::NonConfermata;
                return std::nullopt;
            }
            const std::string password = rtl::Trim(rtl::UpperAscii(txtPasswordNew.Text()));
            // The store keeps one byte per character: a password it could
            // not hold whole would never match at the login again.
            if (!PasswordFitsStore(password)) {
                esito = Esito::NonAmmessa;
                return std::nullopt;
            }
            esito = Esito::Modificata;
            return rtl::Trim(EncodePassword(password));
        });
    } catch (const rtl::DataError& e) {
        ui::ShowMessage(common::MessaggioAccesso(
            e, "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
               "Si consiglia di reinstallare il software."));
        return;
    }
    switch (esito) {
    case Esito::VecchiaErrata:
        ui::ShowMessage("Attenzione: vecchia password errata.");
        txtPasswordOld.SetText("");
        txtPasswordOld.SetFocus();
        return;
    case Esito::NonConfermata:
    case Esito::NonAmmessa:
        ui::ShowMessage(esito == Esito::NonConfermata
                            ? "Attenzione: la nuova password non è stata confermata correttamente. "
                              "E' necessario reinserire entrambi i valori."
                            : "Attenzione: la nuova password contiene caratteri non ammessi, come il simbolo "
                              "dell'euro. E' necessario scegliere una password diversa.");
        txtPasswordNew.SetText("");
        txtConferma.SetText("");
        txtPasswordNew.SetFocus();
        return;
    case Esito::Modificata:
        break;
    }
    // Only a store actually written is reported as changed.
    ui::ShowMessage("Modifica della password completata con successo.");
    Close();
}
