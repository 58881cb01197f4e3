#include "common/Guida.h"

#include <memory>

#include "common/HelpText.h"
#include "common/Links.h"
#include "common/OpenURL.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Resources.h"

TfrmGuida* frmGuida = nullptr;

TfrmGuida::TfrmGuida(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "common/Guida.layout"), imgLogo(Get<ui::Picture>("imgLogo")),
      lblTitolo(Get<ui::Label>("lblTitolo")), txtGuida(Get<ui::Memo>("txtGuida")),
      lnkWeb(Get<ui::Label>("lnkWeb")), imgPDF(Get<ui::Picture>("imgPDF")),
      btnChiudi(Get<ui::Button>("btnChiudi")) {
    OnShow = [this] { FormShow(); };
    btnChiudi.OnClick = [this] { btnChiudiClick(); };
    for (ui::Control* link : {static_cast<ui::Control*>(&lnkWeb), static_cast<ui::Control*>(&imgPDF)}) {
        link->OnMouseDown = [this](ui::MouseEvent& e) { lnkWebMouseDown(e); };
        link->OnMouseUp = [this](ui::MouseEvent& e) { lnkWebMouseUp(e); };
        link->OnClick = [this] { lnkWebClick(); };
    }
}

void TfrmGuida::FormShow() {
    SetSize(676, 598);
}

void TfrmGuida::btnChiudiClick() {
    Close();
}

void TfrmGuida::lnkWebMouseDown(ui::MouseEvent&) {
    lnkWeb.SetFontColor(links::Pressed);
}

void TfrmGuida::lnkWebMouseUp(ui::MouseEvent&) {
    lnkWeb.SetFontColor(links::Normal);
}

void TfrmGuida::lnkWebClick() {
    lnkWeb.SetFontColor(links::Normal);
    TMisc::Open("\"" + rtl::DataFolder() + "Guida.pdf\"");
}

void ShowHelp(ui::Form& owner, const std::string& title, const std::string& text) {
    auto help = std::make_unique<TfrmGuida>(owner.App(), &owner);
    help->lblTitolo.SetText(title);
    help->txtGuida.SetText(text);
    help->ShowModal();
}

void ShowHelpTopic(ui::Form& owner, const std::string& title, std::string_view resource) {
    std::string text;
    if (res::find(resource)) text = LoadHelpTopic(resource).Text();
    ShowHelp(owner, title, text);
}
