#include "planner/Planning.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "bookings/Giorno.h"
#include "bookings/Intervallo.h"
#include "common/Archive.h"
#include "common/Commands.h"
#include "common/DataEntry.h"
#include "common/GiorniPlanner.h"
#include "common/Guida.h"
#include "common/Records.h"
#include "common/Routines.h"
#include "common/StartMenu.h"
#include "planner/AnteprimaPlanning.h"
#include "planner/PlanningAnnuale.h"
#include "planner/RiepPrenotazioni.h"
#include "planner/StampaPlanning.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"

TfrmPlanning* frmPlanning = nullptr;

namespace {

constexpr int kCellaX = 166, kCellaY = 152, kPassoX = 26, kPassoY = 40;
constexpr int kCellaW = 24, kCellaH = 33;

const std::string kConsiglio =
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";
const std::string kMsgNonAccessibile =
    "Attenzione: il sistema non permette di accedere alle prenotazioni del veicolo.\n\r\n\r" + kConsiglio;
const std::string kMsgNonSalvate = "Attenzione: le prenotazioni non sono state salvate.\n\r\n\r" + kConsiglio;
const std::string kHintGiorno = "Fai clic sul numero del giorno per inserire o cancellare una prenotazione.";

// The planner uses record 1 of its file alone.
constexpr std::int64_t kRecord = 1;

// Whether day i lies whole within the first `letti` bytes of the record.
bool GiornoLetto(int i, std::size_t letti) {
    const common::FieldRef f = common::TPlanningRec.Field("Giorni", i);
    return f.offset + static_cast<std::size_t>(f.capacity) + 1 <= letti;
}

// A day's text as the file keeps it: trimmed and cut to 50 characters.
std::string TestoGiorno(const std::string& testo) {
    return rtl::Trim(common::TroncaTesto(rtl::Trim(testo), 50));
}

std::string ImmagineGiorno(const char* kind, int day) {
    std::string n = std::to_string(day);
    if (n.size() < 2) n = "0" + n;
    return std::string("planner/") + kind + n + ".png";
}

void Avviso(const std::string& text) {
    ui::MessageDlg(text, ui::DialogType::Warning, ui::Buttons::OKCancel);
}

// A file marked read-only (no write permission for anyone) is not written,
// whoever runs the program: it is what a read-only file is on every
// workstation sharing the folder.
bool SolaLettura(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st)) return false;
    constexpr fs::perms scrittura = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & scrittura) == fs::perms::none;
}

} // namespace

TfrmPlanning::TfrmPlanning(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "planner/Planning.layout"), controls::Planning(this),
      buffer_(common::TPlanningRec) {
    CreaCelle();
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    cmdNuovo.OnClick = [this] { cmdNuovoClick(); };
    cmdSalva.OnClick = [this] { cmdSalvaClick(); };
    common::LegaComandi<TfrmPlanning>(
        *this, panInfo,
        {
            {cmdIntervallo, &TfrmPlanning::cmdIntervalloClick, "Prenota intervallo di tempo."},
            {cmdRiepilogo, &TfrmPlanning::cmdRiepilogoClick,
             "Visualizza il riepilogo delle prenotazioni registrate."},
            {cmdAnteprima, &TfrmPlanning::cmdAnteprimaClick,
             "Visualizza l'anteprima di stampa del planning corrente."},
            {cmdStampa, &TfrmPlanning::cmdStampaClick, "Stampa il planning corrente."},
            {cmdGuida, &TfrmPlanning::cmdGuidaClick, "Visualizza la guida in linea."},
            {cmdEsci, &TfrmPlanning::cmdEsciClick, "Esci da questa schermata di lavoro."},
        });
    common::LegaSfondo(*this, panInfo,
                       {"shpContainer", "shpTitolo", "shpIntervallo", "shpRiepilogo", "shpAnteprima",
                        "shpStampa", "shpControlli06", "icoTitolo", "bkgCamera", "shpSezione01"});

    // The four vehicle edits only show values: they rest light blue and never turn yellow.
    for (ui::Edit* e : {&txtVeicolo, &txtMarca, &txtModello, &txtTarga})
        entry::BindStyleHighlight(*e, entry::Resting, false);
}

// The 366 day cells, from the planner calendar: the free and the booked
// picture on top of each other at the day's place, both running the day's
// command, and the text label in the hidden panel. Free shown, booked
// hidden, text empty.
void TfrmPlanning::CreaCelle() {
    ui::Control* area = &panContainer;
    celle_.reserve(planner::kGiorniPlanner);
    for (const planner::Giorno& g : planner::Giorni()) {
        const int x = kCellaX + kPassoX * (g.day - 1), y = kCellaY + kPassoY * (g.month - 1);
        auto& lib = Add<ui::Picture>(planner::NomeCella("lib", g), area);
        auto& occ = Add<ui::Picture>(planner::NomeCella("occ", g), area);
        lib.SetResourceName(ImmagineGiorno("Libero", g.day));
        occ.SetResourceName(ImmagineGiorno("Occupato", g.day));
        for (ui::Picture* p : {&lib, &occ}) {
            p->SetBounds(x, y, kCellaW, kCellaH);
            p->SetCursor(ui::Cursor::Hand);
            p->OnClick = [this, i = g.index] { GiornoClick(i); };
            p->OnMouseMove = [this](ui::MouseEvent&) { entry::ShowHint(panInfo, kHintGiorno); };
        }
        occ.SetVisible(false);
        auto& mem = Add<ui::Label>(planner::NomeCella("mem", g), &panMemGiorni);
        mem.SetBounds(0, 0, 40, 16);
        celle_.push_back(CellaGiorno{lib, occ, mem});
    }
}

CellaGiorno TfrmPlanning::Cella(int i) const {
    if (i < 0 || i >= static_cast<int>(celle_.size())) throw std::out_of_range("planner day index");
    return celle_[static_cast<std::size_t>(i)];
}

void TfrmPlanning::ScriviGiorno(int i, const std::string& t) {
    CellaGiorno c = Cella(i);
    const bool occupato = !rtl::TrimView(t).empty();
    c.lib.SetVisible(!occupato);
    c.occ.SetVisible(occupato);
    c.mem.SetText(t);
}

void TfrmPlanning::ImpostaAnno(const std::string& anno, const std::string& veicolo, const std::string& marca,
                               const std::string& modello, const std::string& targa,
                               const std::string& file) {
    SetCaption(" Dorneval - Planner prenotazioni anno " + anno);
    txtAnno.SetText(anno);
    txtVeicolo.SetText(veicolo);
    txtMarca.SetText(marca);
    txtModello.SetText(modello);
    txtTarga.SetText(targa);
    file_ = file;
}

std::string TfrmPlanning::TestoCella(int i) const {
    return rtl::Trim(Cella(i).mem.Text());
}

PrenotazioniPlanner::Veicolo TfrmPlanning::VeicoloPrenotato() const {
    return {rtl::Trim(txtMarca.Text()), rtl::Trim(txtModello.Text()), rtl::Trim(txtAnno.Text())};
}

std::string TfrmPlanning::Camera() const {
    return rtl::Trim(txtMarca.Text()) + " " + rtl::Trim(txtModello.Text());
}

std::optional<std::string> TfrmPlanning::FilePlanner() const {
    const std::string path = rtl::Trim(file_);
    const std::string folder = rtl::DataFolder();
    // Only a name that "Apri" built: a file directly in the data folder.
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) return std::nullopt;
    if (path.find_first_of("/\\", folder.size()) != std::string::npos) return std::nullopt;
    return path;
}

// Reset of all day cells: every day free with an empty text, no record
// number, the focus on the first vehicle edit.
void TfrmPlanning::cmdNuovoClick() {
    for (const CellaGiorno& c : celle_) {
        c.lib.SetVisible(true);
        c.occ.SetVisible(false);
    }
    for (const CellaGiorno& c : celle_)
        c.mem.SetText("");
    lblPosizione.SetText("");
    txtVeicolo.SetFocus();
}

// The load: record 1 of the planner file into the day cells, read under the
// file's lock (the vehicle edits keep what the menu handed over). A new file
// is created empty and every day is free; of a file cut short, every day
// whose bytes are all there is shown. A read-only file (or folder) is read as
// any other. A file that cannot be opened, created or read is said so, and
// the close will leave it as it is.
void TfrmPlanning::FormShow() {
    cmdNuovoClick();
    lblPosizione.SetText("1");
    anno_ = Anno::NessunFile;
    caricati_.assign(planner::kGiorniPlanner, std::string());
    veicoloLetto_.reset();
    fileAssente_ = false;
    const std::optional<std::string> path = FilePlanner();
    if (!path) return;
    try {
        common::Archivio file(*path, common::TPlanningRec);
        const std::size_t letti = file.LeggiParte(kRecord, buffer_);
        file.Chiudi();
        std::vector<std::string> testi(planner::kGiorniPlanner);
        for (int i = 0; i < planner::kGiorniPlanner; ++i)
            if (GiornoLetto(i, letti)) testi[i] = buffer_.Get(common::TPlanningRec.Field("Giorni", i));
        for (int i = 0; i < planner::kGiorniPlanner; ++i)
            ScriviGiorno(i, testi[i]);
        caricati_ = std::move(testi);
        if (letti == common::TPlanningRec.size)
            veicoloLetto_ = {buffer_.Get("Veicolo"), buffer_.Get("Marca"), buffer_.Get("Modello"),
                             buffer_.Get("Targa")};
        fileAssente_ = letti == 0 && !rtl::FileExists(*path);
        anno_ = Anno::Caricato;
    } catch (const rtl::DataError& e) {
        anno_ = Anno::NonAccessibile;
        Avviso(common::MessaggioAccesso(e, kMsgNonAccessibile));
    }
    lblPosizione.SetText("1");
}

std::array<std::string, 4> TfrmPlanning::VeicoloDaSalvare() const {
    return {common::TroncaTesto(rtl::Trim(txtVeicolo.Text()), 50),
            common::TroncaTesto(rtl::Trim(txtMarca.Text()), 50),
            common::TroncaTesto(rtl::Trim(txtModello.Text()), 50),
            common::TroncaTesto(rtl::Trim(txtTarga.Text()), 30)};
}

bool TfrmPlanning::NienteDaSalvare(const std::vector<std::string>& testi) const {
    return testi == caricati_ && (fileAssente_ || veicoloLetto_ == VeicoloDaSalvare());
}

void TfrmPlanning::cmdSalvaClick() {
    Salva();
}

// The save: record 1 of the planner file, read again and rewritten under the
// file's lock. The vehicle fields come from the edits; a day whose text this
// showing changed takes the text of its cell, every other day keeps the text
// the file holds now (another workstation may have booked it meanwhile),
// written again so that a damaged length byte never stays, and a day cut
// short in the file is written empty. Bytes after the record stay as they
// are. A year that was not loaded is not written over the stored one, and a
// year that nothing changed is not written at all.
TfrmPlanning::Salvataggio TfrmPlanning::Salva() {
    if (anno_ == Anno::NessunFile) return Salvataggio::Fatto;
    const std::optional<std::string> path = FilePlanner();
    if (anno_ == Anno::NonAccessibile || !path) {
        Avviso(kMsgNonSalvate);
        return Salvataggio::NonFatto;
    }
    std::vector<std::string> testi(planner::kGiorniPlanner);
    for (int i = 0; i < planner::kGiorniPlanner; ++i)
        testi[i] = TestoGiorno(Cella(i).mem.Text());
    if (NienteDaSalvare(testi)) return Salvataggio::Fatto;
    try {
        using common::TPlanningRec;
        if (SolaLettura(*path)) throw rtl::FileError("Il file \"" + *path + "\" è di sola lettura", *path);
        const std::array<std::string, 4> veicolo = VeicoloDaSalvare();
        common::Archivio file(*path, TPlanningRec);
        file.Aggiorna(kRecord, buffer_, [&](std::size_t letti) {
            buffer_.Set("Veicolo", veicolo[0]);
            buffer_.Set("Marca", veicolo[1]);
            buffer_.Set("Modello", veicolo[2]);
            buffer_.Set("Targa", veicolo[3]);
            for (int i = 0; i < planner::kGiorniPlanner; ++i) {
                const common::FieldRef giorno = TPlanningRec.Field("Giorni", i);
                if (testi[i] != caricati_[i])
                    buffer_.Set(giorno, testi[i]);
                else if (!GiornoLetto(i, letti))
                    buffer_.Set(giorno, "");
                else
                    buffer_.Set(giorno, buffer_.Get(giorno));
            }
        });
        file.Chiudi();
        caricati_ = std::move(testi);
        veicoloLetto_ = veicolo;
        fileAssente_ = false;
        lblPosizione.SetText(std::to_string(kRecord));
        return Salvataggio::Fatto;
    } catch (const rtl::FileBusy&) {
        Avviso(std::string(common::kMsgFileInUso));
        return Salvataggio::InUso;
    } catch (const rtl::DataError&) {
        Avviso(kMsgNonSalvate);
        return Salvataggio::NonFatto;
    }
}

// Every close stores the year, shows the start menu and hides the planner;
// while another workstation holds the planner file, the planner stays open
// with its bookings, so that the close may be tried again.
void TfrmPlanning::FormClose(ui::CloseAction& action) {
    if (Salva() == Salvataggio::InUso) {
        action = ui::CloseAction::None;
        return;
    }
    common::MostraAvvio();
}

// The day command: the one-day booking dialog preset with the day's key,
// caption, vehicle and text. 29 February first checks that the date exists
// in the planner's year.
void TfrmPlanning::GiornoClick(int i) {
    const planner::Giorno& g = planner::Giorni().at(static_cast<std::size_t>(i));
    const std::string anno = rtl::Trim(txtAnno.Text());
    if (g.month == 2 && g.day == 29) {
        const std::string data = "29/02/" + anno;
        if (!common::DataValida(data)) {
            Avviso("Attenzione: la data " + data +
                   " non esiste.\n\r\n\r"
                   "Per poter effettuare la prenotazione è necessario indicare una data valida.");
            return;
        }
    }
    auto dialogo = std::make_unique<TfrmGiorno>(App(), this, this);
    dialogo->ImpostaGiorno(planner::ChiaveGiorno(g),
                           "Prenotazione del " + std::to_string(g.day) + " " + planner::NomeMese(g.month) +
                               " " + anno,
                           Camera(), rtl::Trim(Cella(i).mem.Text()));
    dialogo->ShowModal();
}

// The range command: the range dialog preset with the planner's year, the
// vehicle and four empty day and month boxes.
void TfrmPlanning::cmdIntervalloClick() {
    auto dialogo = std::make_unique<TfrmIntervallo>(App(), this, this);
    dialogo->ImpostaAnno(rtl::Trim(txtAnno.Text()), Camera());
    dialogo->ShowModal();
}

void TfrmPlanning::cmdRiepilogoClick() {
    auto riepilogo = std::make_unique<TfrmRiepPrenotazioni>(App(), this, this);
    riepilogo->ShowModal();
}

// The year sheet is filled from the day cells and the vehicle edits.
void TfrmPlanning::ApriDocumento(common::TfrmDocumento& documento) {
    documento.ImpostaScheda([this](report::Report& rep) { planner::RiempiPlanningAnnuale(rep, *this); });
    documento.ShowModal();
}

void TfrmPlanning::cmdAnteprimaClick() {
    ApriDocumento(*std::make_unique<TfrmAnteprimaPlanning>(App(), this));
}

void TfrmPlanning::cmdStampaClick() {
    ApriDocumento(*std::make_unique<TfrmStampaPlanning>(App(), this));
}

void TfrmPlanning::cmdGuidaClick() {
    ShowHelpTopic(*this, "App Planner Prenotazioni", "planner/Planning.help");
}

void TfrmPlanning::cmdEsciClick() {
    Close();
}
