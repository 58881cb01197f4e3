#include "vehicles/Zoom.h"

#include <algorithm>

TfrmZoom* frmZoom = nullptr;

void AdattaRiquadroFoto(ui::Form& form, ui::Panel& panContainer, ui::Picture& imgFoto) {
    const int larghezza = std::max(1, form.App().ScreenWidth() - 60);
    const int altezza = std::max(1, form.App().ScreenHeight() - 90);
    panContainer.SetSize(larghezza, altezza);
    imgFoto.SetSize(larghezza, altezza);
}

TfrmZoom::TfrmZoom(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/Zoom.layout"), controls::Zoom(this) {
    OnShow = [this] { FormShow(); };
    imgFoto.OnClick = [this] { Close(); };
    panContainer.OnClick = [this] { Close(); };
}

void TfrmZoom::FormShow() {
    AdattaRiquadroFoto(*this, panContainer, imgFoto);
}
