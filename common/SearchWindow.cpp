#include "common/SearchWindow.h"

#include "common/Archive.h"
#include "common/DataEntry.h"
#include "common/Reports.h"
#include "platform/ui/Services.h"

namespace common {

FinestraRicerca::FinestraRicerca(ui::Form& form, ListaRecord& lista, report::Report& stampa,
                                 ConfigRicerca config, std::function<void()> richiama)
    : form_(form), lista_(lista), stampa_(stampa), config_(std::move(config)) {
    if (!config_.ricordato) config_.ricordato = &ricordato_;
    auto& f = form_;
    ui::Label& lblAttendere = f.Get<ui::Label>("lblAttendere");
    ui::Button& btnCerca = f.Get<ui::Button>("btnCerca");
    ui::Button& btnTrova = f.Get<ui::Button>("btnTrova");
    ui::Edit& txtTrova = f.Get<ui::Edit>("txtTrova");
    ui::ListBox& lstRecords = f.Get<ui::ListBox>("lstRecords");
    f.OnShow = [this] { Mostra(); };
    f.OnClose = [this](ui::CloseAction&) { Chiudi(); };
    btnCerca.OnMouseDown = [&lblAttendere](ui::MouseEvent&) { lblAttendere.Show(); };
    btnCerca.OnClick = [this] { Cerca(); };
    btnTrova.OnClick = [this, &lstRecords, &txtTrova] {
        TrovaNellaLista(lstRecords, txtTrova, *config_.ricordato);
    };
    txtTrova.OnKeyDown = [&btnTrova](ui::KeyEvent& k) { TrovaKeyDown(k, btnTrova); };
    if (config_.evidenziaTrova) entry::BindHighlightRect(txtTrova, f.Get<ui::Rectangle>("effTrova"));
    lstRecords.OnDblClick = std::move(richiama);
    f.Get<ui::Button>("btnStampa").OnClick = [this, &lstRecords] {
        StampaRiepilogo(stampa_, config_.titoloStampa, lstRecords.Items());
    };
    f.Get<ui::Button>("btnAnnulla").OnClick = [&f] { f.Close(); };
    f.Get<ui::Button>("btnChiudi").OnClick = [&f] { f.Close(); };
    const std::size_t n = config_.criteri.size();
    for (std::size_t i = 0; i < n; ++i) {
        const CampoRicerca& c = config_.criteri[i];
        ui::Edit& edit = f.Get<ui::Edit>(c.edit);
        ui::Edit& successivo = f.Get<ui::Edit>(config_.criteri[(i + 1) % n].edit);
        entry::BindHighlightRect(edit, f.Get<ui::Rectangle>(c.evidenzia));
        edit.OnKeyDown = [&successivo](ui::KeyEvent& k) { entry::ChainKeyDown(k, successivo); };
        criteri_.emplace_back(&edit, config_.formato->Type().Field(c.campo));
    }
}

// Each showing forgets the last text searched for and starts from the
// first criterion.
void FinestraRicerca::Mostra() {
    config_.ricordato->clear();
    form_.Get<ui::Edit>("txtTrova").SetText("");
    ui::ListBox& lstRecords = form_.Get<ui::ListBox>("lstRecords");
    if (lstRecords.Count() > 0) lstRecords.SetItemIndex(0);
    if (!criteri_.empty()) criteri_.front().first->SetFocus();
}

void FinestraRicerca::Chiudi() {
    lista_.Svuota();
    form_.Get<ui::Label>("lblAttendere").Hide();
}

// Lists the cards that match every criterion given. An archive that cannot
// be read is reported, the lines read so far staying in the list.
void FinestraRicerca::Cerca() {
    std::vector<Criterio> criteri;
    criteri.reserve(criteri_.size());
    for (const auto& [edit, campo] : criteri_)
        criteri.push_back({edit->Text(), campo});
    try {
        CercaSchede(form_, lista_, criteri, config_.archivio(), *config_.formato, config_.ordinata);
    } catch (const rtl::DataError&) {
        form_.Get<ui::Label>("lblAttendere").Hide();
        ui::ShowMessage(std::string(kMsgAccessoArchivio));
        return;
    }
    form_.Get<ui::Label>("lblTrovate")
        .SetText(config_.trovate + std::to_string(lista_.Lista().Count()) + config_.fineTrovate);
}

} // namespace common
