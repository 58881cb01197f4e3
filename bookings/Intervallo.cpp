#include "bookings/Intervallo.h"

#include <utility>
#include <vector>

#include "bookings/TestoPrenotazione.h"
#include "common/DataEntry.h"
#include "common/GiorniPlanner.h"
#include "common/Routines.h"
#include "platform/rtl/Date.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"

TfrmIntervallo* frmIntervallo = nullptr;

namespace bookings {

int NumeroMese(std::string_view text) {
    const std::string nome = rtl::Trim(rtl::LowerAscii(text));
    for (int m = 1; m <= 12; ++m)
        if (nome == planner::NomeMese(m)) return m;
    return 0;
}

bool GiornoAccettato(std::string_view text) {
    const std::string_view giorno = rtl::TrimView(text);
    if (giorno.size() != 2 || giorno[0] < '0' || giorno[0] > '3' || giorno[1] < '0' || giorno[1] > '9')
        return false;
    const int n = (giorno[0] - '0') * 10 + (giorno[1] - '0');
    return n >= 1 && n <= 31;
}

bool MeseAccettato(std::string_view text) {
    return NumeroMese(text) != 0;
}

} // namespace bookings

namespace {

const char* const kALaData = "Attenzione: la data ";
const char* const kLfCr = "\n\r\n\r";

// The date text of a day, month and year: day + "/MM/" + year.
std::string DataDa(const std::string& giorno, int mese, const std::string& anno) {
    const char mm[] = {'/', char('0' + mese / 10), char('0' + mese % 10), '/', '\0'};
    return giorno + mm + anno;
}

} // namespace

TfrmIntervallo::TfrmIntervallo(ui::Application& app, ui::Form* owner, bookings::CelleGiorni* celle)
    : ui::Form(app, owner, "bookings/Intervallo.layout"), controls::Intervallo(this),
      celle_(celle), selettori_{
                         {{&txtGiornoInizio, &effGiornoInizio, &bookings::GiornoAccettato, &txtMeseInizio},
                          {&txtMeseInizio, &effMeseInizio, &bookings::MeseAccettato, &txtGiornoFine},
                          {&txtGiornoFine, &effGiornoFine, &bookings::GiornoAccettato, &txtMeseFine},
                          {&txtMeseFine, &effMeseFine, &bookings::MeseAccettato, &txtPrenotazione}}} {
    OnShow = [this] { FormShow(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
    btnChiudi.OnClick = [this] { btnChiudiClick(); };
    txtPrenotazione.OnKeyDown = [this](ui::KeyEvent& k) { txtPrenotazioneKeyDown(k); };
    cmdCancella.OnClick = [this] { cmdCancellaClick(); };
    cmdClipboard.OnClick = [this] { cmdClipboardClick(); };
    for (const Selettore& s : selettori_) {
        s.campo->OnCanFocus = [this, &s](bool&) { SelettoreCanFocus(s); };
        s.campo->OnEnter = [this, &s] { SelettoreEnter(s); };
        s.campo->OnExit = [this, &s] { SelettoreExit(s); };
        s.campo->OnKeyDown = [this, &s](ui::KeyEvent& k) { SelettoreKeyDown(s, k); };
    }
    FormCreate();
}

// The date and number formats are fixed for the whole program; only the
// length limit is set here.
void TfrmIntervallo::ImpostaAnno(const std::string& anno, const std::string& camera) {
    lblAnnoInizio.SetText(anno);
    lblAnnoFine.SetText(anno);
    infCamera.SetText(camera);
    for (ui::ComboEdit* box : {&txtGiornoInizio, &txtMeseInizio, &txtGiornoFine, &txtMeseFine})
        box->SetText("");
}

void TfrmIntervallo::FormCreate() {
    txtPrenotazione.SetMaxLength(bookings::kLunghezzaPrenotazione);
}

void TfrmIntervallo::FormShow() {
    txtPrenotazione.SetFocus();
}

void TfrmIntervallo::btnAnnullaClick() {
    Close();
}

// Enter goes on to "Applica e chiudi" without pressing it.
void TfrmIntervallo::txtPrenotazioneKeyDown(ui::KeyEvent& key) {
    entry::ChainKeyDown(key, btnChiudi);
}

void TfrmIntervallo::cmdCancellaClick() {
    bookings::CancellaTesto(txtPrenotazione);
}

void TfrmIntervallo::cmdClipboardClick() {
    bookings::CopiaTesto(txtPrenotazione);
}

// --- Day and month selectors ---

// Each time the selector may take the focus its list starts with no item
// selected, so that picking the same item again sets it again.
void TfrmIntervallo::SelettoreCanFocus(const Selettore& s) {
    s.campo->SetItemIndex(-1);
}

void TfrmIntervallo::SelettoreEnter(const Selettore& s) {
    entry::RectEnter(*s.eff);
}

// On leaving, a text that is none of the selector's values is emptied; one
// that is stays exactly as it is.
void TfrmIntervallo::SelettoreExit(const Selettore& s) {
    entry::RectExit(*s.eff);
    if (!s.accettato(s.campo->Text())) s.campo->SetText("");
}

// Values are only picked from the list, the boxes taking no typing: Enter
// moves on, Backspace and Delete empty the field. Every other key is the
// box's own (Up and Down step through the list, F4 and Alt+Down open it, a
// letter or digit picks the item it begins) or the window's (Tab, Escape).
void TfrmIntervallo::SelettoreKeyDown(const Selettore& s, ui::KeyEvent& key) {
    switch (key.key) {
    case ui::vk::Return:
        entry::ChainKeyDown(key, *s.prossimo);
        return;
    case ui::vk::Back:
    case ui::vk::Delete:
        s.campo->SetText("");
        return;
    default:
        return;
    }
}

// --- Applica e chiudi ---

// Assembles one bound of the range into its label (left empty when the month
// names no month) and tests it; a date that does not exist gets its message,
// quoting the assembled text, and the focus goes to the bound's day.
bool TfrmIntervallo::Estremo(ui::ComboEdit& giorno, ui::ComboEdit& mese, const ui::Label& anno,
                             ui::Label& data, const std::string& nonEsiste) {
    if (const int m = bookings::NumeroMese(mese.Text()))
        data.SetText(DataDa(rtl::Trim(giorno.Text()), m, rtl::Trim(anno.Text())));
    if (common::DataValida(data.Text())) return true;
    ui::ShowMessage(kALaData + rtl::Trim(data.Text()) + nonEsiste);
    giorno.SetFocus();
    return false;
}

bool TfrmIntervallo::ControllaIntervallo() {
    lblDataInizio.SetText("");
    lblDataFine.SetText("");

    const std::pair<ui::ComboEdit*, const char*> presenze[] = {
        {&txtGiornoInizio,
         "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."},
        {&txtMeseInizio,
         "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."},
        {&txtGiornoFine,
         "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata."},
        {&txtMeseFine,
         "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata."},
    };
    for (const auto& [campo, messaggio] : presenze) {
        if (rtl::Trim(campo->Text()).empty()) {
            ui::MessageDlg(messaggio, ui::DialogType::Warning, ui::Buttons::OKCancel);
            campo->SetFocus();
            return false;
        }
    }

    if (!Estremo(txtGiornoInizio, txtMeseInizio, lblAnnoInizio, lblDataInizio,
                 std::string(" di inizio intervallo non esiste.") + kLfCr +
                     "Per poter effettuare la prenotazione è necessario indicare una data valida."))
        return false;
    if (!Estremo(txtGiornoFine, txtMeseFine, lblAnnoFine, lblDataFine,
                 std::string(" di fine intervallo non esiste.") + kLfCr +
                     "Per effettuare la prenotazione è necessario indicare una data valida."))
        return false;

    const auto inizio = rtl::ParseDate(lblDataInizio.Text());
    const auto fine = rtl::ParseDate(lblDataFine.Text());
    if (!inizio || !fine) throw rtl::DataError("data non valida");
    if (*inizio > *fine) {
        ui::ShowMessage(
            "Attenzione: la data di fine intervallo (" + rtl::Trim(lblDataFine.Text()) +
            ") non può essere anteriore a quella di inizio intervallo (" + rtl::Trim(lblDataInizio.Text()) +
            ")." + kLfCr +
            "Per effettuare la prenotazione è necessario indicare un intervallo di tempo valido.");
        return false;
    }

    if (rtl::Trim(txtPrenotazione.Text()).empty()) {
        ui::MessageDlg(
            "Attenzione: per effettuare la prenotazione è necessario indicare il nome del cliente.",
            ui::DialogType::Warning, ui::Buttons::OKCancel);
        txtPrenotazione.SetFocus();
        return false;
    }

    // Only Yes books: No, or the question dismissed, stops here.
    const std::string domanda = "INTERVALLO SELEZIONATO:  DAL  " + rtl::Trim(lblDataInizio.Text()) + " AL " +
                                rtl::Trim(lblDataFine.Text()) + ".\r\n\r\nSi conferma la prenotazione?";
    return ui::MessageDlg(domanda, ui::DialogType::Confirmation, ui::Buttons::YesNo) == ui::Answer::Yes;
}

// Every day S <= D <= E of the start year Y, 29 February only when it is a
// day of Y. The days to book are all worked out before the first cell is
// written, so a failure leaves every cell as it was, never half a range.
void TfrmIntervallo::SegnaIntervallo() {
    const std::string anno = rtl::Trim(lblAnnoInizio.Text());
    const auto inizio = rtl::ParseDate(lblDataInizio.Text());
    const auto fine = rtl::ParseDate(lblDataFine.Text());
    if (!inizio || !fine) throw rtl::DataError("intervallo non valido");
    const bool bisestile = common::DataValida("29/02/" + anno);
    const std::string testo = rtl::Trim(txtPrenotazione.Text());

    std::vector<int> giorni;
    for (const auto& g : planner::Giorni()) {
        if (g.month == 2 && g.day == 29 && !bisestile) continue;
        const auto giorno =
            rtl::ParseDate(DataDa((g.day < 10 ? "0" : "") + std::to_string(g.day), g.month, anno));
        if (!giorno) throw rtl::DataError("data non valida");
        if (*inizio > *giorno || *fine < *giorno) continue;
        giorni.push_back(g.index);
    }
    for (int i : giorni)
        celle_->ScriviGiorno(i, testo);
}

// Without the planner's day cells nothing is booked: the dialog stays open.
void TfrmIntervallo::btnChiudiClick() {
    try {
        if (!ControllaIntervallo() || !celle_) return;
        SegnaIntervallo();
    } catch (const rtl::DataError&) {
        // A date that does not convert books nothing, without a word; the
        // dialog stays open.
        return;
    }
    Close();
}
