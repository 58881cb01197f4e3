#include "vehicles/ListaScadenze.h"

#include <vector>

#include "common/ListWindow.h"
#include "common/Records.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/TrovaAutomezzi.h"
#include "common/Reports.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"

std::optional<bool> ScadenzaImminente(std::string_view scadenza, rtl::Date oggi) {
    if (scadenza.empty()) return false;
    const std::optional<rtl::Date> data = rtl::ParseDate(scadenza);
    if (!data) return std::nullopt;
    return *data - oggi <= 7;
}

std::string RigaScadenza(const common::RecordView& automezzo, std::string_view campoScadenza) {
    return InizioRigaAutomezzo(automezzo)
        .testo("  Scad. ")
        .colonna(automezzo.get(campoScadenza), 10)
        .testo("  Km: ")
        .colonna(automezzo.get("Chilometri"), 10)
        .testo("  Titolare: ")
        .ultima(automezzo.get("Proprietario"))
        .str();
}

TfrmListaScadenze::TfrmListaScadenze(ui::Application& app, ui::Form* owner, std::string_view layout,
                                     std::string campoScadenza, std::string titolo)
    : ui::Form(app, owner, layout),
      lstRecords(Get<ui::ListBox>("lstRecords")),
      lblRigo03(Get<ui::Label>("lblRigo03")),
      btnChiudi(Get<ui::Button>("btnChiudi")),
      btnStampa(Get<ui::Button>("btnStampa")),
      frxReport(common::RiepilogoDati()),
      campoScadenza_(std::move(campoScadenza)),
      titolo_(std::move(titolo)),
      lista_(lstRecords) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    btnChiudi.OnClick = [this] { Close(); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
}

// Lists the vehicles whose deadline is past or due within seven days. A
// deadline that is not a date is passed over: the vehicles after it are
// still examined. An archive that cannot be read is reported over the lines
// read so far.
void TfrmListaScadenze::FormShow() {
    const rtl::Date oggi = rtl::Today();
    const common::FieldRef campo = common::TAutomezzoRec.field(campoScadenza_);
    common::CostruisciLista(
        lista_, vehicles::PercorsoArchivioAutomezzi(), common::TAutomezzoRec,
        [&](const common::RecordView& r) -> std::optional<std::string> {
            if (ScadenzaImminente(r.get(campo), oggi).value_or(false)) return RigaScadenza(r, campoScadenza_);
            return std::nullopt;
        },
        true);
}

void TfrmListaScadenze::FormClose(ui::CloseAction&) { lista_.Svuota(); }

void TfrmListaScadenze::btnStampaClick() { common::StampaRiepilogo(frxReport, titolo_, lstRecords.Items()); }
