#include "common/ListWindow.h"

#include "common/Archive.h"

namespace common {

void ListaRecord::Imposta(std::vector<VoceLista> voci, int larghezza) {
    std::vector<std::string> righe;
    righe.reserve(voci.size());
    numeri_.clear();
    numeri_.reserve(voci.size());
    for (VoceLista& v : voci) {
        righe.push_back(std::move(v.riga));
        numeri_.push_back(v.numero);
    }
    ui::Font font;
    font.family = "Courier New";
    font.size = 12;
    font.color = ui::colors::Black;
    lst_.SetItemFont(font);
    lst_.SetItems(std::move(righe));
    lst_.SetItemWidth(larghezza);
    lst_.SetShowScrollBars(true);
}

void ListaRecord::Costruisci(const std::string& path, const RecordType& type, const RigaDiRecord& riga,
                             bool ordinata, int larghezza) {
    lst_.Clear();
    numeri_.clear();
    std::vector<VoceLista> voci;
    try {
        CostruisciVoci(voci, path, type, riga, ordinata);
    } catch (...) {
        Imposta(std::move(voci), larghezza);
        throw;
    }
    Imposta(std::move(voci), larghezza);
}

std::optional<std::int64_t> ListaRecord::NumeroSelezionato() const {
    const int i = lst_.ItemIndex();
    if (i < 0 || std::size_t(i) >= numeri_.size() || numeri_[std::size_t(i)] == 0) return std::nullopt;
    return numeri_[std::size_t(i)];
}

std::optional<std::int64_t> ListaRecord::Richiama(const std::string& path, Record& buffer) const {
    const auto numero = NumeroSelezionato();
    if (!numero) return std::nullopt;
    Archivio archivio(path, buffer.type());
    archivio.Leggi(*numero, buffer);
    archivio.Chiudi();
    return numero;
}

void ListaRecord::Svuota() {
    lst_.Clear();
    numeri_.clear();
}

bool CostruisciLista(ListaRecord& lista, const std::string& path, const RecordType& type, const RigaDiRecord& riga,
                     bool ordinata, int larghezza) {
    try {
        lista.Costruisci(path, type, riga, ordinata, larghezza);
        return true;
    } catch (...) {
        ui::ShowMessage(std::string(kMsgAccessoArchivio));
        return false;
    }
}

void TrovaNellaLista(ui::ListBox& lst, const ui::Edit& txtTrova, std::string& ricordato) {
    if (lst.Count() == 0) {
        ui::ShowMessage(std::string(kMsgListaVuota));
        return;
    }
    try {
        const int riga = TrovaSuccessiva(lst.Items(), lst.ItemIndex(), txtTrova.Text(), ricordato);
        lst.SetItemIndex(riga);
    } catch (...) {
        // A failed search changes nothing and says nothing.
    }
}

void TrovaKeyDown(ui::KeyEvent& key, ui::Control& btnTrova) {
    if (key.key == ui::vk::Return) btnTrova.SetFocus();
}

void CercaSchede(ui::Form& form, ListaRecord& lista, std::span<const Criterio> criteri, const std::string& path,
                 const RecordType& type, const RigaDiRecord& riga, bool ordinata) {
    const RicercaMultipla ricerca(criteri);
    form.Get<ui::Label>("lblConta").SetText(std::to_string(ricerca.criteriDati()));
    lista.Costruisci(path, type, [&](const RecordView& r) -> std::optional<std::string> {
        if (!ricerca.corrisponde(r.bytes())) return std::nullopt;
        return riga(r);
    }, ordinata);
    form.Get<ui::Control>("panContainer").SetVisible(true);
    form.Get<ui::Control>("panAvvio").SetVisible(false);
    ui::Edit& txtTrova = form.Get<ui::Edit>("txtTrova");
    txtTrova.SetText("");
    txtTrova.SetFocus();
}

} // namespace common
