#pragma once
// The one-day booking dialog. The planner's day click creates it with the
// planner's day cells, hands it the day key (kept in lblMemory), the day's
// title (infGiorno), the vehicle (infCamera) and the day's text
// (txtPrenotazione), and shows it modally. "Applica e chiudi" writes the trimmed
// text into the day cell named by the key (an empty text frees the day) and
// closes; "Annulla" only closes.
#include <string>

#include "bookings/CelleGiorni.h"
#include "bookings/Giorno.controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmGiorno : public ui::Form, public controls::Giorno {
public:
    // Without `celle` "Applica e chiudi" writes nothing.
    explicit TfrmGiorno(ui::Application& app, ui::Form* owner = nullptr,
                        bookings::CelleGiorni* celle = nullptr);

    // The day shown, before the dialog opens: its key (the caller tag), its
    // title, the vehicle and the day's text.
    void ImpostaGiorno(const std::string& chiave, const std::string& titolo, const std::string& camera,
                       const std::string& testo);

private:
    void FormCreate();
    void FormShow();
    void txtPrenotazioneChange();
    void txtPrenotazioneTyping();
    void btnChiudiClick();
    void btnAnnullaClick();
    void cmdCancellaClick();
    void cmdClipboardClick();
    // The booked pair of pictures for a text that is not blank, the free pair
    // otherwise.
    void MostraStato();

    bookings::CelleGiorni* celle_;
};

extern TfrmGiorno* frmGiorno;
