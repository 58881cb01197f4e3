#pragma once
// What list windows share on screen: filling `lstRecords` with list lines
// (each keeping its record number), find-next with the "Trova" button and
// the Enter key of the find field, the recall of the chosen record and the
// search command of the search windows.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/ListFind.h"
#include "common/ListLayout.h"
#include "common/ListSort.h"
#include "platform/ui/Ui.h"

namespace common {

inline constexpr std::string_view kMsgListaVuota =
    "Ricerca non applicabile: la lista non contiene nessuna voce.";
inline constexpr int kLarghezzaVoci = 1600;

class ListaRecord {
public:
    explicit ListaRecord(ui::ListBox& lst) : lst_(lst) {}

    // Puts the entries into the list box in their order: "Courier New" 12,
    // opaque black, the given item width, scroll bars shown.
    void Imposta(std::vector<VoceLista> voci, int larghezza = kLarghezzaVoci);
    void Imposta(VociLista voci, int larghezza = kLarghezzaVoci);

    // Builds the list from the archive at `path` (created empty when
    // missing): one line per record that `filtro` accepts (every record when
    // it is empty), as `formato` lays it out, sorted when asked. A failure
    // while reading keeps the lines read so far and is rethrown.
    void Costruisci(const std::string& path, const FormatoRiga& formato, const FiltroRecord& filtro,
                    bool ordinata, int larghezza = kLarghezzaVoci);

    // The record number of the selected line, or nothing when no line is
    // selected (or the line has no record).
    std::optional<std::int64_t> NumeroSelezionato() const;

    // The recall: reads the record of the selected line from the archive at
    // `path` into `buffer` and returns its number; nothing when no line is
    // selected. Throws when the record cannot be read.
    std::optional<std::int64_t> Richiama(const std::string& path, Record& buffer) const;

    // Removes every line (the list window's close).
    void Svuota();

    ui::ListBox& Lista() { return lst_; }

private:
    // Empties the list, builds the entries, shows them (those built so far
    // when building fails, which is rethrown).
    void Riempi(const std::function<void(VociLista&)>& costruisci, int larghezza);

    ui::ListBox& lst_;
    rtl::BigVector<std::uint32_t> numeri_;
};

// The show of a list window: builds the list as ListaRecord::Costruisci does.
// A failure to open or read the archive is never hidden: the lines read so
// far stay and the access message is shown in the plain message box, as the
// search does. False after a failure.
bool CostruisciLista(ListaRecord& lista, const std::string& path, const FormatoRiga& formato,
                     const FiltroRecord& filtro, bool ordinata, int larghezza = kLarghezzaVoci);

// "Trova": selects the next line holding the text of `txtTrova` (see
// TrovaSuccessiva). `ricordato` is the last text searched for, kept by the
// window (per window, or per window class where it outlives the window). An
// empty list gives the plain message box; other failures are dropped.
void TrovaNellaLista(ui::ListBox& lst, const ui::Edit& txtTrova, std::string& ricordato);

// The key-down handler of the find field: Enter moves the focus to "Trova"
// (it does not search).
void TrovaKeyDown(ui::KeyEvent& key, ui::Control& btnTrova);

// The controls of a search window that a search changes.
struct PannelliRicerca {
    ui::Label& lblConta;
    ui::Control& panAvvio;
    ui::Control& panContainer;
    ui::Edit& txtTrova;
};

// The search command of a search window: writes the number of criteria
// given into `lblConta`, lists the matching records (sorted by their lines,
// or in file order where the window's list is not sorted), then shows the
// result panel `panContainer`, hides the criteria panel `panAvvio`, empties
// `txtTrova` and gives it the focus. On a failure the lines read so far stay,
// the panels are left as they are, and the failure is rethrown for the
// window to report. The count line is the window's own.
void CercaSchede(const PannelliRicerca& pannelli, ListaRecord& lista, std::span<const Criterio> criteri,
                 const std::string& path, const FormatoRiga& formato, bool ordinata = true);

} // namespace common
