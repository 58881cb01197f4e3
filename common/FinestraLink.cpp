#include "common/FinestraLink.h"

#include "common/Links.h"
#include "common/OpenURL.h"

namespace common {

TfrmLink::TfrmLink(ui::Application& app, ui::Form* owner, std::string_view layout,
                   std::string_view figuraLink, std::function<std::string()> destinazione)
    : ui::Form(app, owner, layout), controls::FinestraLink(this), destinazione_(std::move(destinazione)) {
    btnChiudi.OnClick = [this] { btnChiudiClick(); };
    for (ui::Control* link : {static_cast<ui::Control*>(&lnkWeb), &Get<ui::Control>(figuraLink)}) {
        link->OnMouseDown = [this](ui::MouseEvent& e) { lnkWebMouseDown(e); };
        link->OnMouseUp = [this](ui::MouseEvent& e) { lnkWebMouseUp(e); };
        link->OnClick = [this] { lnkWebClick(); };
    }
}

void TfrmLink::btnChiudiClick() {
    Close();
}

void TfrmLink::lnkWebMouseDown(ui::MouseEvent&) {
    lnkWeb.SetFontColor(links::Pressed);
}

void TfrmLink::lnkWebMouseUp(ui::MouseEvent&) {
    lnkWeb.SetFontColor(links::Normal);
}

void TfrmLink::lnkWebClick() {
    lnkWeb.SetFontColor(links::Normal);
    TMisc::Open(destinazione_());
}

} // namespace common
