#include "bookings/Giorno.h"

#include <string>

#include "bookings/TestoPrenotazione.h"
#include "common/GiorniPlanner.h"
#include "platform/rtl/Text.h"

TfrmGiorno* frmGiorno = nullptr;

TfrmGiorno::TfrmGiorno(ui::Application& app, ui::Form* owner, bookings::CelleGiorni* celle)
    : ui::Form(app, owner, "bookings/Giorno.layout"), controls::Giorno(this), celle_(celle) {
    OnShow = [this] { FormShow(); };
    txtPrenotazione.OnChange = [this] { txtPrenotazioneChange(); };
    txtPrenotazione.OnTyping = [this] { txtPrenotazioneTyping(); };
    btnChiudi.OnClick = [this] { btnChiudiClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
    cmdCancella.OnClick = [this] { cmdCancellaClick(); };
    cmdClipboard.OnClick = [this] { cmdClipboardClick(); };
    FormCreate();
}

// The date and number formats are fixed for the whole program; only the
// length limit is set here.
void TfrmGiorno::ImpostaGiorno(const std::string& chiave, const std::string& titolo,
                               const std::string& camera, const std::string& testo) {
    lblMemory.SetText(chiave);
    infGiorno.SetText(titolo);
    infCamera.SetText(camera);
    txtPrenotazione.SetText(testo);
}

void TfrmGiorno::FormCreate() {
    txtPrenotazione.SetMaxLength(bookings::kLunghezzaPrenotazione);
}

void TfrmGiorno::FormShow() {
    txtPrenotazione.SetFocus();
}

void TfrmGiorno::MostraStato() {
    const bool prenotato = !rtl::Trim(txtPrenotazione.Text()).empty();
    icoLibera.SetVisible(!prenotato);
    icoOccupata.SetVisible(prenotato);
    icnLibera.SetVisible(!prenotato);
    icnOccupata.SetVisible(prenotato);
}

void TfrmGiorno::txtPrenotazioneChange() {
    MostraStato();
}

void TfrmGiorno::txtPrenotazioneTyping() {
    MostraStato();
}

void TfrmGiorno::btnChiudiClick() {
    // A key that names no day (other text, other letter case) writes nothing.
    const auto indice = planner::IndiceChiave(rtl::Trim(lblMemory.Text()));
    if (indice && celle_) celle_->ScriviGiorno(*indice, rtl::Trim(txtPrenotazione.Text()));
    Close();
}

void TfrmGiorno::btnAnnullaClick() {
    Close();
}

void TfrmGiorno::cmdCancellaClick() {
    bookings::CancellaTesto(txtPrenotazione);
}

void TfrmGiorno::cmdClipboardClick() {
    bookings::CopiaTesto(txtPrenotazione);
}
