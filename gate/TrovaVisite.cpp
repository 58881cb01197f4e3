#include "gate/TrovaVisite.h"

#include <vector>

#include "common/Archive.h"
#include "common/Reports.h"
#include "gate/Visite.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "shell/DataEntry.h"

TfrmTrovaVisite* frmTrovaVisite = nullptr;

namespace {

// The criteria edits in tab order, with the field each stands for and the
// edit that Enter moves to; the highlight rectangle is "eff" + field.
struct Criterio {
    const char* campo;
    const char* successivo;
};
constexpr Criterio kCriteri[] = {
    {"DataEnt", "DataUsc"}, {"DataUsc", "Veicolo"}, {"Veicolo", "Targa"},  {"Targa", "Conduttore"},
    {"Conduttore", "Foglio"}, {"Foglio", "Persone"}, {"Persone", "Merce"}, {"Merce", "Luogo"},
    {"Luogo", "Note"},       {"Note", "DataEnt"},
};

// The last text searched for in the result list, for the whole run.
std::string ricordato;

std::string Edit(const char* campo) { return std::string("txt") + campo; }

} // namespace

TfrmTrovaVisite::TfrmTrovaVisite(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/TrovaVisite.layout"),
      panAvvio(Get<ui::Panel>("panAvvio")),
      txtDataEnt(Get<ui::Edit>("txtDataEnt")),
      txtDataUsc(Get<ui::Edit>("txtDataUsc")),
      txtVeicolo(Get<ui::Edit>("txtVeicolo")),
      txtTarga(Get<ui::Edit>("txtTarga")),
      txtConduttore(Get<ui::Edit>("txtConduttore")),
      txtFoglio(Get<ui::Edit>("txtFoglio")),
      txtPersone(Get<ui::Edit>("txtPersone")),
      txtMerce(Get<ui::Edit>("txtMerce")),
      txtLuogo(Get<ui::Edit>("txtLuogo")),
      txtNote(Get<ui::Edit>("txtNote")),
      lblConta(Get<ui::Label>("lblConta")),
      lblAttendere(Get<ui::Label>("lblAttendere")),
      lblMemory(Get<ui::Label>("lblMemory")),
      btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnCerca(Get<ui::Button>("btnCerca")),
      panContainer(Get<ui::Panel>("panContainer")),
      txtTrova(Get<ui::Edit>("txtTrova")),
      btnTrova(Get<ui::Button>("btnTrova")),
      lstRecords(Get<ui::ListBox>("lstRecords")),
      lblRigo03(Get<ui::Label>("lblRigo03")),
      lblTrovate(Get<ui::Label>("lblTrovate")),
      btnChiudi(Get<ui::Button>("btnChiudi")),
      btnStampa(Get<ui::Button>("btnStampa")),
      frxReport(common::RiepilogoDati()),
      lista_(lstRecords) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    btnCerca.OnMouseDown = [this](ui::MouseEvent&) { lblAttendere.Show(); };
    btnCerca.OnClick = [this] { btnCercaClick(); };
    btnTrova.OnClick = [this] { common::TrovaNellaLista(lstRecords, txtTrova, ricordato); };
    txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { common::TrovaKeyDown(k, btnTrova); };
    lstRecords.OnDblClick = [this] { lstRecordsDblClick(); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { Close(); };
    btnChiudi.OnClick = [this] { Close(); };
    for (const Criterio& c : kCriteri) {
        ui::Edit& edit = Get<ui::Edit>(Edit(c.campo));
        ui::Edit& successivo = Get<ui::Edit>(Edit(c.successivo));
        entry::BindHighlightRect(edit, Get<ui::Rectangle>(std::string("eff") + c.campo));
        edit.OnKeyDown = [&successivo](ui::KeyEvent& k) { entry::ChainKeyDown(k, successivo); };
    }
}

void TfrmTrovaVisite::FormShow() {
    ricordato.clear();
    txtTrova.SetText("");
    txtDataEnt.SetFocus();
}

void TfrmTrovaVisite::FormClose(ui::CloseAction&) {
    lista_.Svuota();
    lblAttendere.Hide();
}

// Lists the visits that match every criterion given, sorted by their lines.
void TfrmTrovaVisite::btnCercaClick() {
    std::vector<common::Criterio> criteri;
    for (const Criterio& c : kCriteri) criteri.push_back({Get<ui::Edit>(Edit(c.campo)).Text(), gate::TVisitaRec.field(c.campo)});
    try {
        common::CercaSchede(*this, lista_, criteri, gate::ArchivioVisite(), gate::TVisitaRec, gate::RigaTrovaVisite);
    } catch (...) {
        ui::ShowMessage(std::string(common::kMsgAccessoArchivio));
        return;
    }
    lblTrovate.SetText("Il presente riepilogo contiene " + std::to_string(lstRecords.Count()) + " schede.");
}

// With the caller tag "registro" the chosen visit goes into the visit card;
// the search then closes. A visit that cannot be read is reported and the
// search stays open, the card keeping its fields.
void TfrmTrovaVisite::lstRecordsDblClick() {
    if (rtl::Trim(lblMemory.Text()) == "registro") {
        try {
            gate::RichiamaVisita(lista_);
        } catch (...) {
            ui::ShowMessage(std::string(common::kMsgAccessoArchivio));
            return;
        }
    }
    Close();
}

void TfrmTrovaVisite::btnStampaClick() {
    common::StampaRiepilogo(frxReport, "Riepilogo ingressi e uscite veicoli", lstRecords.Items());
}
