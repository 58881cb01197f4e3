#include "shell/Info.h"

#include "common/Links.h"
#include "common/OpenURL.h"

TfrmInfo* frmInfo = nullptr;

TfrmInfo::TfrmInfo(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "shell/Info.layout"), imgLogo(Get<ui::Picture>("imgLogo")),
      imgEmail(Get<ui::Picture>("imgEmail")), lnkWeb(Get<ui::Label>("lnkWeb")),
      btnChiudi(Get<ui::Button>("btnChiudi")) {
    btnChiudi.OnClick = [this] { btnChiudiClick(); };
    // The link text and its picture share the three link handlers.
    for (ui::Control* link : {static_cast<ui::Control*>(&lnkWeb), static_cast<ui::Control*>(&imgEmail)}) {
        link->OnMouseDown = [this](ui::MouseEvent& e) { lnkWebMouseDown(e); };
        link->OnMouseUp = [this](ui::MouseEvent& e) { lnkWebMouseUp(e); };
        link->OnClick = [this] { lnkWebClick(); };
    }
}

void TfrmInfo::btnChiudiClick() {
    Close();
}

void TfrmInfo::lnkWebMouseDown(ui::MouseEvent&) {
    lnkWeb.SetFontColor(links::Pressed);
}

void TfrmInfo::lnkWebMouseUp(ui::MouseEvent&) {
    lnkWeb.SetFontColor(links::Normal);
}

void TfrmInfo::lnkWebClick() {
    lnkWeb.SetFontColor(links::Normal);
    TMisc::Open("\"" +
                MailLink(links::MakerMail, "Software Dorneval",
                         "Salve, desidererei avere le seguenti informazioni sul software in oggetto:") +
                "\"");
}
