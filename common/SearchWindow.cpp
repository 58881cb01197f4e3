#include "common/SearchWindow.h"

#include "common/Archive.h"
#include "common/DataEntry.h"
#include "common/Reports.h"
#include "platform/ui/Services.h"

namespace common {

FinestraRicerca::FinestraRicerca(ui::Form& form, const controls::SearchWindow& controlli, ListaRecord& lista,
                                 report::Report& stampa, ConfigRicerca config, std::function<void()> richiama)
    : form_(form), c_(controlli), lista_(lista), stampa_(stampa), config_(std::move(config)) {
    if (!config_.ricordato) config_.ricordato = &ricordato_;
    form_.OnShow = [this] { Mostra(); };
    form_.OnClose = [this](ui::CloseAction&) { Chiudi(); };
    c_.btnCerca.OnMouseDown = [this](ui::MouseEvent&) { c_.lblAttendere.Show(); };
    c_.btnCerca.OnClick = [this] { Cerca(); };
    c_.btnTrova.OnClick = [this] { TrovaNellaLista(c_.lstRecords, c_.txtTrova, *config_.ricordato); };
    c_.txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { TrovaKeyDown(k, c_.btnTrova); };
    if (config_.evidenziaTrova) entry::BindHighlightRect(c_.txtTrova, *config_.evidenziaTrova);
    c_.lstRecords.OnDblClick = std::move(richiama);
    c_.btnStampa.OnClick = [this] { StampaRiepilogo(stampa_, config_.titoloStampa, c_.lstRecords.Items()); };
    c_.btnAnnulla.OnClick = [this] { form_.Close(); };
    c_.btnChiudi.OnClick = [this] { form_.Close(); };
    const std::size_t n = config_.criteri.size();
    for (std::size_t i = 0; i < n; ++i) {
        const CampoRicerca& c = config_.criteri[i];
        ui::Edit& edit = form_.Get<ui::Edit>(c.edit);
        ui::Edit& successivo = form_.Get<ui::Edit>(config_.criteri[(i + 1) % n].edit);
        entry::BindHighlightRect(edit, form_.Get<ui::Rectangle>(c.evidenzia));
        edit.OnKeyDown = [&successivo](ui::KeyEvent& k) { entry::ChainKeyDown(k, successivo); };
        criteri_.emplace_back(&edit, config_.formato->Type().Field(c.campo));
    }
}

// Each showing forgets the last text searched for and starts from the
// first criterion.
void FinestraRicerca::Mostra() {
    config_.ricordato->clear();
    c_.txtTrova.SetText("");
    if (c_.lstRecords.Count() > 0) c_.lstRecords.SetItemIndex(0);
    if (!criteri_.empty()) criteri_.front().first->SetFocus();
}

void FinestraRicerca::Chiudi() {
    lista_.Svuota();
    c_.lblAttendere.Hide();
}

// Lists the cards that match every criterion given. An archive that cannot
// be read is reported, the lines read so far staying in the list.
void FinestraRicerca::Cerca() {
    std::vector<Criterio> criteri;
    criteri.reserve(criteri_.size());
    for (const auto& [edit, campo] : criteri_)
        criteri.push_back({edit->Text(), campo});
    try {
        CercaSchede({c_.lblConta, c_.panAvvio, c_.panContainer, c_.txtTrova}, lista_, criteri,
                    config_.archivio(), *config_.formato, config_.ordinata);
    } catch (const rtl::DataError&) {
        c_.lblAttendere.Hide();
        ui::ShowMessage(std::string(kMsgAccessoArchivio));
        return;
    }
    c_.lblTrovate.SetText(config_.trovate + std::to_string(lista_.Lista().Count()) + config_.fineTrovate);
}

} // namespace common
