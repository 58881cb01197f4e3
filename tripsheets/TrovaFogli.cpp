#include "tripsheets/TrovaFogli.h"

#include <vector>

#include "common/Archive.h"
#include "common/Reports.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "shell/DataEntry.h"
#include "tripsheets/FoglioRec.h"
#include "tripsheets/RiepAperti.h"

TfrmTrovaFogli* frmTrovaFogli = nullptr;

namespace {

// The criteria edits in the order of the Enter chain, with the field each
// stands for and the highlight rectangle behind it; Enter moves to the next
// one, from the last back to the first.
struct Criterio {
    const char* edit;
    const char* campo;
    const char* evidenzia;
};
constexpr Criterio kCriteri[] = {
    {"txtNumFoglio", "NumFoglio", "effCampo01"},   {"txtUfficio", "Ufficio", "effCampo02"},
    {"txtDataApertura", "DataApertura", "effCampo03"}, {"txtDataChiusura", "DataChiusura", "effCampo04"},
    {"txtConduttore", "Conduttore", "effCampo05"}, {"txtTelCel", "TelCel", "effCampo06"},
    {"txtVeicolo", "Veicolo", "effCampo07"},       {"txtTarga", "Targa", "effCampo08"},
    {"txtLuogoPar01", "LuogoPar01", "effCampo09"}, {"txtLuogoArr01", "LuogoArr01", "effCampo10"},
};
constexpr std::size_t kNumeroCriteri = std::size(kCriteri);

} // namespace

TfrmTrovaFogli::TfrmTrovaFogli(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/TrovaFogli.layout"),
      panAvvio(Get<ui::Panel>("panAvvio")),
      txtNumFoglio(Get<ui::Edit>("txtNumFoglio")),
      txtUfficio(Get<ui::Edit>("txtUfficio")),
      txtDataApertura(Get<ui::Edit>("txtDataApertura")),
      txtDataChiusura(Get<ui::Edit>("txtDataChiusura")),
      txtConduttore(Get<ui::Edit>("txtConduttore")),
      txtTelCel(Get<ui::Edit>("txtTelCel")),
      txtVeicolo(Get<ui::Edit>("txtVeicolo")),
      txtTarga(Get<ui::Edit>("txtTarga")),
      txtLuogoPar01(Get<ui::Edit>("txtLuogoPar01")),
      txtLuogoArr01(Get<ui::Edit>("txtLuogoArr01")),
      lblAttendere(Get<ui::Label>("lblAttendere")),
      lblConta(Get<ui::Label>("lblConta")),
      btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnCerca(Get<ui::Button>("btnCerca")),
      panContainer(Get<ui::Panel>("panContainer")),
      txtTrova(Get<ui::Edit>("txtTrova")),
      btnTrova(Get<ui::Button>("btnTrova")),
      lstRecords(Get<ui::ListBox>("lstRecords")),
      lblTrovate(Get<ui::Label>("lblTrovate")),
      btnChiudi(Get<ui::Button>("btnChiudi")),
      btnStampa(Get<ui::Button>("btnStampa")),
      lblMemory(Get<ui::Label>("lblMemory")),
      frxReport(common::RiepilogoDati()),
      lista_(lstRecords) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    btnCerca.OnMouseDown = [this](ui::MouseEvent&) { lblAttendere.Show(); };
    btnCerca.OnClick = [this] { btnCercaClick(); };
    btnTrova.OnClick = [this] { common::TrovaNellaLista(lstRecords, txtTrova, trovaRicordato_); };
    txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { common::TrovaKeyDown(k, btnTrova); };
    lstRecords.OnDblClick = [this] { lstRecordsDblClick(); };
    btnStampa.OnClick = [this] {
        common::StampaRiepilogo(frxReport, "Riepilogo Fogli di Marcia", lstRecords.Items());
    };
    btnAnnulla.OnClick = [this] { Close(); };
    btnChiudi.OnClick = [this] { Close(); };
    for (std::size_t i = 0; i < kNumeroCriteri; ++i) {
        ui::Edit& edit = Get<ui::Edit>(kCriteri[i].edit);
        ui::Edit& successivo = Get<ui::Edit>(kCriteri[(i + 1) % kNumeroCriteri].edit);
        entry::BindHighlightRect(edit, Get<ui::Rectangle>(kCriteri[i].evidenzia));
        edit.OnKeyDown = [&successivo](ui::KeyEvent& k) { entry::ChainKeyDown(k, successivo); };
    }
}

void TfrmTrovaFogli::FormShow() {
    trovaRicordato_.clear();
    txtTrova.SetText("");
    txtNumFoglio.SetFocus();
}

void TfrmTrovaFogli::FormClose(ui::CloseAction&) {
    lista_.Svuota();
    lblAttendere.Hide();
}

// Lists, in file order, the sheets that match every criterion given.
void TfrmTrovaFogli::btnCercaClick() {
    std::vector<common::Criterio> criteri;
    for (const Criterio& c : kCriteri)
        criteri.push_back({Get<ui::Edit>(c.edit).Text(), tripsheets::TFoglioRec.field(c.campo)});
    try {
        common::CercaSchede(*this, lista_, criteri, tripsheets::PercorsoArchivioFogli(), tripsheets::TFoglioRec,
                            tripsheets::RigaFoglio, false);
    } catch (...) {
        lblAttendere.Hide();
        ui::ShowMessage(std::string(common::kMsgAccessoArchivio));
        return;
    }
    lblTrovate.SetText("Il presente elenco contiene " + std::to_string(lstRecords.Count()) + " schede.");
}

// Only the trip-sheet window receives a sheet; the search closes in any case.
void TfrmTrovaFogli::lstRecordsDblClick() {
    if (rtl::Trim(lblMemory.Text()) == "fogli") tripsheets::RichiamaFoglio(lista_);
    Close();
}
