#include "drivers/ElencoConduttori.h"

#include "common/Archive.h"
#include "common/DataEntry.h"
#include "common/Reports.h"
#include "drivers/ConduttoreRec.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"

namespace drivers {

ElencoConduttori::ElencoConduttori(ui::Application& app, ui::Form* owner, const ConfigElenco& config,
                                   RitornoTrovaAnagrafica* ritorno)
    : ui::Form(app, owner, config.layout), controls::ElencoConduttori(this),
      frxReport(common::RiepilogoDati()), config_(config), ritorno_(ritorno),
      formato_(FormatoConduttore(config.larghezza, config.prima, config.ultimo)),
      valore_(rtl::Utf8ToCp1252(config.valore)), lista_(lstRecords) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    entry::BindHighlightRect(txtTrova, effTrova);
    txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { common::TrovaKeyDown(k, btnTrova); };
    btnTrova.OnClick = [this] { common::TrovaNellaLista(lstRecords, txtTrova, trovaRicordato_); };
    lstRecords.OnDblClick = [this] { lstRecordsDblClick(); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnChiudi.OnClick = [this] { Close(); };
}

std::string ElencoConduttori::Riga(const common::RecordView& conduttore) const {
    return formato_.Riga(conduttore);
}

// The list is built as the window opens. An archive that cannot be read is
// said so over the lines read until then: a partial list is never taken for
// the whole one.
void ElencoConduttori::FormShow() {
    trovaRicordato_.clear();
    txtTrova.SetText("");
    // The flag compared as it is stored (trimmed, in the code page).
    const common::FieldRef filtro = TConduttoreRec.Field(config_.campoFiltro);
    common::CostruisciLista(
        lista_, PercorsoArchivioConduttori(), formato_,
        [this, filtro](const common::RecordView& r) {
            return rtl::TrimView(common::RawText(r.Bytes(), filtro)) == valore_;
        },
        true);
    txtTrova.SetFocus();
}

void ElencoConduttori::FormClose(ui::CloseAction&) {
    lista_.Svuota();
}

// The chosen driver into the card, then the list closes. Failures are
// dropped: what was copied stays.
void ElencoConduttori::lstRecordsDblClick() {
    try {
        if (ritorno_) {
            common::Record conduttore(TConduttoreRec);
            if (const auto numero = lista_.Richiama(PercorsoArchivioConduttori(), conduttore))
                ritorno_->ConduttoreRichiamato(conduttore, *numero);
        }
    } catch (const rtl::DataError&) {
        // A driver that cannot be read is not recalled, without a word.
    }
    Close();
}

void ElencoConduttori::btnStampaClick() {
    common::StampaRiepilogo(frxReport, std::string(config_.titolo), lstRecords.Items());
}

} // namespace drivers
