#include "drivers/TrovaAnagrafica.h"

#include <vector>

#include "common/Reports.h"
#include "drivers/Anagrafica.h"
#include "drivers/ConduttoreRec.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "shell/DataEntry.h"
#include "tripsheets/Fogli.h"

TfrmTrovaAnagrafica* frmTrovaAnagrafica = nullptr;

namespace {

// The criteria edits in the order of the Enter ring, with the field each
// stands for and the highlight rectangle behind it.
struct Criterio {
    const char* edit;
    const char* campo;
    const char* evidenzia;
};
constexpr Criterio kCriteri[] = {
    {"txtConducente", "Conducente", "effCampo01"}, {"txtCodFisc", "CodFisc", "effCampo02"},
    {"txtPatenti", "Patenti", "effCampo03"},       {"txtCitta", "Citta", "effCampo04"},
    {"txtVeicolo", "Veicolo", "effCampo05"},       {"txtTarga", "Targa", "effCampo06"},
    {"txtMarca", "Marca", "effCampo07"},           {"txtModello", "Modello", "effCampo08"},
    {"txtProgramma", "Programma", "effCampo09"},   {"txtNote", "Note", "effCampo10"},
};

} // namespace

std::string RigaTrovaConduttore(const common::RecordView& conduttore) {
    static constexpr common::FieldRef note = drivers::TConduttoreRec.field("Note");
    return drivers::RigaConduttore(conduttore, 30, "  Note: ", note);
}

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/TrovaAnagrafica.layout"),
      panAvvio(Get<ui::Panel>("panAvvio")),
      txtConducente(Get<ui::Edit>("txtConducente")),
      txtCodFisc(Get<ui::Edit>("txtCodFisc")),
      txtPatenti(Get<ui::Edit>("txtPatenti")),
      txtCitta(Get<ui::Edit>("txtCitta")),
      txtVeicolo(Get<ui::Edit>("txtVeicolo")),
      txtTarga(Get<ui::Edit>("txtTarga")),
      txtMarca(Get<ui::Edit>("txtMarca")),
      txtModello(Get<ui::Edit>("txtModello")),
      txtProgramma(Get<ui::Edit>("txtProgramma")),
      txtNote(Get<ui::Edit>("txtNote")),
      lblAttendere(Get<ui::Label>("lblAttendere")),
      lblConta(Get<ui::Label>("lblConta")),
      lblMemory(Get<ui::Label>("lblMemory")),
      btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnCerca(Get<ui::Button>("btnCerca")),
      panContainer(Get<ui::Panel>("panContainer")),
      txtTrova(Get<ui::Edit>("txtTrova")),
      btnTrova(Get<ui::Button>("btnTrova")),
      lstRecords(Get<ui::ListBox>("lstRecords")),
      lblTrovate(Get<ui::Label>("lblTrovate")),
      btnChiudi(Get<ui::Button>("btnChiudi")),
      btnStampa(Get<ui::Button>("btnStampa")),
      frxReport(common::RiepilogoDati()),
      conduttore_(drivers::TConduttoreRec),
      lista_(lstRecords) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    btnCerca.OnMouseDown = [this](ui::MouseEvent&) { lblAttendere.Show(); };
    btnCerca.OnClick = [this] { btnCercaClick(); };
    btnTrova.OnClick = [this] { common::TrovaNellaLista(lstRecords, txtTrova, trovaRicordato_); };
    txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { common::TrovaKeyDown(k, btnTrova); };
    entry::BindHighlightRect(txtTrova, Get<ui::Rectangle>("effTrova"));
    lstRecords.OnDblClick = [this] { lstRecordsDblClick(); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { Close(); };
    btnChiudi.OnClick = [this] { Close(); };
    const std::size_t n = std::size(kCriteri);
    for (std::size_t i = 0; i < n; ++i) {
        ui::Edit& edit = Get<ui::Edit>(kCriteri[i].edit);
        ui::Edit& successivo = Get<ui::Edit>(kCriteri[(i + 1) % n].edit);
        entry::BindHighlightRect(edit, Get<ui::Rectangle>(kCriteri[i].evidenzia));
        edit.OnKeyDown = [&successivo](ui::KeyEvent& k) { entry::ChainKeyDown(k, successivo); };
    }
}

void TfrmTrovaAnagrafica::FormShow() {
    trovaRicordato_.clear();
    txtTrova.SetText("");
    txtConducente.SetFocus();
}

void TfrmTrovaAnagrafica::FormClose(ui::CloseAction&) {
    lista_.Svuota();
    lblAttendere.Hide();
}

// Lists the drivers that match every criterion given, sorted by their lines.
void TfrmTrovaAnagrafica::btnCercaClick() {
    std::vector<common::Criterio> criteri;
    for (const Criterio& c : kCriteri)
        criteri.push_back({Get<ui::Edit>(c.edit).Text(), drivers::TConduttoreRec.field(c.campo)});
    try {
        common::CercaSchede(*this, lista_, criteri, drivers::PercorsoArchivioConduttori(), drivers::TConduttoreRec,
                            RigaTrovaConduttore);
    } catch (...) {
        lblAttendere.Hide();
        ui::ShowMessage(std::string(common::kMsgAccessoArchivio));
        return;
    }
    lblTrovate.SetText("Il presente elenco contiene " + std::to_string(lstRecords.Count()) + " schede.");
}

// Copies the chosen driver into the window named by the caller tag, then
// closes the search. Failures are dropped: what was copied stays.
void TfrmTrovaAnagrafica::lstRecordsDblClick() {
    try {
        const std::string chiamante = rtl::Trim(lblMemory.Text());
        const std::string archivio = drivers::PercorsoArchivioConduttori();
        if (chiamante == "anagrafica" && frmAnagrafica) {
            common::SchedaArchivio& scheda = frmAnagrafica->Scheda();
            if (const auto numero = lista_.Richiama(archivio, scheda.buffer())) scheda.Mostra(*numero);
        } else if (chiamante == "fogli" && frmFogli) {
            if (lista_.Richiama(archivio, conduttore_)) {
                frmFogli->Get<ui::Edit>("txtConduttore").SetText(conduttore_.get("Conducente"));
                frmFogli->Get<ui::Edit>("txtTelCel").SetText(conduttore_.get("TelCel"));
                frmFogli->Get<ui::Edit>("txtVeicolo").SetText(conduttore_.get("Marca") + " " + conduttore_.get("Modello"));
                frmFogli->Get<ui::Edit>("txtTarga").SetText(conduttore_.get("Targa"));
            }
        }
    } catch (...) {
    }
    Close();
}

void TfrmTrovaAnagrafica::btnStampaClick() {
    common::StampaRiepilogo(frxReport, "Riepilogo conduttori in archivio", lstRecords.Items());
}
