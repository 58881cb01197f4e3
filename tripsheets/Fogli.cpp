#include "tripsheets/Fogli.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "common/Archive.h"
#include "common/Commands.h"
#include "common/DataEntry.h"
#include "common/Guida.h"
#include "common/Routines.h"
#include "common/StartMenu.h"
#include "drivers/TrovaAnagrafica.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Date.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "tripsheets/AnteprimaFoglio.h"
#include "tripsheets/ExpFogli.h"
#include "tripsheets/FoglioDiMarcia.h"
#include "tripsheets/FoglioRec.h"
#include "tripsheets/Numerazione.h"
#include "tripsheets/RiepAperti.h"
#include "tripsheets/StampaFoglio.h"
#include "tripsheets/TrovaFogli.h"

TfrmFogli* frmFogli = nullptr;

namespace {

// How an edit takes its keys and what leaving it does.
enum class Tasti { Invio, Data, Cifre, Importo, Totale };
enum class Uscita { Colore, ColoreTrim, Trim, ColoreImporto };

struct Comportamento {
    std::string campo; // record field; the edit is "txt" + field
    ui::Color riposo;
    std::string successivo; // the control Enter moves to
    Tasti tasti;
    Uscita uscita;
};

std::string Due(int i) {
    return (i < 10 ? "0" : "") + std::to_string(i);
}

// The 94 edits in the order of the Enter chain, with their behaviour.
std::vector<Comportamento> Comportamenti() {
    const ui::Color azzurro = entry::Resting, bianco = entry::RestingWhite, totale = entry::RestingTotal;
    std::vector<Comportamento> c;
    const auto add = [&c](std::string campo, ui::Color riposo, std::string successivo, Tasti tasti,
                          Uscita uscita = Uscita::Colore) {
        c.push_back({std::move(campo), riposo, std::move(successivo), tasti, uscita});
    };
    add("NumFoglio", azzurro, "txtDataApertura", Tasti::Invio);
    add("DataApertura", azzurro, "txtOraApertura", Tasti::Data);
    add("OraApertura", azzurro, "txtDataChiusura", Tasti::Invio);
    add("DataChiusura", azzurro, "txtOraChiusura", Tasti::Data);
    add("OraChiusura", azzurro, "txtUfficio", Tasti::Invio);
    add("Ufficio", azzurro, "txtConduttore", Tasti::Invio);
    add("Conduttore", azzurro, "txtTelCel", Tasti::Invio);
    add("TelCel", azzurro, "txtVeicolo", Tasti::Invio);
    add("Veicolo", azzurro, "txtTarga", Tasti::Invio);
    add("Targa", azzurro, "txtDataPar01", Tasti::Invio);
    for (int i = 1; i <= 8; ++i) {
        const std::string n = Due(i);
        add("DataPar" + n, bianco, "txtOraPar" + n, Tasti::Data);
        add("OraPar" + n, bianco, "txtKmPar" + n, Tasti::Invio);
        add("KmPar" + n, bianco, "txtLuogoPar" + n, Tasti::Cifre);
        add("LuogoPar" + n, bianco, "txtDataArr" + n, Tasti::Invio);
        add("DataArr" + n, bianco, "txtOraArr" + n, Tasti::Data);
        add("OraArr" + n, bianco, "txtKmArr" + n, Tasti::Invio);
        add("KmArr" + n, bianco, "txtLuogoArr" + n, Tasti::Cifre);
        add("LuogoArr" + n, bianco, i < 8 ? "txtDataPar" + Due(i + 1) : "txtDataRif01", Tasti::Invio);
    }
    for (int i = 1; i <= 3; ++i) {
        const std::string n = Due(i);
        add("DataRif" + n, azzurro, "txtOraRif" + n, Tasti::Data);
        add("OraRif" + n, azzurro, "txtStazione" + n, Tasti::Invio);
        add("Stazione" + n, azzurro, "txtLitri" + n, Tasti::Invio);
        add("Litri" + n, azzurro, "txtImporto" + n, Tasti::Cifre, Uscita::ColoreTrim);
        add("Importo" + n, azzurro, i < 3 ? "txtDataRif" + Due(i + 1) : "btnCalcolaRif", Tasti::Importo,
            Uscita::ColoreImporto);
    }
    add("LitriTot", totale, "txtImportoTot", Tasti::Totale, Uscita::Trim);
    add("ImportoTot", totale, "txtKmPartenza", Tasti::Totale, Uscita::Trim);
    add("KmPartenza", azzurro, "txtKmRientro", Tasti::Cifre, Uscita::ColoreTrim);
    add("KmRientro", azzurro, "btnCalcolaKm", Tasti::Cifre, Uscita::ColoreTrim);
    add("KmPercorsi", totale, "txtNumFoglio", Tasti::Totale, Uscita::Trim);
    return c;
}

void SostituisciTesto(ui::Edit& edit, const std::string& testo) {
    if (edit.Text() != testo) edit.SetText(testo);
}

void ErroreArchivio(ui::DialogType tipo, const rtl::DataError& e) {
    ui::MessageDlg(common::MessaggioAccesso(e, common::kMsgAccessoArchivio), tipo, ui::Buttons::OKCancel);
}

// A failure of the settings file: the message of a file that another
// workstation holds, else the standard error box with its own text.
void ErroreImpostazioni(ui::Application& app, const std::exception_ptr& errore) {
    try {
        std::rethrow_exception(errore);
    } catch (const rtl::FileBusy&) {
        ui::ShowMessage(std::string(common::kMsgFileInUso));
    } catch (...) {
        app.ShowException(std::current_exception());
    }
}

} // namespace

common::ConfigScheda TfrmFogli::ConfigScheda() {
    common::ConfigScheda c;
    c.archivio = [this] { return rtl::Trim(lblFile.Text()); };
    c.record = &common::TFoglioRec;
    c.obbligatori = {
        {&txtNumFoglio,
         "Attenzione: per salvare la scheda è necessario indicare il numero progressivo del Foglio "
         "di Marcia."},
        {&txtDataApertura,
         "Attenzione: per salvare la scheda è necessario indicare la data di apertura del Foglio di Marcia."},
        {&txtOraApertura,
         "Attenzione: per salvare la scheda è necessario indicare l'ora di apertura del Foglio di Marcia."},
        {&txtUfficio, "Attenzione: per salvare la scheda è necessario indicare l'Ufficio emittente."},
        {&txtConduttore, "Attenzione: per salvare la scheda è necessario indicare il conduttore."},
        {&txtTelCel,
         "Attenzione: per salvare la scheda è necessario indicare il numero di cellulare del conduttore."},
        {&txtVeicolo,
         "Attenzione: per salvare la scheda è necessario indicare la marca e il modello del veicolo."},
        {&txtTarga,
         "Attenzione: per salvare la scheda è necessario indicare il numero di targa del veicolo."},
    };
    c.quandoFocus = common::ConfigScheda::Focus::DopoIControlli;
    c.btnFocus = &btnFocus;
    c.errori.nuovo = ui::DialogType::Error;
    c.errori.salva = ui::DialogType::Warning;
    c.errori.primo = ui::DialogType::Warning;
    c.errori.indietro = ui::DialogType::Error;
    c.errori.avanti = ui::DialogType::Error;
    c.errori.ultimo = ui::DialogType::Error;
    c.primoCampo = &txtConduttore;
    return c;
}

TfrmFogli::TfrmFogli(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/Fogli.layout"), controls::Fogli(this),
      scheda_(*this, lblPosizione, ConfigScheda()) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    BindEdits();
    BindCommands();
    FormCreate();
}

// Each edit takes at most what its record field holds.
void TfrmFogli::FormCreate() {
    for (const auto& e : common::TFoglioRec.Elements())
        Campo(e.name).SetMaxLength(e.ref.capacity);
}

void TfrmFogli::BindEdits() {
    for (const Comportamento& c : Comportamenti()) {
        ui::Edit& edit = Campo(c.campo);
        ui::Control& successivo = Get<ui::Control>(c.successivo);
        const ui::Color riposo = c.riposo;
        entry::BindStyleHighlight(edit, riposo, c.tasti != Tasti::Totale);
        switch (c.uscita) {
        case Uscita::Colore:
            break;
        case Uscita::ColoreTrim:
            edit.OnExit = [&edit, riposo] {
                entry::StyleExit(edit, riposo);
                SostituisciTesto(edit, rtl::Trim(edit.Text()));
            };
            break;
        case Uscita::Trim:
            edit.OnExit = [&edit] { SostituisciTesto(edit, rtl::Trim(edit.Text())); };
            break;
        case Uscita::ColoreImporto:
            edit.OnExit = [&edit, riposo] {
                entry::StyleExit(edit, riposo);
                SostituisciTesto(edit, common::NormalizzaImporto4(edit.Text()));
            };
            break;
        }
        switch (c.tasti) {
        case Tasti::Invio:
            edit.OnKeyDown = [&successivo](ui::KeyEvent& k) { entry::ChainKeyDown(k, successivo); };
            break;
        case Tasti::Data: {
            const std::string tag = "fogli_" + rtl::LowerAscii(c.campo);
            edit.OnKeyDown = [&edit, &successivo, tag](ui::KeyEvent& k) {
                entry::DateFieldKeyDown(edit, k, tag, &successivo);
            };
            break;
        }
        case Tasti::Cifre:
            edit.OnKeyDown = [&successivo](ui::KeyEvent& k) { entry::DigitKeyDown(k, successivo); };
            break;
        case Tasti::Importo:
            edit.OnKeyDown = [&successivo](ui::KeyEvent& k) { entry::AmountKeyDown(k, successivo); };
            break;
        case Tasti::Totale:
            // Read-only, yet Backspace and Delete empty it and Enter moves on.
            edit.OnKeyDown = [&edit, &successivo](ui::KeyEvent& k) {
                if (k.key == ui::vk::Back || k.key == ui::vk::Delete)
                    edit.SetText("");
                else if (k.key == ui::vk::Return)
                    successivo.SetFocus();
            };
            break;
        }
    }
    txtTarga.OnTyping = [this] { entry::UpperCaseTyping(txtTarga); };
}

void TfrmFogli::BindCommands() {
    common::LegaComandi<TfrmFogli>(
        *this, panInfo,
        {
            {cmdNuovo, &TfrmFogli::cmdNuovoClick,
             "Prepara la schermata per l'emissione di un nuovo Foglio di Marcia."},
            {cmdSalva, &TfrmFogli::cmdSalvaClick, "Salva o aggiorna il Foglio di Marcia corrente."},
            {cmdTrova, &TfrmFogli::cmdTrovaClick, "Trova Fogli di Marcia in archivio."},
            {cmdAnteprima, &TfrmFogli::cmdAnteprimaClick,
             "Visualizza l'anteprima di stampa del Foglio di Marcia corrente."},
            {cmdStampa, &TfrmFogli::cmdStampaClick, "Stampa il Foglio di Marcia corrente."},
            {cmdPrimo, &TfrmFogli::cmdPrimoClick, "Visualizza il primo Foglio di Marcia in archivio."},
            {cmdIndietro, &TfrmFogli::cmdIndietroClick,
             "Visualizza il Foglio di Marcia precedente in archivio."},
            {cmdAvanti, &TfrmFogli::cmdAvantiClick, "Visualizza il Foglio di Marcia successivo in archivio."},
            {cmdUltimo, &TfrmFogli::cmdUltimoClick, "Visualizza l'ultimo Foglio di Marcia in archivio."},
            {cmdFogliAperti, &TfrmFogli::cmdFogliApertiClick,
             "Visualizza il riepilogo dei Fogli di Marcia non ancora chiusi."},
            {cmdEsporta, &TfrmFogli::cmdEsportaClick, "Esporta le schede in archivio in un file di Excel."},
            {cmdNumerazione, &TfrmFogli::cmdNumerazioneClick,
             "Imposta il numero iniziale per la numerazione automatica dei Fogli di Marcia."},
            {cmdGuida, &TfrmFogli::cmdGuidaClick, "Visualizza la pagina della guida sensibile al contesto."},
            {cmdEsci, &TfrmFogli::cmdEsciClick, "Esci da questa schermata di lavoro."},
            {impConduttore, &TfrmFogli::impConduttoreClick, "Importa i dati dall'archivio dei conduttori."},
            {btnCalcolaRif, &TfrmFogli::btnCalcolaRifClick,
             "Calcola il totale dei litri di carburante e l'importo complessivo pagato per i rifornimenti "
             "effettuati."},
            {btnCalcolaKm, &TfrmFogli::btnCalcolaKmClick, "Calcola il totale dei chilometri percorsi."},
        });
    btnFocus.OnClick = [this] { btnFocusClick(); };

    // The background and the white blocks clear the status line.
    common::LegaSfondo(*this, panInfo,
                       {"panContainer", "shpNuovo", "shpAnteprima", "shpStampa", "shpRecord", "shpRiepiloghi",
                        "shpEsci", "bkgTestata", "bkgConduttore", "bkgPercorsi", "bkgRifornimenti",
                        "bkgChilometri"});
}

// The office is read first; the sheet is reset and the number focused also
// when that read fails, so a sheet of another year is never saved over a
// record of this one. The failure is then shown with its own text.
void TfrmFogli::FormShow() {
    std::string ufficio;
    std::exception_ptr errore;
    try {
        ufficio = tripsheets::UfficioEmittente();
    } catch (...) {
        // Any failure, shown in the standard error box once the sheet is reset.
        errore = std::current_exception();
    }
    txtUfficio.SetText(ufficio);
    ufficioLetto_ = rtl::Trim(ufficio);
    PreparaNuovaScheda();
    txtNumFoglio.SetFocus();
    if (errore) ErroreImpostazioni(App(), errore);
}

// The office, when it changed in the window, is remembered for the next
// showing; the sheet is not saved. A failed write is shown, and the start
// menu comes back all the same.
void TfrmFogli::FormClose(ui::CloseAction&) {
    const std::string ufficio = rtl::Trim(txtUfficio.Text());
    if (ufficio != ufficioLetto_) {
        try {
            tripsheets::ScriviUfficioEmittente(ufficio);
        } catch (...) {
            ErroreImpostazioni(App(), std::current_exception());
        }
    }
    common::MostraAvvio();
}

// --- The sheet --------------------------------------------------------------

void TfrmFogli::PreparaNuovaScheda() {
    const rtl::DateTime adesso = rtl::Now(); // date and time from one reading
    const std::string ufficio = txtUfficio.Text();
    scheda_.SvuotaCampi();
    txtUfficio.SetText(ufficio);
    txtDataApertura.SetText(rtl::FormatDate(adesso.date));
    txtOraApertura.SetText(rtl::FormatTime(adesso.time));
    lblPosizione.SetText("");
}

void TfrmFogli::FoglioRichiamato(const common::Record& foglio, std::int64_t numero) {
    const auto da = foglio.Bytes();
    std::copy(da.begin(), da.end(), scheda_.Buffer().Bytes().begin());
    scheda_.Mostra(numero);
}

void TfrmFogli::ConduttoreFoglioRichiamato(const ConduttoreFoglio& conduttore) {
    txtConduttore.SetText(conduttore.conduttore);
    txtTelCel.SetText(conduttore.telCel);
    txtVeicolo.SetText(conduttore.veicolo);
    txtTarga.SetText(conduttore.targa);
}

void TfrmFogli::ImpostaAnno(const std::string& anno) {
    lblFile.SetText(rtl::DataPath(anno + ".fdm"));
    SetCaption(" Dorneval - Archivio Fogli di Marcia anno " + anno);
}

// A new sheet numbered start number + sheets stored. A start number that is
// no whole number, or too large to add the count to, ends New with the
// access error after the reset.
void TfrmFogli::cmdNuovoClick() {
    try {
        const std::string inizio = rtl::Trim(tripsheets::InizioNumerazione());
        lblInizio.SetText(inizio.empty() ? "1" : inizio);
        common::Archivio archivio(rtl::Trim(lblFile.Text()), common::TFoglioRec);
        const std::int64_t schede = archivio.Conta();
        PreparaNuovaScheda();
        const std::optional<std::int64_t> partenza = rtl::ParseInteger(lblInizio.Text());
        if (!partenza || *partenza > std::numeric_limits<std::int64_t>::max() - schede)
            throw common::AccessoArchivio("numero iniziale non valido");
        txtNumFoglio.SetText(std::to_string(*partenza + schede));
        archivio.Chiudi();
        txtConduttore.SetFocus();
    } catch (const rtl::DataError& e) {
        ErroreArchivio(ui::DialogType::Error, e);
    }
}

void TfrmFogli::cmdSalvaClick() {
    scheda_.Salva();
}

void TfrmFogli::btnFocusClick() {
    txtNumFoglio.SetText(rtl::Trim(txtNumFoglio.Text()));
}

void TfrmFogli::cmdPrimoClick() {
    scheda_.Primo();
}
void TfrmFogli::cmdIndietroClick() {
    scheda_.Indietro();
}
void TfrmFogli::cmdAvantiClick() {
    scheda_.Avanti();
}
void TfrmFogli::cmdUltimoClick() {
    scheda_.Ultimo();
}

// --- Totals -----------------------------------------------------------------

// Kilometres travelled: return reading minus start reading; an empty reading
// counts as 0, a reading that is no number sets all three to 0.
void TfrmFogli::btnCalcolaKmClick() {
    if (rtl::TrimView(txtKmPartenza.Text()).empty()) txtKmPartenza.SetText("0");
    if (rtl::TrimView(txtKmRientro.Text()).empty()) txtKmRientro.SetText("0");
    const auto partenza = rtl::ParseDecimal(txtKmPartenza.Text());
    const auto rientro = rtl::ParseDecimal(txtKmRientro.Text());
    if (!partenza || !rientro || !std::isfinite(*rientro - *partenza)) {
        txtKmPartenza.SetText("0");
        txtKmRientro.SetText("0");
        txtKmPercorsi.SetText("0");
        return;
    }
    txtKmPercorsi.SetText(rtl::FormatGeneral(*rientro - *partenza));
}

// Total litres and amount of the three refuellings; an empty row counts as
// 0. A value that is no number empties the rows' litres and amounts and
// both totals.
void TfrmFogli::btnCalcolaRifClick() {
    ui::Edit* litri[] = {&txtLitri01, &txtLitri02, &txtLitri03};
    ui::Edit* importi[] = {&txtImporto01, &txtImporto02, &txtImporto03};
    double L = 0, S = 0;
    bool numeri = true;
    for (int i = 0; i < 3; ++i) {
        const std::string n = Due(i + 1);
        ui::Label& memImporto = Get<ui::Label>("memImporto" + n);
        ui::Label& memLitri = Get<ui::Label>("memLitri" + n);
        const std::string importo = rtl::Trim(importi[i]->Text());
        const std::string litro = rtl::Trim(litri[i]->Text());
        memImporto.SetText(importo.empty() ? "0,00" : importo);
        memLitri.SetText(litro.empty() ? "0" : litro);
        const auto s = rtl::ParseDecimal(memImporto.Text());
        const auto l = rtl::ParseDecimal(memLitri.Text());
        if (!s || !l)
            numeri = false;
        else
            S += *s, L += *l;
    }
    if (!numeri || !std::isfinite(S) || !std::isfinite(L)) {
        for (ui::Edit* e : {litri[0], litri[1], litri[2], importi[0], importi[1], importi[2]})
            e->SetText("");
        txtLitriTot.SetText("");
        txtImportoTot.SetText("");
        return;
    }
    txtLitriTot.SetText(rtl::FormatGeneral(L));
    txtImportoTot.SetText(common::NormalizzaImporto4(rtl::FormatGeneral(S)));
}

// --- Other windows ----------------------------------------------------------

// The windows that work on the year open here get its archive; the lists
// hand a recalled sheet back, the documents are filled from the sheet.
void TfrmFogli::cmdTrovaClick() {
    auto trova = std::make_unique<TfrmTrovaFogli>(App(), this, this);
    trova->ImpostaChiamante("fogli");
    trova->ImpostaArchivio(rtl::Trim(lblFile.Text()));
    trova->ShowModal();
}

void TfrmFogli::cmdFogliApertiClick() {
    auto aperti = std::make_unique<TfrmRiepAperti>(App(), this, this);
    aperti->ImpostaArchivio(rtl::Trim(lblFile.Text()));
    aperti->ShowModal();
}

void TfrmFogli::ApriDocumento(common::TfrmDocumento& documento) {
    documento.ImpostaScheda([this](report::Report& rep) { tripsheets::RiempiFoglioDiMarcia(rep, *this); });
    documento.ShowModal();
}

void TfrmFogli::cmdAnteprimaClick() {
    ApriDocumento(*std::make_unique<TfrmAnteprimaFoglio>(App(), this));
}

void TfrmFogli::cmdStampaClick() {
    ApriDocumento(*std::make_unique<TfrmStampaFoglio>(App(), this));
}

void TfrmFogli::cmdEsportaClick() {
    auto esporta = std::make_unique<TfrmExpFogli>(App(), this);
    esporta->ImpostaArchivio(rtl::Trim(lblFile.Text()));
    esporta->ShowModal();
}

void TfrmFogli::cmdNumerazioneClick() {
    auto numerazione = std::make_unique<TfrmNumerazione>(App(), this);
    numerazione->ImpostaChiamante("fogli");
    numerazione->SetCaption(" Impostazione inizio numerazione Fogli di Marcia");
    numerazione->ShowModal();
}

void TfrmFogli::impConduttoreClick() {
    auto trova = std::make_unique<TfrmTrovaAnagrafica>(App(), this, this);
    trova->ImpostaChiamante("fogli");
    trova->ShowModal();
}

void TfrmFogli::cmdGuidaClick() {
    ShowHelpTopic(*this, "App Gestione Fogli di Marcia", "tripsheets/Fogli.help");
}

void TfrmFogli::cmdEsciClick() {
    Close();
}
