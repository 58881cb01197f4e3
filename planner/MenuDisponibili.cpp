#include "planner/MenuDisponibili.h"

#include <string>

#include "common/Archive.h"
#include "common/Guida.h"
#include "common/ListLayout.h"
#include "common/Records.h"
#include "common/StartMenu.h"
#include "common/YearMenu.h"
#include "planner/Planning.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "vehicles/AutomezzoRec.h"

TfrmMenuDisponibili* frmMenuDisponibili = nullptr;

namespace {

constexpr int kLarghezzaVoci = 910;

const std::string kMsgElencoVuoto =
    "Attenzione: l'elenco dei veicoli non contiene nessuna voce.\n\r\n\r"
    "Per poter utilizzare il planner delle prenotazioni è necessario registrare almeno un veicolo nel parco "
    "automezzi.";
const std::string kMsgSelezione =
    "Attenzione: selezionare un veicolo dall'elenco prima di premere il pulsante Apri.";
const std::string kMsgTarga =
    "Attenzione: la targa del veicolo contiene caratteri non ammessi nel nome di un file.\n\r\n\r"
    "Per poter utilizzare il planner delle prenotazioni è necessario correggere la targa nel parco "
    "automezzi.";

void Avviso(const std::string& text) {
    ui::MessageDlg(text, ui::DialogType::Warning, ui::Buttons::OKCancel);
}

} // namespace

const common::FormatoRiga& FormatoMenuDisponibili() {
    static const common::FormatoRiga formato = std::move(common::FormatoRiga(common::TAutomezzoRec)
                                                             .Colonna("Tipo", 20)
                                                             .Testo("  ")
                                                             .Colonna({"Marca", "Modello"}, 30)
                                                             .Testo("  Targa: ")
                                                             .Colonna("Targa", 14)
                                                             .Testo("  Posti: ")
                                                             .Colonna("Posti", 12)
                                                             .Testo("  Alim. ")
                                                             .Ultima("Alimentazione"));
    return formato;
}

bool HaTarga(const common::RecordView& automezzo) {
    static const common::FieldRef targa = common::TAutomezzoRec.Field("Targa");
    return !rtl::TrimView(common::RawText(automezzo.Bytes(), targa)).empty();
}

bool TargaAmmessaInNomeFile(std::string_view targa) {
    for (const char c : targa) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return false;
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) return false;
    }
    return true;
}

std::string PercorsoFilePlanner(std::string_view targa, std::string_view anno) {
    return rtl::DataPath("Prenotazioni veicolo targa " + rtl::Trim(targa) + " anno " + rtl::Trim(anno) +
                         ".pln");
}

TfrmMenuDisponibili::TfrmMenuDisponibili(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "planner/MenuDisponibili.layout"), controls::MenuDisponibili(this),
      lista_(lstRecords) {
    txtAnnoFatture.SetMaxLength(4);
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    // A line chosen with the keyboard chooses its vehicle like a click.
    lstRecords.OnClick = [this] { lstRecordsClick(); };
    lstRecords.OnChange = [this] { lstRecordsClick(); };
    // A double click on a line opens it, as Enter does ("Apri" is the
    // window's default command).
    lstRecords.OnDblClick = [this] { btnApriFattureClick(); };
    common::LegaAnno(txtAnnoFatture);
    btnApriFatture.OnClick = [this] { btnApriFattureClick(); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgEsci.OnClick = [this] { imgEsciClick(); };
}

// Every showing forgets the earlier choice, lists the vehicles with a plate
// (sorted), presets the current year and the route back to the start menu.
// An unreadable archive keeps the lines read so far; the rest still runs.
void TfrmMenuDisponibili::FormShow() {
    for (ui::Label* l : {&lblVeicolo, &lblMarca, &lblModello, &lblTarga})
        l->SetText("");
    icoMano.SetVisible(false);
    archivioIllegibile_ = false;
    try {
        lista_.Costruisci(vehicles::PercorsoArchivioAutomezzi(), FormatoMenuDisponibili(), HaTarga, true,
                          kLarghezzaVoci);
    } catch (const rtl::DataError&) {
        // Said when "Apri" finds the list empty; the lines read so far stay.
        archivioIllegibile_ = true;
    }
    common::MostraMenuAnno(txtAnnoFatture, lblMemory);
}

// The choice: the record of the selected line goes into the hidden labels.
// A record that cannot be read leaves the labels as they were.
void TfrmMenuDisponibili::lstRecordsClick() {
    try {
        common::Record automezzo(common::TAutomezzoRec);
        if (!lista_.Richiama(vehicles::PercorsoArchivioAutomezzi(), automezzo)) return;
        lblVeicolo.SetText(automezzo.Get("Tipo"));
        lblMarca.SetText(automezzo.Get("Marca"));
        lblModello.SetText(automezzo.Get("Modello"));
        lblTarga.SetText(automezzo.Get("Targa"));
        icoMano.SetVisible(true);
    } catch (const rtl::DataError&) {
        // Without a word: the labels keep the last choice.
    }
}

void TfrmMenuDisponibili::btnApriFattureClick() {
    const std::optional<std::string> anno = common::AnnoScelto(txtAnnoFatture);
    if (!anno) return;
    if (lstRecords.Count() == 0) {
        // An archive that could not be read is not an archive without vehicles.
        Avviso(archivioIllegibile_ ? std::string(common::kMsgAccessoArchivio) : kMsgElencoVuoto);
        return;
    }
    const std::string targa = rtl::Trim(lblTarga.Text());
    if (lstRecords.ItemIndex() < 0 || targa.empty()) {
        Avviso(kMsgSelezione);
        return;
    }
    if (!TargaAmmessaInNomeFile(targa)) {
        Avviso(kMsgTarga);
        return;
    }
    const std::string& year = *anno;
    lblFile.SetText(PercorsoFilePlanner(targa, year));
    if (frmPlanning)
        frmPlanning->ImpostaAnno(year, rtl::Trim(lblVeicolo.Text()), rtl::Trim(lblMarca.Text()),
                                 rtl::Trim(lblModello.Text()), targa, lblFile.Text());
    lblMemory.SetText("planning");
    Close();
}

void TfrmMenuDisponibili::imgGuidaClick() {
    ShowHelpTopic(*this, "App Planner Prenotazioni", "planner/Planning.help");
}

void TfrmMenuDisponibili::imgEsciClick() {
    Close();
}

// The route tag tells which window comes next; the menu then hides.
void TfrmMenuDisponibili::FormClose(ui::CloseAction&) {
    const std::string route = rtl::Trim(lblMemory.Text());
    if (route == "avvio") {
        common::MostraAvvio();
    } else if (route == "planning") {
        if (frmPlanning) frmPlanning->Show();
    }
}
