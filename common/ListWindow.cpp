#include "common/ListWindow.h"

#include "common/Archive.h"

namespace common {

void ListaRecord::Imposta(std::vector<VoceLista> voci, int larghezza) {
    VociLista tutte;
    std::size_t bytes = 0;
    for (const VoceLista& v : voci)
        bytes += v.riga.size();
    tutte.righe.reserve(voci.size(), bytes);
    tutte.numeri.reserve(voci.size());
    for (const VoceLista& v : voci) {
        tutte.righe.push_back(v.riga);
        tutte.numeri.push_back(v.numero);
    }
    Imposta(std::move(tutte), larghezza);
}

void ListaRecord::Imposta(VociLista voci, int larghezza) {
    numeri_ = std::move(voci.numeri);
    ui::Font font;
    font.family = "Courier New";
    font.size = 12;
    font.color = ui::colors::Black;
    lst_.SetItemFont(font);
    lst_.TakeItems(std::move(voci.righe));
    lst_.SetItemWidth(larghezza);
    lst_.SetShowScrollBars(true);
}

void ListaRecord::Riempi(const std::function<void(VociLista&)>& costruisci, int larghezza) {
    lst_.Clear();
    numeri_.clear();
    VociLista voci;
    try {
        costruisci(voci);
    } catch (...) {
        // The lines read so far are shown, whatever failed; the failure goes on.
        Imposta(std::move(voci), larghezza);
        throw;
    }
    Imposta(std::move(voci), larghezza);
}

void ListaRecord::Costruisci(const std::string& path, const FormatoRiga& formato, const FiltroRecord& filtro,
                             bool ordinata, int larghezza) {
    Riempi([&](VociLista& voci) { CostruisciVoci(voci, path, formato, filtro, ordinata); }, larghezza);
}

std::optional<std::int64_t> ListaRecord::NumeroSelezionato() const {
    const int i = lst_.ItemIndex();
    if (i < 0 || std::size_t(i) >= numeri_.size() || numeri_[std::size_t(i)] == 0) return std::nullopt;
    return numeri_[std::size_t(i)];
}

std::optional<std::int64_t> ListaRecord::Richiama(const std::string& path, Record& buffer) const {
    const auto numero = NumeroSelezionato();
    if (!numero) return std::nullopt;
    Archivio archivio(path, buffer.Type());
    archivio.Leggi(*numero, buffer);
    archivio.Chiudi();
    return numero;
}

void ListaRecord::Svuota() {
    lst_.Clear();
    numeri_.clear();
}

namespace {
bool CostruisciOAvvisa(const std::function<void()>& costruisci) {
    try {
        costruisci();
        return true;
    } catch (const rtl::DataError&) {
        ui::ShowMessage(std::string(kMsgAccessoArchivio));
        return false;
    }
}
} // namespace

bool CostruisciLista(ListaRecord& lista, const std::string& path, const FormatoRiga& formato,
                     const FiltroRecord& filtro, bool ordinata, int larghezza) {
    return CostruisciOAvvisa([&] { lista.Costruisci(path, formato, filtro, ordinata, larghezza); });
}

void TrovaNellaLista(ui::ListBox& lst, const ui::Edit& txtTrova, std::string& ricordato) {
    if (lst.Count() == 0) {
        ui::ShowMessage(std::string(kMsgListaVuota));
        return;
    }
    // The lines are searched in memory: no failure of the data can reach here.
    const int riga = TrovaSuccessiva(lst.Items(), lst.ItemIndex(), txtTrova.Text(), ricordato);
    lst.SetItemIndex(riga);
}

void TrovaKeyDown(ui::KeyEvent& key, ui::Control& btnTrova) {
    if (key.key == ui::vk::Return) btnTrova.SetFocus();
}

void CercaSchede(const PannelliRicerca& p, ListaRecord& lista, std::span<const Criterio> criteri,
                 const std::string& path, const FormatoRiga& formato, bool ordinata) {
    const RicercaMultipla ricerca(criteri);
    p.lblConta.SetText(std::to_string(ricerca.CriteriDati()));
    FiltroRecord filtro;
    if (ricerca.CriteriDati() > 0)
        filtro = [&](const RecordView& r) { return ricerca.Corrisponde(r.Bytes()); };
    lista.Costruisci(path, formato, filtro, ordinata);
    p.panContainer.SetVisible(true);
    p.panAvvio.SetVisible(false);
    p.txtTrova.SetText("");
    p.txtTrova.SetFocus();
}

} // namespace common
