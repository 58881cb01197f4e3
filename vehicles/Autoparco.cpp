#include "vehicles/Autoparco.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string_view>

#include "common/Commands.h"
#include "common/DataEntry.h"
#include "common/Guida.h"
#include "common/StartMenu.h"
#include "platform/image/Image.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "vehicles/AllegaCartella.h"
#include "vehicles/AllegaExcel.h"
#include "vehicles/AnteprimaAutomezzo.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/ExpAutoparco.h"
#include "vehicles/Slideshow_Automezzi.h"
#include "vehicles/StampaAutomezzo.h"
#include "vehicles/TrovaAutomezzi.h"
#include "vehicles/Zoom.h"

TfrmAutoparco* frmAutoparco = nullptr;

namespace {

constexpr std::string_view kMsgFotoNonSalvata =
    "Attenzione: non è stato possibile salvare la foto del veicolo.";

constexpr std::string_view kMsgCostiNuova =
    "Attenzione: la gestione dei costi può avvenire soltanto dopo che la "
    "scheda del veicolo è stata salvata in archivio.";

// The plate refuses these characters, typed or pasted.
bool RifiutatoInTarga(char32_t c) {
    static constexpr std::u32string_view refused = U"&/<>€£°ÀÁÂÄÇÈÉÊËÌÍÎÏÑÒÓÔÖÙÚÛÜàáâäçèéêëìíîïñòóôöùúûü";
    return refused.find(c) != std::u32string_view::npos;
}

void Avviso(std::string_view text) {
    ui::MessageDlg(std::string(text), ui::DialogType::Warning, ui::Buttons::OKCancel);
}

} // namespace

common::ConfigScheda TfrmAutoparco::ConfigScheda() {
    common::ConfigScheda c;
    c.archivio = [] { return vehicles::PercorsoArchivioAutomezzi(); };
    c.record = &vehicles::TAutomezzoRec;
    c.obbligatori = {
        {&txtTipo, "Attenzione: per salvare la scheda è necessario indicare il tipo di veicolo."},
        {&txtMarca, "Attenzione: per salvare la scheda è necessario indicare la marca del veicolo."},
        {&txtModello, "Attenzione: per salvare la scheda è necessario indicare il modello del veicolo."},
        {&txtTarga, "Attenzione: per salvare la scheda è necessario indicare la targa del veicolo."},
    };
    c.quandoFocus = common::ConfigScheda::Focus::PrimaDeiControlli;
    c.btnFocus = &btnFocus;
    c.errori.nuovo = std::nullopt; // a new card has nothing to lose: failures pass in silence
    c.nonDuplicare = {&lblFile01, &lblFile02, &lblFile03, &lblDesc01, &lblDesc02, &lblDesc03};
    c.primoCampo = &txtTipo;
    c.dopoNuovo = [this] { SegnapostoNuovaScheda(); };
    c.passiDuplica = [this] { SegnapostoNuovaScheda(); };
    c.dopoMostra = [this] { CaricaFotoScheda(); };
    c.dopoSalva = [this] { SalvaFotoScheda(); };
    c.dopoConferma = [this] { AvvisaFotoNonSalvata(); };
    return c;
}

TfrmAutoparco::TfrmAutoparco(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/Autoparco.layout"), controls::Autoparco(this),
      scheda_(*this, lblPosizione, ConfigScheda()) {
    for (int i = 0; i < int(campi_.size()); ++i)
        campi_[std::size_t(i)] = &Get<ui::Control>(vehicles::ControlloCampo(i));
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    BindEdits();
    BindCommands();
    FormCreate();
}

// The formats (dd/mm/yyyy, decimal comma) are fixed for the whole program;
// each edit takes at most what its record field holds.
void TfrmAutoparco::FormCreate() {
    for (int i = 0; i < vehicles::kCampiInEdit; ++i)
        static_cast<ui::Edit&>(Campo(i)).SetMaxLength(
            vehicles::TAutomezzoRec.Elements()[std::size_t(i)].ref.capacity);
}

void TfrmAutoparco::BindEdits() {
    struct Binding {
        ui::Edit& edit;
        ui::Color resting;
        ui::Control& next;
        const char* dateTag; // routing tag of a date field, or null
    };
    const ui::Color blue = entry::Resting, white = entry::RestingWhite;
    const Binding bindings[] = {
        {txtTipo, blue, txtDestinazione, nullptr},
        {txtDestinazione, blue, txtMarca, nullptr},
        {txtMarca, blue, txtModello, nullptr},
        {txtModello, blue, txtTarga, nullptr},
        {txtTarga, blue, txtAnno, nullptr},
        {txtAnno, blue, txtColore, nullptr},
        {txtColore, blue, txtTelaio, nullptr},
        {txtTelaio, blue, txtPneumatici, nullptr},
        {txtPneumatici, blue, txtStato, nullptr},
        {txtStato, blue, txtChilometri, nullptr},
        {txtChilometri, blue, txtLettura, nullptr},
        {txtLettura, blue, txtAlimentazione, "autoparco_lettura"},
        {txtAlimentazione, blue, txtCilindrata, nullptr},
        {txtCilindrata, blue, txtKW, nullptr},
        {txtKW, blue, txtAmbiente, nullptr},
        {txtAmbiente, blue, txtPosti, nullptr},
        {txtPosti, blue, txtPortata, nullptr},
        {txtPortata, blue, txtCompagnia, nullptr},
        {txtCompagnia, blue, txtTelAssicuratore, nullptr},
        {txtTelAssicuratore, blue, txtPolizza, nullptr},
        {txtPolizza, blue, txtIncidenti, nullptr},
        {txtIncidenti, blue, txtProprietario, nullptr},
        {txtProprietario, blue, txtAutista, nullptr},
        {txtAutista, white, txtTelAutista, nullptr},
        {txtTelAutista, white, txtMeccanico, nullptr},
        {txtMeccanico, white, txtTelMeccanico, nullptr},
        {txtTelMeccanico, white, txtScadRevisione, nullptr},
        {txtScadRevisione, white, txtScadTagliando, "autoparco_scadrevisione"},
        {txtScadTagliando, white, txtScadAssicurazione, "autoparco_scadtagliando"},
        {txtScadAssicurazione, white, txtScadBollo, "autoparco_scadassicurazione"},
        {txtScadBollo, white, txtNote, "autoparco_scadbollo"},
        {txtNote, white, txtTipo, nullptr},
    };
    for (const Binding& b : bindings) {
        entry::BindStyleHighlight(b.edit, b.resting);
        ui::Edit* edit = &b.edit;
        ui::Control* next = &b.next;
        if (b.dateTag) {
            std::string tag = b.dateTag;
            edit->OnKeyDown = [edit, next, tag](ui::KeyEvent& k) {
                entry::DateFieldKeyDown(*edit, k, tag, next);
            };
        } else if (edit != &txtTarga) {
            edit->OnKeyDown = [next](ui::KeyEvent& k) { entry::ChainKeyDown(k, *next); };
        }
    }
    txtTarga.OnKeyDown = [this](ui::KeyEvent& k) { txtTargaKeyDown(k); };
    txtTarga.OnTyping = [this] { txtTargaTyping(); };
}

void TfrmAutoparco::BindCommands() {
    common::LegaComandi<TfrmAutoparco>(
        *this, panInfo,
        {
            {cmdNuovo, &TfrmAutoparco::cmdNuovoClick,
             "Prepara la schermata per l'inserimento di una nuova scheda."},
            {cmdDuplica, &TfrmAutoparco::cmdDuplicaClick,
             "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."},
            {cmdSalva, &TfrmAutoparco::cmdSalvaClick, "Salva la scheda in archivio."},
            {cmdTrova, &TfrmAutoparco::cmdTrovaClick, "Trova una scheda in archivio."},
            {cmdFile, &TfrmAutoparco::cmdFileClick, "Allega file alla scheda."},
            {cmdAnteprima, &TfrmAutoparco::cmdAnteprimaClick,
             "Visualizza l'anteprima di stampa della scheda."},
            {cmdStampa, &TfrmAutoparco::cmdStampaClick, "Stampa la scheda."},
            {cmdPrimo, &TfrmAutoparco::cmdPrimoClick, "Visualizza la prima scheda in archivio."},
            {cmdIndietro, &TfrmAutoparco::cmdIndietroClick, "Visualizza la scheda precedente in archivio."},
            {cmdAvanti, &TfrmAutoparco::cmdAvantiClick, "Visualizza la scheda successiva in archivio."},
            {cmdUltimo, &TfrmAutoparco::cmdUltimoClick, "Visualizza l'ultima scheda in archivio."},
            {cmdEsporta, &TfrmAutoparco::cmdEsportaClick, "Esporta archivio in Excel."},
            {cmdSlideshow, &TfrmAutoparco::cmdSlideshowClick, "Esegui lo slide show del parco automezzi."},
            {cmdGuida, &TfrmAutoparco::cmdGuidaClick, "Visualizza la guida in linea."},
            {cmdEsci, &TfrmAutoparco::cmdEsciClick, "Esci da questa schermata."},
            {btnCaricaFoto, &TfrmAutoparco::btnCaricaFotoClick, "Carica una foto."},
            {btnSalvaFoto, &TfrmAutoparco::btnSalvaFotoClick, "Salva la foto su disco."},
            {btnCancFoto, &TfrmAutoparco::btnCancFotoClick, "Cancella la foto."},
            {btnZoomFoto, &TfrmAutoparco::btnZoomFotoClick, "Visualizza la foto nelle sue dimensioni reali."},
            {btnCosti, &TfrmAutoparco::btnCostiClick, "Gestisci i costi sostenuti per il veicolo."},
        });
    btnFocus.OnClick = [this] { btnFocusClick(); };

    // The background and the decoration clear the status line.
    common::LegaSfondo(*this, panInfo,
                       {"panContainer", "imgFoto", "icoIntestazione", "shpContainer", "shpNuovo", "shpStampa",
                        "shpAnteprima", "shpRecord", "shpRiepiloghi", "shpEsci", "shpSezione01", "shpSfondo",
                        "shpFoto", "bkgPulsantiFoto", "bkgDetails", "bkgNotes"});
}

// The photo folder is made when the card opens, not at every record shown.
void TfrmAutoparco::FormShow() {
    try {
        rtl::CreateFolders(vehicles::CartellaFotoAutomezzi());
    } catch (const rtl::FileError&) {
        // A folder that cannot be made is tried again when a photo is saved.
    }
    PreparaNuovaScheda();
}

void TfrmAutoparco::FormClose(ui::CloseAction&) {
    common::MostraAvvio();
}

// --- The card ---------------------------------------------------------------

void TfrmAutoparco::PreparaNuovaScheda() {
    scheda_.Nuovo();
}

// A new card, or a copy, starts with the placeholder, which its first save
// writes as the vehicle's photo.
void TfrmAutoparco::SegnapostoNuovaScheda() {
    MostraSegnaposto();
    fotoCambiata_ = true;
}

void TfrmAutoparco::cmdNuovoClick() {
    PreparaNuovaScheda();
}

void TfrmAutoparco::cmdSalvaClick() {
    scheda_.Salva();
}

void TfrmAutoparco::cmdDuplicaClick() {
    scheda_.Duplica();
}

void TfrmAutoparco::btnFocusClick() {
    txtTipo.SetText(rtl::Trim(txtTipo.Text()));
}

// --- Browse ---------------------------------------------------------------

void TfrmAutoparco::cmdPrimoClick() {
    scheda_.Primo();
}
void TfrmAutoparco::cmdIndietroClick() {
    scheda_.Indietro();
}
void TfrmAutoparco::cmdAvantiClick() {
    scheda_.Avanti();
}
void TfrmAutoparco::cmdUltimoClick() {
    scheda_.Ultimo();
}

// --- Photo ------------------------------------------------------------------

std::string TfrmAutoparco::FileFotoScheda() const {
    return vehicles::FileFotoAutomezzo(lblPosizione.Text());
}

void TfrmAutoparco::MostraSegnaposto() {
    imgFoto.SetBitmap(imgBianco.Bitmap());
}

// A step through the archive looks for the photo with one open: a vehicle
// without a photo shows the placeholder without an error on the way.
void TfrmAutoparco::CaricaFotoScheda() {
    fotoCambiata_ = false;
    if (ui::BitmapPtr foto = vehicles::FotoAutomezzo(lblPosizione.Text()))
        imgFoto.SetBitmap(std::move(foto));
    else
        MostraSegnaposto();
}

void TfrmAutoparco::SalvaFotoScheda() {
    try {
        rtl::CreateFolders(vehicles::CartellaFotoAutomezzi());
        const std::string file = FileFotoScheda();
        // A vehicle without a photo file gets the shown picture (the
        // placeholder when none was loaded); an existing file is rewritten
        // only when the user changed the picture.
        if (fotoCambiata_ || !rtl::FileExists(file)) {
            ui::BitmapPtr picture = imgFoto.Bitmap();
            if (!picture || picture->empty()) picture = imgBianco.Bitmap();
            if (!picture) throw img::Error("nessuna immagine da salvare");
            img::SaveJpeg(*picture, file);
        }
        fotoCambiata_ = false;
    } catch (const rtl::DataError&) {
        // The record stays saved; the card keeps the photo chosen, which the
        // next save tries again, and the user is told after the card's
        // message.
        fotoNonSalvata_ = true;
    }
}

void TfrmAutoparco::AvvisaFotoNonSalvata() {
    if (!fotoNonSalvata_) return;
    fotoNonSalvata_ = false;
    ui::MessageDlg(std::string(kMsgFotoNonSalvata), ui::DialogType::Warning, ui::Buttons::OK);
}

void TfrmAutoparco::btnCaricaFotoClick() {
    ui::FileDialogRequest dlgFile;
    dlgFile.title = "Selezionare un file di immagine in formato Jpeg o Bitmap.";
    dlgFile.filter = "Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp";
    const auto path = ui::OpenFileDialog(dlgFile);
    if (!path) return;
    try {
        imgFoto.SetBitmap(std::make_shared<const img::Bitmap>(img::LoadFile(*path)));
        fotoCambiata_ = true;
    } catch (const rtl::DataError&) {
        // A picture that cannot be read shows the placeholder, without a word.
        MostraSegnaposto();
    }
}

void TfrmAutoparco::btnSalvaFotoClick() {
    ui::FileDialogRequest dlgSalvaFile;
    dlgSalvaFile.title = "Selezionare la cartella in cui si desidera salvare il file Jpeg.";
    dlgSalvaFile.filter = "File Jpeg (*.jpg)|*.jpg";
    dlgSalvaFile.fileName = "Foto.jpg";
    dlgSalvaFile.defaultExt = "jpg";
    auto path = ui::SaveFileDialog(dlgSalvaFile);
    if (!path) return;
    // A name typed without an extension still gives a JPEG file.
    if (std::filesystem::path(*path).extension().empty()) *path += ".jpg";
    try {
        const ui::BitmapPtr picture = imgFoto.Bitmap();
        if (!picture || picture->empty()) throw img::Error("nessuna immagine da salvare");
        img::SaveJpeg(*picture, *path);
    } catch (const rtl::DataError&) {
        // The copy was not written, without a word; the card keeps its photo.
    }
}

void TfrmAutoparco::btnCancFotoClick() {
    MostraSegnaposto();
    fotoCambiata_ = true;
}

void TfrmAutoparco::btnZoomFotoClick() {
    auto zoom = std::make_unique<TfrmZoom>(App(), this);
    zoom->ImpostaFoto(imgFoto.Bitmap());
    zoom->ShowModal();
}

// --- Plate ------------------------------------------------------------------

void TfrmAutoparco::txtTargaKeyDown(ui::KeyEvent& key) {
    if (key.key == ui::vk::Return) {
        txtAnno.SetFocus();
        return;
    }
    if (RifiutatoInTarga(key.ch)) key.Swallow();
}

void TfrmAutoparco::txtTargaTyping() {
    // Whatever reached the text by another way than a key (a paste handed
    // over whole) loses the refused characters too.
    const std::string& text = txtTarga.Text();
    std::string kept;
    bool dropped = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t c = rtl::Utf8Next(text, pos);
        if (RifiutatoInTarga(c))
            dropped = true;
        else
            kept.append(text, start, pos - start);
    }
    if (dropped) txtTarga.SetText(kept);
    entry::UpperCaseTyping(txtTarga);
}

// --- Other windows ----------------------------------------------------------

void TfrmAutoparco::cmdTrovaClick() {
    auto trova = std::make_unique<TfrmTrovaAutomezzi>(App(), this, this);
    trova->ImpostaChiamante("autoparco");
    trova->ShowModal();
}

void TfrmAutoparco::AutomezzoRichiamato(const common::Record& automezzo, std::int64_t numero) {
    const auto da = automezzo.Bytes();
    std::copy(da.begin(), da.end(), scheda_.Buffer().Bytes().begin());
    scheda_.Mostra(numero);
    CaricaFotoScheda();
}

void TfrmAutoparco::btnCostiClick() {
    if (rtl::Trim(lblPosizione.Text()).empty()) {
        Avviso(kMsgCostiNuova);
        return;
    }
    const struct {
        ui::Edit& edit;
        const char* message;
    } required[] = {
        {txtMarca,
         "Attenzione: per accedere alla gestione dei costi è necessario indicare la marca del veicolo."},
        {txtModello,
         "Attenzione: per accedere alla gestione dei costi è necessario indicare il modello del veicolo."},
        {txtTarga,
         "Attenzione: per accedere alla gestione dei costi è necessario indicare la targa del veicolo."},
    };
    for (const auto& r : required) {
        if (!rtl::Trim(r.edit.Text()).empty()) continue;
        Avviso(r.message);
        r.edit.SetFocus();
        return;
    }
    auto costi = std::make_unique<TfrmAllegaExcel>(App(), this);
    costi->ImpostaVeicolo(rtl::Trim(lblPosizione.Text()), rtl::Trim(txtMarca.Text()),
                          rtl::Trim(txtModello.Text()), rtl::Trim(txtTarga.Text()));
    costi->ShowModal();
}

void TfrmAutoparco::cmdFileClick() {
    auto allega = std::make_unique<TfrmAllegaCartella>(App(), this, this);
    allega->ImpostaChiamante("autoparco");
    allega->ImpostaAllegati(
        Leggi({&lblFile01, &lblFile02, &lblFile03}, {&lblDesc01, &lblDesc02, &lblDesc03}));
    allega->ShowModal();
}

void TfrmAutoparco::AllegatiApplicati(const Allegati& allegati) {
    Scrivi(allegati, {&lblFile01, &lblFile02, &lblFile03}, {&lblDesc01, &lblDesc02, &lblDesc03});
}

// The print and the preview get the photo and the card's filling.
void TfrmAutoparco::ApriDocumento(vehicles::DialogoSchedaVeicolo& dialogo) {
    dialogo.ImpostaFoto(imgFoto.Bitmap());
    dialogo.ImpostaScheda([this](report::Report& rep) { vehicles::RiempiSchedaVeicolo(rep, *this); });
    dialogo.ShowModal();
}

void TfrmAutoparco::cmdStampaClick() {
    ApriDocumento(*std::make_unique<TfrmStampaAutomezzo>(App(), this));
}

void TfrmAutoparco::cmdAnteprimaClick() {
    ApriDocumento(*std::make_unique<TfrmAnteprimaAutomezzo>(App(), this));
}

void TfrmAutoparco::cmdEsportaClick() {
    auto esporta = std::make_unique<TfrmExpAutoparco>(App(), this);
    esporta->ShowModal();
}

void TfrmAutoparco::cmdSlideshowClick() {
    auto slideshow = std::make_unique<TfrmSlideshow_Automezzi>(App(), this);
    slideshow->ShowModal();
}

void TfrmAutoparco::cmdGuidaClick() {
    ShowHelpTopic(*this, "App Parco Automezzi", "vehicles/Autoparco.help");
}

void TfrmAutoparco::cmdEsciClick() {
    Close();
}
