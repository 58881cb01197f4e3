#include "vehicles/ListaScadenze.h"

#include <vector>

#include "common/ListWindow.h"
#include "common/Records.h"
#include "common/Reports.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/TrovaAutomezzi.h"

std::optional<bool> ScadenzaImminente(std::string_view scadenza, rtl::Date oggi) {
    if (scadenza.empty()) return false;
    const std::optional<rtl::Date> data = rtl::ParseDate(scadenza);
    if (!data) return std::nullopt;
    return *data - oggi <= 7;
}

common::FormatoRiga FormatoScadenza(std::string_view campoScadenza) {
    common::FormatoRiga formato = InizioFormatoAutomezzo();
    formato.Testo("  Scad. ")
        .Colonna(campoScadenza, 10)
        .Testo("  Km: ")
        .Colonna("Chilometri", 10)
        .Testo("  Titolare: ")
        .Ultima("Proprietario");
    return formato;
}

TfrmListaScadenze::TfrmListaScadenze(ui::Application& app, ui::Form* owner, std::string_view layout,
                                     std::string campoScadenza, std::string titolo)
    : ui::Form(app, owner, layout), controls::ListaScadenze(this), frxReport(common::RiepilogoDati()),
      campoScadenza_(std::move(campoScadenza)), formato_(FormatoScadenza(campoScadenza_)),
      titolo_(std::move(titolo)), lista_(lstRecords) {
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
    const common::FieldRef campo = common::TAutomezzoRec.Field(campoScadenza_);
    // The stored date is plain digits and slashes: read as it is stored.
    common::CostruisciLista(
        lista_, vehicles::PercorsoArchivioAutomezzi(), formato_,
        [&](const common::RecordView& r) {
            return ScadenzaImminente(rtl::TrimView(common::RawText(r.Bytes(), campo)), oggi).value_or(false);
        },
        true);
}

void TfrmListaScadenze::FormClose(ui::CloseAction&) {
    lista_.Svuota();
}

void TfrmListaScadenze::btnStampaClick() {
    common::StampaRiepilogo(frxReport, titolo_, lstRecords.Items());
}
