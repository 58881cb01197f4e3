#pragma once
// What the search windows share: the criteria panel (each criteria edit
// highlighted while focused, Enter moving round the edits), the search
// command with its count of criteria and of cards found, the result panel
// (find-next, the printed list, the recall on a double click) and the
// closing that empties the list. Each window names its criteria, its
// archive, its line layout, its texts and its recall.
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "common/ListWindow.h"
#include "common/SearchWindow.controls.h"
#include "platform/report/Report.h"
#include "platform/ui/Form.h"

namespace common {

// A criteria edit, the record field it stands for and the highlight
// rectangle behind it. Enter moves from each edit to the next one given,
// from the last back to the first.
struct CampoRicerca {
    std::string edit;
    std::string campo;
    std::string evidenzia;
};

struct ConfigRicerca {
    std::vector<CampoRicerca> criteri;
    // The archive searched, asked at every search (a failure is reported as
    // one to read the archive).
    std::function<std::string()> archivio;
    const FormatoRiga* formato = nullptr;
    bool ordinata = true;     // sorted by the lines, or in file order
    std::string titoloStampa; // of the printed list
    std::string trovate;      // lblTrovate: `trovate` + count + `fineTrovate`
    std::string fineTrovate;
    ui::Rectangle* evidenziaTrova = nullptr; // the find field's highlight, where the window has one
    std::string* ricordato = nullptr;        // the last text searched for, when it outlives the window
};

class FinestraRicerca {
public:
    // Wires the controls that every search window has (`controlli`, the
    // window's own) and the window's OnShow and OnClose. `richiama` serves
    // the double click of a line.
    FinestraRicerca(ui::Form& form, const controls::SearchWindow& controlli, ListaRecord& lista,
                    report::Report& stampa, ConfigRicerca config, std::function<void()> richiama);
    FinestraRicerca(const FinestraRicerca&) = delete;
    FinestraRicerca& operator=(const FinestraRicerca&) = delete;

private:
    void Mostra();
    void Chiudi();
    void Cerca();

    ui::Form& form_;
    const controls::SearchWindow& c_;
    ListaRecord& lista_;
    report::Report& stampa_;
    ConfigRicerca config_;
    std::vector<std::pair<ui::Edit*, FieldRef>> criteri_;
    std::string ricordato_;
};

} // namespace common
