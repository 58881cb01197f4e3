#include "vehicles/TrovaAutomezzi.h"

#include <optional>

#include "common/Archive.h"
#include "common/Records.h"
#include "common/ListWindow.h"
#include "common/Reports.h"
#include "drivers/Anagrafica.h"
#include "gate/Registro.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "shell/DataEntry.h"
#include "vehicles/Autoparco.h"
#include "vehicles/AutomezzoRec.h"

TfrmTrovaAutomezzi* frmTrovaAutomezzi = nullptr;

namespace {

// The criteria edits in tab order, with the field each stands for, the
// highlight rectangle behind it and the edit that Enter moves to.
struct Criterio {
    const char* edit;
    const char* campo;
    const char* evidenzia;
    const char* successivo;
};
constexpr Criterio kCriteri[] = {
    {"txtTipo", "Tipo", "effCampo01", "txtDestinazione"},
    {"txtDestinazione", "Destinazione", "effCampo02", "txtMarca"},
    {"txtMarca", "Marca", "effCampo09", "txtModello"},
    {"txtModello", "Modello", "effCampo10", "txtTarga"},
    {"txtTarga", "Targa", "effCampo05", "txtStato"},
    {"txtStato", "Stato", "effCampo06", "txtAutista"},
    {"txtAutista", "Autista", "effCampo07", "txtMeccanico"},
    {"txtMeccanico", "Meccanico", "effCampo08", "txtProprietario"},
    {"txtProprietario", "Proprietario", "effCampo03", "txtNote"},
    {"txtNote", "Note", "effCampo04", "txtTipo"},
};

// What the driver card receives: its edit and the vehicle field.
constexpr std::pair<const char*, const char*> kCampiConduttore[] = {
    {"txtVeicolo", "Tipo"},   {"txtMarca", "Marca"},   {"txtModello", "Modello"},
    {"txtTarga", "Targa"},    {"txtColore", "Colore"}, {"txtAlimentazione", "Alimentazione"},
};

void ImpostaTesto(ui::Form& form, const char* controllo, const std::string& testo) {
    form.Get<ui::Control>(controllo).SetText(testo);
}

} // namespace

common::FormatoRiga InizioFormatoAutomezzo() {
    common::FormatoRiga formato(common::TAutomezzoRec);
    formato.colonna("Tipo", 20).testo("  ").colonna({"Marca", "Modello"}, 30).testo("  Targa: ").colonna("Targa", 12);
    return formato;
}

common::RigaLista InizioRigaAutomezzo(const common::RecordView& automezzo) {
    static const common::FormatoRiga formato = InizioFormatoAutomezzo();
    common::RigaLista riga;
    riga.testo(formato.Riga(automezzo));
    return riga;
}

const common::FormatoRiga& FormatoTrovaAutomezzo() {
    static const common::FormatoRiga formato = std::move(InizioFormatoAutomezzo()
                                                             .testo("  Titolare: ")
                                                             .colonna("Proprietario", 30)
                                                             .testo("  Anno: ")
                                                             .colonna("Anno", 10)
                                                             .testo("  Km: ")
                                                             .ultima("Chilometri"));
    return formato;
}

std::string RigaTrovaAutomezzo(const common::RecordView& automezzo) { return FormatoTrovaAutomezzo().Riga(automezzo); }

TfrmTrovaAutomezzi::TfrmTrovaAutomezzi(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/TrovaAutomezzi.layout"),
      panAvvio(Get<ui::Panel>("panAvvio")),
      txtTipo(Get<ui::Edit>("txtTipo")),
      txtDestinazione(Get<ui::Edit>("txtDestinazione")),
      txtMarca(Get<ui::Edit>("txtMarca")),
      txtModello(Get<ui::Edit>("txtModello")),
      txtTarga(Get<ui::Edit>("txtTarga")),
      txtStato(Get<ui::Edit>("txtStato")),
      txtAutista(Get<ui::Edit>("txtAutista")),
      txtMeccanico(Get<ui::Edit>("txtMeccanico")),
      txtProprietario(Get<ui::Edit>("txtProprietario")),
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
      automezzo_(common::TAutomezzoRec),
      lista_(lstRecords) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    btnCerca.OnMouseDown = [this](ui::MouseEvent&) { lblAttendere.Show(); };
    btnCerca.OnClick = [this] { btnCercaClick(); };
    btnTrova.OnClick = [this] { common::TrovaNellaLista(lstRecords, txtTrova, trovaRicordato_); };
    txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { common::TrovaKeyDown(k, btnTrova); };
    lstRecords.OnDblClick = [this] { lstRecordsDblClick(); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { Close(); };
    btnChiudi.OnClick = [this] { Close(); };
    for (const Criterio& c : kCriteri) {
        ui::Edit& edit = Get<ui::Edit>(c.edit);
        ui::Edit& successivo = Get<ui::Edit>(c.successivo);
        entry::BindHighlightRect(edit, Get<ui::Rectangle>(c.evidenzia));
        edit.OnKeyDown = [&successivo](ui::KeyEvent& k) { entry::ChainKeyDown(k, successivo); };
    }
}

void TfrmTrovaAutomezzi::FormShow() {
    trovaRicordato_.clear();
    txtTrova.SetText("");
    if (lstRecords.Count() > 0) lstRecords.SetItemIndex(0);
    txtTipo.SetFocus();
}

void TfrmTrovaAutomezzi::FormClose(ui::CloseAction&) {
    lista_.Svuota();
    lblAttendere.Hide();
}

// Lists the vehicles that match every criterion given, sorted by their lines.
void TfrmTrovaAutomezzi::btnCercaClick() {
    std::vector<common::Criterio> criteri;
    for (const Criterio& c : kCriteri)
        criteri.push_back({Get<ui::Edit>(c.edit).Text(), common::TAutomezzoRec.field(c.campo)});
    try {
        common::CercaSchede(*this, lista_, criteri, vehicles::PercorsoArchivioAutomezzi(), FormatoTrovaAutomezzo());
    } catch (...) {
        lblAttendere.Hide();
        ui::ShowMessage(std::string(common::kMsgAccessoArchivio));
        return;
    }
    lblTrovate.SetText("Il presente riepilogo contiene " + std::to_string(lstRecords.Count()) + " schede");
}

// Copies the chosen vehicle into the window named by the caller tag, then
// closes the search. Failures are dropped: what was copied stays.
void TfrmTrovaAutomezzi::lstRecordsDblClick() {
    try {
        const std::string chiamante = rtl::Trim(lblMemory.Text());
        const std::string archivio = vehicles::PercorsoArchivioAutomezzi();
        if (chiamante == "autoparco" && frmAutoparco) {
            // The whole record into the card, which then shows its photo.
            common::SchedaArchivio& scheda = frmAutoparco->Scheda();
            if (const auto numero = lista_.Richiama(archivio, scheda.buffer())) {
                scheda.Mostra(*numero);
                frmAutoparco->CaricaFotoScheda();
            }
        } else if (chiamante == "anagrafica" && frmAnagrafica) {
            if (lista_.Richiama(archivio, automezzo_))
                for (const auto& [controllo, campo] : kCampiConduttore)
                    ImpostaTesto(*frmAnagrafica, controllo, automezzo_.get(campo));
        } else if (chiamante == "registro" && frmRegistro) {
            if (lista_.Richiama(archivio, automezzo_)) {
                ImpostaTesto(*frmRegistro, "txtVeicolo", automezzo_.get("Marca") + " " + automezzo_.get("Modello"));
                ImpostaTesto(*frmRegistro, "txtTarga", automezzo_.get("Targa"));
                ImpostaTesto(*frmRegistro, "txtConduttore", automezzo_.get("Autista"));
            }
        }
    } catch (...) {
    }
    Close();
}

void TfrmTrovaAutomezzi::btnStampaClick() {
    common::StampaRiepilogo(frxReport, "Riepilogo schede veicoli in archivio", lstRecords.Items());
}
