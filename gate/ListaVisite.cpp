#include "gate/ListaVisite.h"

#include "common/Archive.h"
#include "common/Reports.h"
#include "gate/Visite.h"
#include "platform/ui/Services.h"

namespace gate {

TfrmListaVisite::TfrmListaVisite(ui::Application& app, ui::Form* owner, std::string_view layout,
                                 ConfigLista config, std::string& ricordato, RitornoVisita* ritorno)
    : ui::Form(app, owner, layout), controls::ListaVisite(this), frxReport(common::RiepilogoDati()),
      config_(std::move(config)), ricordato_(ricordato), ritorno_(ritorno), lista_(lstRecords) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { common::TrovaKeyDown(k, btnTrova); };
    btnTrova.OnClick = [this] { common::TrovaNellaLista(lstRecords, txtTrova, ricordato_); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnChiudi.OnClick = [this] { Close(); };
    lstRecords.OnDblClick = [this] { lstRecordsDblClick(); };
}

// Lists the visits of the card's year that pass the filter today. An archive
// that cannot be read is reported: an empty list must mean that no visit
// qualifies.
void TfrmListaVisite::FormShow() {
    oggi_ = TestoOggi();
    ricordato_.clear();
    txtTrova.SetText("");
    common::CostruisciLista(
        lista_, archivio_, *config_.formato,
        [this](const common::RecordView& v) { return config_.filtro(v, oggi_); }, true);
    txtTrova.SetFocus();
}

void TfrmListaVisite::FormClose(ui::CloseAction&) {
    lista_.Svuota();
}

// The title carries the date of the lines listed, not of the moment of
// printing: a list opened before midnight is printed under its own day.
void TfrmListaVisite::btnStampaClick() {
    common::StampaRiepilogo(frxReport, config_.titolo(oggi_), lstRecords.Items());
}

// Loads the chosen visit into the card and closes. A visit that cannot be
// read is reported and the list stays open; the card keeps its fields.
void TfrmListaVisite::lstRecordsDblClick() {
    try {
        RichiamaVisita(lista_, archivio_, ritorno_);
    } catch (const rtl::DataError&) {
        ui::ShowMessage(std::string(common::kMsgAccessoArchivio));
        return;
    }
    Close();
}

} // namespace gate
