#pragma once
// The vehicle photo on the whole screen. The card puts its picture into
// imgFoto before showing the window; a click on the photo closes it.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/Zoom.controls.h"

class TfrmZoom : public ui::Form, public controls::Zoom {
public:
    explicit TfrmZoom(ui::Application& app, ui::Form* owner = nullptr);

    // The photo shown, put in by the card before the window is shown.
    void ImpostaFoto(ui::BitmapPtr foto) { imgFoto.SetBitmap(std::move(foto)); }

private:
    void FormShow();
};

extern TfrmZoom* frmZoom;

// Sizes the photo box of a full-screen picture window to the screen, less a
// border round it; the box stays centred in the window.
void AdattaRiquadroFoto(ui::Form& form, ui::Panel& panContainer, ui::Picture& imgFoto);
