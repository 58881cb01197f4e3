#include "shell/Splash.h"

#include "common/Links.h"
#include "common/OpenURL.h"

TfrmSplash* frmSplash = nullptr;

TfrmSplash::TfrmSplash(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "shell/Splash.layout"), imgLogo(Get<ui::Picture>("imgLogo")),
      imgWeb(Get<ui::Picture>("imgWeb")), lnkWeb(Get<ui::Label>("lnkWeb")),
      btnChiudi(Get<ui::Button>("btnChiudi")) {
    btnChiudi.OnClick = [this] { btnChiudiClick(); };
    // The link text and its picture share the three link handlers.
    for (ui::Control* link : {static_cast<ui::Control*>(&lnkWeb), static_cast<ui::Control*>(&imgWeb)}) {
        link->OnMouseDown = [this](ui::MouseEvent& e) { lnkWebMouseDown(e); };
        link->OnMouseUp = [this](ui::MouseEvent& e) { lnkWebMouseUp(e); };
        link->OnClick = [this] { lnkWebClick(); };
    }
}

void TfrmSplash::btnChiudiClick() {
    Close();
}

void TfrmSplash::lnkWebMouseDown(ui::MouseEvent&) {
    lnkWeb.SetFontColor(links::Pressed);
}

void TfrmSplash::lnkWebMouseUp(ui::MouseEvent&) {
    lnkWeb.SetFontColor(links::Normal);
}

void TfrmSplash::lnkWebClick() {
    lnkWeb.SetFontColor(links::Normal);
    TMisc::Open(links::WebSite);
}
