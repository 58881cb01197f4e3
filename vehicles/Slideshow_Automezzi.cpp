#include "vehicles/Slideshow_Automezzi.h"

#include <memory>
#include <optional>
#include <string>

#include "common/Archive.h"
#include "common/Records.h"
#include "platform/image/Image.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/Zoom.h"

TfrmSlideshow_Automezzi* frmSlideshow_Automezzi = nullptr;

TfrmSlideshow_Automezzi::TfrmSlideshow_Automezzi(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/Slideshow_Automezzi.layout"), controls::Slideshow_Automezzi(this),
      automezzo_(common::TAutomezzoRec) {
    OnShow = [this] { FormShow(); };
    // The show ends with its window.
    OnClose = [this](ui::CloseAction&) { Timer.SetEnabled(false); };
    Timer.OnTimer = [this] { cmdAvanti.OnClick(); };
    cmdAvanti.OnClick = [this] { cmdAvantiClick(); };
    imgFoto.OnClick = [this] { Close(); };
    panContainer.OnClick = [this] { Close(); };
}

void TfrmSlideshow_Automezzi::FormShow() {
    // The photo folder is made when the show starts, not at every photo.
    try {
        rtl::CreateFolders(vehicles::CartellaFotoAutomezzi());
    } catch (const rtl::FileError&) {
        // The photos are then missing: the placeholder is shown.
    }
    AdattaRiquadroFoto(*this, panContainer, imgFoto);
    imgFoto.SetBitmap(imgBianco.Bitmap());
    Timer.SetEnabled(true);
}

// One step of the show: the next vehicle's photo, or the number wound back
// to 0 after the last vehicle, so the next step starts again from the first.
void TfrmSlideshow_Automezzi::cmdAvantiClick() {
    try {
        common::Archivio archivio(vehicles::PercorsoArchivioAutomezzi(), common::TAutomezzoRec);
        if (rtl::Trim(lblPosizione.Text()).empty()) lblPosizione.SetText("0");
        const std::optional<std::int64_t> numero = rtl::ParseInteger(rtl::Trim(lblPosizione.Text()));
        if (!numero) throw common::AccessoArchivio("numero di scheda non valido");
        const std::int64_t posizione = *numero;
        const std::int64_t conta = archivio.Conta();
        if (conta == 0) {
            lblPosizione.SetText("");
            archivio.Chiudi();
            Timer.SetEnabled(false);
            ui::MessageDlg("L'archivio non contiene nessuna scheda.", ui::DialogType::Information,
                           ui::Buttons::OKCancel);
            Close();
            return;
        }
        if (posizione >= 0 && posizione < conta) {
            archivio.Leggi(posizione + 1, automezzo_);
            lblPosizione.SetText(std::to_string(posizione + 1));
            archivio.Chiudi();
            subApriFoto();
        } else if (posizione == conta) {
            lblPosizione.SetText("0");
            archivio.Chiudi();
        }
    } catch (const rtl::DataError&) {
        // The show waits while the message is open, so that the ticks that
        // fall due meanwhile do not pile up messages; then it tries again.
        const bool attivo = Timer.Enabled();
        Timer.SetEnabled(false);
        ui::MessageDlg(std::string(common::kMsgAccessoArchivio), ui::DialogType::Error,
                       ui::Buttons::OKCancel);
        if (attivo && Visible()) Timer.SetEnabled(true);
    }
}

void TfrmSlideshow_Automezzi::subApriFoto() {
    if (ui::BitmapPtr foto = vehicles::FotoAutomezzo(lblPosizione.Text()))
        imgFoto.SetBitmap(std::move(foto));
    else
        imgFoto.SetBitmap(imgBianco.Bitmap());
}
