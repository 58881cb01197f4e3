#pragma once
// The date-range booking dialog. The planner's range command creates it with
// the planner's day cells, writes its year into lblAnnoInizio and lblAnnoFine and the vehicle into
// infCamera, empties the four day and month selectors and shows it modally.
// "Applica e chiudi" assembles the start and end dates, checks the fields,
// the dates, their order and the customer's name, asks for confirmation and
// books every day of the range in the day cells; "Annulla" closes.
#include <array>
#include <string>
#include <string_view>

#include "bookings/CelleGiorni.h"
#include "bookings/Intervallo.controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmIntervallo : public ui::Form, public controls::Intervallo {
public:
    // Without `celle` a confirmed range books nothing and the dialog stays
    // open.
    explicit TfrmIntervallo(ui::Application& app, ui::Form* owner = nullptr,
                            bookings::CelleGiorni* celle = nullptr);

    // Before the dialog opens: the planner's year as the year of both ends,
    // the vehicle, and the four day and month boxes empty.
    void ImpostaAnno(const std::string& anno, const std::string& camera);

private:
    // One day or month selector: its highlight, whether a text is one of its
    // values, and where Enter takes the focus.
    struct Selettore {
        ui::ComboEdit* campo;
        ui::Rectangle* eff;
        bool (*accettato)(std::string_view text);
        ui::Control* prossimo;
    };
    void FormCreate();
    void FormShow();
    void btnAnnullaClick();
    void btnChiudiClick();
    void txtPrenotazioneKeyDown(ui::KeyEvent& key);
    void cmdCancellaClick();
    void cmdClipboardClick();
    void SelettoreCanFocus(const Selettore& s);
    void SelettoreEnter(const Selettore& s);
    void SelettoreExit(const Selettore& s);
    void SelettoreKeyDown(const Selettore& s, ui::KeyEvent& key);
    bool Estremo(ui::ComboEdit& giorno, ui::ComboEdit& mese, const ui::Label& anno, ui::Label& data,
                 const std::string& nonEsiste);
    // The checks of "Applica e chiudi" up to the confirmation; false when one
    // stopped it (its message shown).
    bool ControllaIntervallo();
    // Books the trimmed text on every day of the range in the planner's cells;
    // only called when the dialog has them.
    void SegnaIntervallo();

    bookings::CelleGiorni* celle_;
    std::array<Selettore, 4> selettori_;
};

extern TfrmIntervallo* frmIntervallo;

namespace bookings {

// The number (1-12) of a month text, lower-cased then trimmed ("Marzo",
// " MARZO " give 3); 0 when it names no month.
int NumeroMese(std::string_view text);

// Whether the trimmed text is one of the day selector's items "01" ... "31".
bool GiornoAccettato(std::string_view text);

// Whether the month text names a month (NumeroMese is not 0).
bool MeseAccettato(std::string_view text);

} // namespace bookings
