#include "drivers/Anagrafica.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "common/Archive.h"
#include "common/Commands.h"
#include "common/DataEntry.h"
#include "common/Guida.h"
#include "common/OpenURL.h"
#include "common/Routines.h"
#include "common/StartMenu.h"
#include "drivers/Carta.h"
#include "drivers/CodFisc.h"
#include "drivers/ConduttoreRec.h"
#include "drivers/ExpAnagrafica.h"
#include "drivers/Ferie.h"
#include "drivers/Iban.h"
#include "drivers/PartitaIva.h"
#include "drivers/Servizio.h"
#include "drivers/StampaConduttore.h"
#include "drivers/Trasferte.h"
#include "drivers/TrovaAnagrafica.h"
#include "platform/rtl/Text.h"
#include "vehicles/AllegaCartella.h"
#include "vehicles/TrovaAutomezzi.h"

TfrmAnagrafica* frmAnagrafica = nullptr;

namespace {

// The text trimmed while typing, case unchanged; the caret stays where it
// was as far as the text allows.
void TrimTyping(ui::Edit& edit) {
    std::string text = rtl::Trim(edit.Text());
    if (text == edit.Text()) return;
    const int caret = edit.CaretPosition();
    edit.SetText(text);
    edit.SetCaretPosition(std::min<int>(caret, int(edit.Length())));
}

// Opens a per-use window owned by the card, shown modally and destroyed when
// it returns; `prepara` presets it.
template <class W, class F> void Apri(TfrmAnagrafica& card, F&& prepara) {
    auto w = std::make_unique<W>(card.App(), &card);
    prepara(*w);
    w->ShowModal();
}
template <class W> void Apri(TfrmAnagrafica& card) {
    Apri<W>(card, [](W&) {});
}
// A driver list, which hands the recalled driver back to the card.
template <class W> void ApriElenco(TfrmAnagrafica& card) {
    auto w = std::make_unique<W>(card.App(), &card, &card);
    w->ShowModal();
}

} // namespace

common::ConfigScheda TfrmAnagrafica::ConfigScheda() {
    common::ConfigScheda c;
    c.archivio = [] { return drivers::PercorsoArchivioConduttori(); };
    c.record = &drivers::TConduttoreRec;
    c.obbligatori = {
        {&txtConducente, "Attenzione: per salvare la scheda è necessario indicare il nome del conduttore."},
        {&txtTelCel,
         "Attenzione: per salvare la scheda è necessario indicare il numero di cellulare del conduttore."},
        {&txtMarca, "Attenzione: per salvare la scheda è necessario indicare la marca del veicolo abbinato "
                    "al conduttore."},
        {&txtModello, "Attenzione: per salvare la scheda è necessario indicare il modello del veicolo "
                      "abbinato al conduttore."},
        {&txtTarga, "Attenzione: per salvare la scheda è necessario indicare la targa del veicolo abbinato "
                    "al conduttore."},
    };
    c.nonDuplicare = {&lblFile01, &lblFile02, &lblFile03, &lblDesc01, &lblDesc02, &lblDesc03};
    c.primoCampo = &txtConducente;
    // A copy is a new card of the same archive: the archive is made sure of.
    c.passiDuplica = [] {
        common::Archivio a(drivers::PercorsoArchivioConduttori(), drivers::TConduttoreRec);
        a.Chiudi();
    };
    return c;
}

TfrmAnagrafica::TfrmAnagrafica(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/Anagrafica.layout"), controls::Anagrafica(this),
      scheda_(*this, lblPosizione, ConfigScheda()) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    BindEdits();
    BindCommands();
    FormCreate();
}

// Each input takes at most what its record field holds.
void TfrmAnagrafica::FormCreate() {
    for (const auto& e : drivers::TConduttoreRec.Elements())
        if (auto* edit = dynamic_cast<ui::Edit*>(FindControl("txt" + e.name)))
            edit->SetMaxLength(e.ref.capacity);
}

void TfrmAnagrafica::BindEdits() {
    // Every input in record order, the Enter ring closing on the first.
    ui::Edit* const ring[] = {
        &txtConducente, &txtPatenti,       &txtRecapito,   &txtVia,       &txtCap,     &txtCitta, &txtProv,
        &txtCompensi,   &txtTelCasa,       &txtTelUff,     &txtTelCel,    &txtFax,     &txtEmail, &txtCodFisc,
        &txtCarta,      &txtScadeCarta,    &txtPartitaIva, &txtIban,      &txtVeicolo, &txtMarca, &txtModello,
        &txtColore,     &txtAlimentazione, &txtTarga,      &txtProgramma, &txtNote};
    const std::size_t n = std::size(ring);
    for (std::size_t i = 0; i < n; ++i) {
        ui::Edit& edit = *ring[i];
        ui::Edit& next = *ring[(i + 1) % n];
        entry::BindHighlightRect(edit, Get<ui::Rectangle>("eff" + edit.Name().substr(3)));
        if (&edit == &txtCarta || &edit == &txtPartitaIva)
            edit.OnKeyDown = [&next](ui::KeyEvent& k) { entry::DigitKeyDown(k, next); };
        else
            edit.OnKeyDown = [&next](ui::KeyEvent& k) { entry::ChainKeyDown(k, next); };
    }
    for (ui::Edit* upper : {static_cast<ui::Edit*>(&txtProv), &txtCodFisc, &txtIban, &txtTarga})
        upper->OnTyping = [upper] { entry::UpperCaseTyping(*upper); };
    for (ui::Edit* trimmed : {&txtFax, &txtEmail})
        trimmed->OnTyping = [trimmed] { TrimTyping(*trimmed); };

    txtProv.OnExit = [this] {
        entry::RectExit(effProv);
        txtProvExit();
    };
    txtProv.OnCanFocus = [this](bool& accept) { txtProvCanFocus(accept); };
    txtPartitaIva.OnExit = [this] {
        entry::RectExit(effPartitaIva);
        txtPartitaIvaExit();
    };
}

void TfrmAnagrafica::BindCommands() {
    common::LegaComandi<TfrmAnagrafica>(
        *this, panInfo,
        {
            {cmdNuovo, &TfrmAnagrafica::cmdNuovoClick,
             "Prepara la schermata per la registrazione di una nuova scheda."},
            {cmdDuplica, &TfrmAnagrafica::cmdDuplicaClick,
             "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
            {cmdFile, &TfrmAnagrafica::cmdFileClick, "Allega file alla scheda corrente."},
            {cmdSalva, &TfrmAnagrafica::cmdSalvaClick, "Salva la scheda corrente in archivio."},
            {cmdTrova, &TfrmAnagrafica::cmdTrovaClick, "Trova schede in archivio."},
            {cmdStampa, &TfrmAnagrafica::cmdStampaClick, "Stampa la scheda corrente."},
            {cmdEsporta, &TfrmAnagrafica::cmdEsportaClick,
             "Esporta le schede in archivio in un file di Excel."},
            {cmdFerie, &TfrmAnagrafica::cmdFerieClick,
             "Visualizza l'elenco dei conduttori attualmente in ferie."},
            {cmdServizio, &TfrmAnagrafica::cmdServizioClick,
             "Visualizza l'elenco dei conduttori attualmente in servizio."},
            {cmdTrasferte, &TfrmAnagrafica::cmdTrasferteClick,
             "Visualizza l'elenco dei conduttori disponibili per trasferte."},
            {cmdGuida, &TfrmAnagrafica::cmdGuidaClick,
             "Visualizza la pagina della guida sensibile al contesto."},
            {cmdEsci, &TfrmAnagrafica::cmdEsciClick, "Esci da questa schermata di lavoro."},
            {cmdPrimo, &TfrmAnagrafica::cmdPrimoClick, "Visualizza la prima scheda in archivio."},
            {cmdIndietro, &TfrmAnagrafica::cmdIndietroClick, "Visualizza la scheda precedente in archivio."},
            {cmdAvanti, &TfrmAnagrafica::cmdAvantiClick, "Visualizza la scheda successiva in archivio."},
            {cmdUltimo, &TfrmAnagrafica::cmdUltimoClick, "Visualizza l'ultima scheda in archivio."},
            {impVeicolo, &TfrmAnagrafica::impVeicoloClick, "Importa i dati dal parco automezzi."},
            {btnCodFisc, &TfrmAnagrafica::btnCodFiscClick, "Controlla il codice fiscale."},
            {btnPartitaIva, &TfrmAnagrafica::btnPartitaIvaClick, "Controlla il numero di partita IVA."},
            {btnCarta, &TfrmAnagrafica::btnCartaClick, "Controlla il numero di carta di credito."},
            {btnIban, &TfrmAnagrafica::btnIbanClick, "Controlla l'IBAN."},
            {btnEmail, &TfrmAnagrafica::btnEmailClick, "Invia una e-mail all'indirizzo indicato."},
        });
    common::LegaSuggerimento(chkFerie, panInfo,
                             "Spunta questa casella per annotare che il conduttore è attualmente in ferie.");
    common::LegaSuggerimento(chkTrasferte, panInfo,
                             "Spunta questa casella per annotare che il conduttore è disposto ad effettuare "
                             "lunghe trasferte.");

    // The background and the decoration clear the status line.
    common::LegaSfondo(*this, panInfo,
                       {"panContainer", "shpSezione01", "shpSezione02", "shpSezione03", "shpSezione04",
                        "shpSezione05", "imgSezione01", "imgSezione02", "imgSezione03", "imgSezione04",
                        "imgSezione05", "shpComandi", "shpFrecce", "lblPosizione", "panInfo", "imgDecoro"});
}

void TfrmAnagrafica::FormShow() {
    scheda_.Nuovo();
}

void TfrmAnagrafica::FormClose(ui::CloseAction&) {
    common::MostraAvvio();
}

// --- Fields -----------------------------------------------------------------

void TfrmAnagrafica::txtProvCanFocus(bool&) {
    txtProv.SetItemIndex(-1);
}

void TfrmAnagrafica::txtProvExit() {
    txtProv.SetText(rtl::UpperAscii(rtl::Trim(txtProv.Text())));
}

// A VAT number holds digits only: anything pasted with other characters is
// dropped whole when the field is left.
void TfrmAnagrafica::txtPartitaIvaExit() {
    if (!common::SoloCifre(txtPartitaIva.Text())) txtPartitaIva.SetText("");
}

// --- The card ---------------------------------------------------------------

void TfrmAnagrafica::cmdNuovoClick() {
    scheda_.Nuovo();
}
void TfrmAnagrafica::cmdSalvaClick() {
    scheda_.Salva();
}
void TfrmAnagrafica::cmdDuplicaClick() {
    scheda_.Duplica();
}
void TfrmAnagrafica::cmdPrimoClick() {
    scheda_.Primo();
}
void TfrmAnagrafica::cmdIndietroClick() {
    scheda_.Indietro();
}
void TfrmAnagrafica::cmdAvantiClick() {
    scheda_.Avanti();
}
void TfrmAnagrafica::cmdUltimoClick() {
    scheda_.Ultimo();
}

// --- Other windows ----------------------------------------------------------

void TfrmAnagrafica::cmdFileClick() {
    auto allega = std::make_unique<TfrmAllegaCartella>(App(), this, this);
    allega->ImpostaChiamante("anagrafica");
    allega->ImpostaAllegati(
        Leggi({&lblFile01, &lblFile02, &lblFile03}, {&lblDesc01, &lblDesc02, &lblDesc03}));
    allega->ShowModal();
}

void TfrmAnagrafica::AllegatiApplicati(const Allegati& allegati) {
    Scrivi(allegati, {&lblFile01, &lblFile02, &lblFile03}, {&lblDesc01, &lblDesc02, &lblDesc03});
}

void TfrmAnagrafica::cmdTrovaClick() {
    auto trova = std::make_unique<TfrmTrovaAnagrafica>(App(), this, this);
    trova->ImpostaChiamante("anagrafica");
    trova->ShowModal();
}

void TfrmAnagrafica::impVeicoloClick() {
    auto trova = std::make_unique<TfrmTrovaAutomezzi>(App(), this, this);
    trova->ImpostaChiamante("anagrafica");
    trova->ShowModal();
}

void TfrmAnagrafica::ConduttoreRichiamato(const common::Record& conduttore, std::int64_t numero) {
    const auto da = conduttore.Bytes();
    std::copy(da.begin(), da.end(), scheda_.Buffer().Bytes().begin());
    scheda_.Mostra(numero);
}

void TfrmAnagrafica::VeicoloConduttoreRichiamato(const VeicoloConduttore& veicolo) {
    txtVeicolo.SetText(veicolo.veicolo);
    txtMarca.SetText(veicolo.marca);
    txtModello.SetText(veicolo.modello);
    txtTarga.SetText(veicolo.targa);
    txtColore.SetText(veicolo.colore);
    txtAlimentazione.SetText(veicolo.alimentazione);
}

void TfrmAnagrafica::cmdStampaClick() {
    Apri<TfrmStampaConduttore>(*this, [this](TfrmStampaConduttore& w) {
        w.ImpostaScheda([this](report::Report& rep) { RiempiSchedaConduttore(rep, *this); });
    });
}
void TfrmAnagrafica::cmdEsportaClick() {
    Apri<TfrmExpAnagrafica>(*this);
}
void TfrmAnagrafica::cmdFerieClick() {
    ApriElenco<TfrmFerie>(*this);
}
void TfrmAnagrafica::cmdServizioClick() {
    ApriElenco<TfrmServizio>(*this);
}
void TfrmAnagrafica::cmdTrasferteClick() {
    ApriElenco<TfrmTrasferte>(*this);
}

// A tax code made only of digits is a VAT number.
void TfrmAnagrafica::btnCodFiscClick() {
    const std::string codice = rtl::Trim(txtCodFisc.Text());
    if (!codice.empty() && common::SoloCifre(codice))
        Apri<TfrmPartitaIva>(*this, [&codice](TfrmPartitaIva& d) { d.ImpostaTesto(codice); });
    else
        Apri<TfrmCodFisc>(*this, [&codice](TfrmCodFisc& d) { d.ImpostaTesto(codice); });
}

void TfrmAnagrafica::btnPartitaIvaClick() {
    const std::string numero = rtl::Trim(txtPartitaIva.Text());
    Apri<TfrmPartitaIva>(*this, [&numero](TfrmPartitaIva& d) { d.ImpostaTesto(numero); });
}

void TfrmAnagrafica::btnCartaClick() {
    const std::string numero = rtl::Trim(txtCarta.Text());
    Apri<TfrmCarta>(*this, [&numero](TfrmCarta& d) { d.ImpostaTesto(numero); });
}

void TfrmAnagrafica::btnIbanClick() {
    const std::string iban = rtl::Trim(txtIban.Text());
    Apri<TfrmIban>(*this, [&iban](TfrmIban& d) { d.ImpostaTesto(iban); });
}

// The mail link is encoded, so that an address with "?" or "&" reaches the
// mail program as the recipient and nothing else.
void TfrmAnagrafica::btnEmailClick() {
    TMisc::Open("\"" + MailLink(rtl::Trim(txtEmail.Text())) + "\"");
}

void TfrmAnagrafica::cmdGuidaClick() {
    ShowHelpTopic(*this, "App Archivio Conduttori", "drivers/Anagrafica.help");
}

void TfrmAnagrafica::cmdEsciClick() {
    Close();
}
