#include "gate/Registro.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "common/Commands.h"
#include "common/DataEntry.h"
#include "common/Guida.h"
#include "common/Routines.h"
#include "common/StartMenu.h"
#include "gate/EntratiOggi.h"
#include "gate/ExpVisite.h"
#include "gate/NonUsciti.h"
#include "gate/StampaVisita.h"
#include "gate/TrovaVisite.h"
#include "gate/UscitiOggi.h"
#include "gate/Visite.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "vehicles/TrovaAutomezzi.h"

TfrmRegistro* frmRegistro = nullptr;

namespace {

constexpr std::string_view kDataValidaRichiesta =
    "\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/aaaa.";
constexpr std::string_view kUscitaCompleta = "\n\r\n\rPer poter salvare la scheda è necessario o compilare o "
                                             "lasciare in bianco entrambi i campi di testo.";

std::string OraAdesso() {
    return rtl::FormatTime(rtl::Now().time);
}

} // namespace

// The windows that work on the year open in the card get its archive, and
// the lists hand a recalled visit back to the card.
template <class Lista> void TfrmRegistro::ApriLista() {
    auto lista = std::make_unique<Lista>(App(), this, this);
    lista->ImpostaArchivio(rtl::Trim(lblFile.Text()));
    lista->ShowModal();
}

common::ConfigScheda TfrmRegistro::ConfigScheda() {
    common::ConfigScheda c;
    c.archivio = [this] { return rtl::Trim(lblFile.Text()); };
    c.record = &gate::TVisitaRec;
    c.primoCampo = &txtOperatoreEnt;
    c.dopoNuovo = [this] {
        txtDataEnt.SetText(gate::TestoOggi());
        txtOraEnt.SetText(OraAdesso());
    };
    return c;
}

TfrmRegistro::TfrmRegistro(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/Registro.layout"), controls::Registro(this),
      scheda_(*this, lblPosizione, ConfigScheda()) {
    for (std::size_t i = 0; i < campi_.size(); ++i) {
        campi_[i] = &Get<ui::Edit>("txt" + std::string(gate::kCampiVisita[i]));
        // Each edit takes at most what its record field holds.
        campi_[i]->SetMaxLength(gate::TVisitaRec.Field(gate::kCampiVisita[i]).capacity);
    }
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    BindEdits();
    BindCommands();
}

void TfrmRegistro::BindEdits() {
    // Each edit, the edit that Enter moves to (none for the two date fields,
    // where Enter opens the date picker) and its routing tag.
    struct Binding {
        ui::Edit& edit;
        ui::Edit* next;
        const char* dateTag;
    };
    const Binding bindings[] = {
        {txtDataEnt, nullptr, "dataent"},        {txtOraEnt, &txtOperatoreEnt, nullptr},
        {txtOperatoreEnt, &txtVeicolo, nullptr}, {txtVeicolo, &txtTarga, nullptr},
        {txtTarga, &txtConduttore, nullptr},     {txtConduttore, &txtPersone, nullptr},
        {txtPersone, &txtMerce, nullptr},        {txtMerce, &txtFoglio, nullptr},
        {txtFoglio, &txtTessere, nullptr},       {txtTessere, &txtLuogo, nullptr},
        {txtLuogo, &txtTelCel, nullptr},         {txtTelCel, &txtNote, nullptr},
        {txtNote, &txtDataUsc, nullptr},         {txtDataUsc, nullptr, "datausc"},
        {txtOraUsc, &txtOperatoreUsc, nullptr},  {txtOperatoreUsc, &txtDataEnt, nullptr},
    };
    for (const Binding& b : bindings) {
        ui::Edit* edit = &b.edit;
        entry::BindHighlightRect(*edit, Get<ui::Rectangle>("eff" + edit->Name().substr(3)));
        if (b.dateTag) {
            std::string tag = b.dateTag;
            edit->OnKeyDown = [edit, tag](ui::KeyEvent& k) {
                entry::DateFieldKeyDown(*edit, k, tag, nullptr);
            };
        } else {
            ui::Edit* next = b.next;
            edit->OnKeyDown = [next](ui::KeyEvent& k) { entry::ChainKeyDown(k, *next); };
        }
    }
    txtTarga.OnTyping = [this] { txtTargaTyping(); };
}

void TfrmRegistro::BindCommands() {
    common::LegaComandi<TfrmRegistro>(
        *this, panInfo,
        {
            {cmdNuovo, &TfrmRegistro::cmdNuovoClick,
             "Prepara la schermata per la registrazione di una nuova scheda."},
            {cmdSalva, &TfrmRegistro::cmdSalvaClick, "Salva la scheda corrente in archivio."},
            {cmdTrova, &TfrmRegistro::cmdTrovaClick, "Trova una scheda in archivio."},
            {cmdStampa, &TfrmRegistro::cmdStampaClick, "Stampa la scheda corrente."},
            {cmdNonUsciti, &TfrmRegistro::cmdNonUscitiClick,
             "Visualizza l'elenco dei veicoli non ancora usciti."},
            {cmdEntratiOggi, &TfrmRegistro::cmdEntratiOggiClick,
             "Visualizza l'elenco dei veicoli entrati oggi."},
            {cmdUscitiOggi, &TfrmRegistro::cmdUscitiOggiClick,
             "Visualizza l'elenco dei veicoli usciti oggi."},
            {cmdExcel, &TfrmRegistro::cmdExcelClick,
             "Esporta le schede in archivio in un file di Microsoft Excel."},
            {cmdGuida, &TfrmRegistro::cmdGuidaClick, "Visualizza la guida in linea."},
            {cmdEsci, nullptr, "Esci da questa schermata di lavoro."},
            {cmdPrimo, nullptr, "Visualizza la prima scheda in archivio."},
            {cmdIndietro, nullptr, "Visualizza la scheda precedente in archivio."},
            {cmdAvanti, nullptr, "Visualizza la scheda successiva in archivio."},
            {cmdUltimo, nullptr, "Visualizza l'ultima scheda in archivio."},
            {impDataEnt, nullptr, "Inserisci data corrente."},
            {impDataUsc, nullptr, "Inserisci data corrente."},
            {impOraEnt, nullptr, "Inserisci ora corrente."},
            {impOraUscita, nullptr, "Inserisci ora corrente."},
            {impVeicolo, &TfrmRegistro::impVeicoloClick, "Importa i dati dal parco automezzi."},
        });
    cmdEsci.OnClick = [this] { Close(); };
    cmdPrimo.OnClick = [this] { scheda_.Primo(); };
    cmdIndietro.OnClick = [this] { scheda_.Indietro(); };
    cmdAvanti.OnClick = [this] { scheda_.Avanti(); };
    cmdUltimo.OnClick = [this] { scheda_.Ultimo(); };
    impDataEnt.OnClick = [this] { txtDataEnt.SetText(gate::TestoOggi()); };
    impDataUsc.OnClick = [this] { txtDataUsc.SetText(gate::TestoOggi()); };
    impOraEnt.OnClick = [this] { txtOraEnt.SetText(OraAdesso()); };
    impOraUscita.OnClick = [this] { txtOraUsc.SetText(OraAdesso()); };
    for (const char* name : {"txtDataEnt", "txtDataUsc"})
        Get<ui::Control>(name).OnMouseMove = [this](ui::MouseEvent&) {
            entry::ShowHint(
                panInfo,
                "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.");
        };

    // The background, the field area and the white boxes clear the status
    // line; the status strip and the decoration do not.
    common::LegaSfondo(*this, panInfo,
                       {"panContainer", "shpSfondo", "shpCampi", "shpRecord", "shpComandi01", "shpComandi02",
                        "shpComandi03", "shpComandi04", "shpBox01", "shpBox02", "shpBox03", "shpBox04",
                        "shpBox05", "shpBox06", "shpBox07"});
}

void TfrmRegistro::VisitaRichiamata(const common::Record& visita, std::int64_t numero) {
    const auto da = visita.Bytes();
    std::copy(da.begin(), da.end(), scheda_.Buffer().Bytes().begin());
    scheda_.Mostra(numero);
}

void TfrmRegistro::VeicoloVisitaRichiamato(const VeicoloVisita& veicolo) {
    txtVeicolo.SetText(veicolo.veicolo);
    txtTarga.SetText(veicolo.targa);
    txtConduttore.SetText(veicolo.conduttore);
}

void TfrmRegistro::ImpostaAnno(const std::string& anno) {
    lblFile.SetText(rtl::DataPath(anno + ".vis"));
    SetCaption(" Dorneval - Registro Visitatori anno " + anno);
}

// Every showing starts a new card, as New does.
void TfrmRegistro::FormShow() {
    scheda_.Nuovo();
}

void TfrmRegistro::FormClose(ui::CloseAction&) {
    common::MostraAvvio();
}

void TfrmRegistro::cmdNuovoClick() {
    scheda_.Nuovo();
}

// The checks of a card before it is saved, in order; the first that fails
// tells why and puts the focus on its field.
bool TfrmRegistro::ControllaScheda() {
    const auto avviso = [](ui::Edit& edit, std::string_view text) {
        ui::MessageDlg(std::string(text), ui::DialogType::Warning, ui::Buttons::OKCancel);
        edit.SetFocus();
        return false;
    };
    const auto messaggio = [](ui::Edit& edit, const std::string& text) {
        ui::ShowMessage(text);
        edit.SetFocus();
        return false;
    };
    const std::string dataEnt = rtl::Trim(txtDataEnt.Text());
    if (dataEnt.empty())
        return avviso(txtDataEnt,
                      "Attenzione: per salvare la scheda è necessario indicare la data d'ingresso.");
    if (!common::DataValida(txtDataEnt.Text()))
        return messaggio(txtDataEnt, "Attenzione: la data d'ingresso " + dataEnt + " non esiste." +
                                         std::string(kDataValidaRichiesta));
    if (rtl::TrimView(txtOraEnt.Text()).empty())
        return avviso(txtOraEnt, "Attenzione: per salvare la scheda è necessario indicare l'ora d'ingresso.");
    if (rtl::TrimView(txtVeicolo.Text()).empty())
        return avviso(
            txtVeicolo,
            "Attenzione: per salvare la scheda è necessario indicare la marca e il modello del veicolo.");
    if (rtl::TrimView(txtTarga.Text()).empty())
        return avviso(txtTarga,
                      "Attenzione: per salvare la scheda è necessario indicare la targa del veicolo.");
    const std::string dataUsc = rtl::Trim(txtDataUsc.Text());
    const bool oraUsc = !rtl::TrimView(txtOraUsc.Text()).empty();
    if (!dataUsc.empty() && !common::DataValida(txtDataUsc.Text()))
        return messaggio(txtDataUsc, "Attenzione: la data d'uscita " + dataUsc + " non esiste." +
                                         std::string(kDataValidaRichiesta));
    if (dataUsc.empty() && oraUsc)
        return messaggio(txtDataUsc, "Attenzione: è stata indicata l'ora d'uscita ma non la data." +
                                         std::string(kUscitaCompleta));
    if (!dataUsc.empty() && !oraUsc)
        return messaggio(txtDataUsc, "Attenzione: è stata indicata la data d'uscita ma non l'ora." +
                                         std::string(kUscitaCompleta));
    return true;
}

void TfrmRegistro::cmdSalvaClick() {
    if (ControllaScheda()) scheda_.Salva();
}

// The plate is kept trimmed and in capitals while it is typed.
void TfrmRegistro::txtTargaTyping() {
    entry::UpperCaseTyping(txtTarga);
}

// The vehicle search fills make and model, plate and driver from the fleet.
void TfrmRegistro::impVeicoloClick() {
    auto search = std::make_unique<TfrmTrovaAutomezzi>(App(), this, this);
    search->ImpostaChiamante("registro");
    search->ShowModal();
}

void TfrmRegistro::cmdTrovaClick() {
    auto search = std::make_unique<TfrmTrovaVisite>(App(), this, this);
    search->ImpostaChiamante("registro");
    search->ImpostaArchivio(rtl::Trim(lblFile.Text()));
    search->ShowModal();
}

void TfrmRegistro::cmdStampaClick() {
    auto stampa = std::make_unique<TfrmStampaVisita>(App(), this);
    stampa->ImpostaScheda([this](report::Report& rep) { RiempiStampaVisita(rep, *this); });
    stampa->ShowModal();
}
void TfrmRegistro::cmdNonUscitiClick() {
    ApriLista<TfrmNonUsciti>();
}
void TfrmRegistro::cmdEntratiOggiClick() {
    ApriLista<TfrmEntratiOggi>();
}
void TfrmRegistro::cmdUscitiOggiClick() {
    ApriLista<TfrmUscitiOggi>();
}
void TfrmRegistro::cmdExcelClick() {
    auto esporta = std::make_unique<TfrmExpVisite>(App(), this);
    esporta->ImpostaArchivio(rtl::Trim(lblFile.Text()));
    esporta->ShowModal();
}

void TfrmRegistro::cmdGuidaClick() {
    ShowHelpTopic(*this, "App Registro Visitatori", "gate/Registro.help");
}
