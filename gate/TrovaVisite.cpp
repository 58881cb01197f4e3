#include "gate/TrovaVisite.h"

#include "common/Archive.h"
#include "common/Reports.h"
#include "gate/Visite.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"

TfrmTrovaVisite* frmTrovaVisite = nullptr;

namespace {

// The last text searched for in the result list, for the whole run.
std::string ricordato;

// The criteria edits in tab order, "txt" + the field each stands for, with
// the highlight rectangle "eff" + field; Enter moves round them in that order.
common::ConfigRicerca ConfigTrovaVisite(std::function<std::string()> archivio) {
    common::ConfigRicerca c;
    for (const char* campo : {"DataEnt", "DataUsc", "Veicolo", "Targa", "Conduttore", "Foglio", "Persone",
                              "Merce", "Luogo", "Note"})
        c.criteri.push_back({std::string("txt") + campo, campo, std::string("eff") + campo});
    c.archivio = std::move(archivio);
    c.formato = &gate::FormatoTrovaVisite();
    c.titoloStampa = "Riepilogo ingressi e uscite veicoli";
    c.trovate = "Il presente riepilogo contiene ";
    c.fineTrovate = " schede.";
    c.ricordato = &ricordato;
    return c;
}

} // namespace

TfrmTrovaVisite::TfrmTrovaVisite(ui::Application& app, ui::Form* owner, gate::RitornoVisita* ritorno)
    : ui::Form(app, owner, "gate/TrovaVisite.layout"), controls::SearchWindow(this), controls::TrovaVisite(
                                                                                         this),
      frxReport(common::RiepilogoDati()), ritorno_(ritorno), lista_(lstRecords),
      ricerca_(*this, *this, lista_, frxReport, ConfigTrovaVisite([this] { return archivio_; }),
               [this] { lstRecordsDblClick(); }) {}

// With the caller tag "registro" the chosen visit goes into the visit card;
// the search then closes. A visit that cannot be read is reported and the
// search stays open, the card keeping its fields.
void TfrmTrovaVisite::lstRecordsDblClick() {
    if (rtl::Trim(lblMemory.Text()) == "registro") {
        try {
            gate::RichiamaVisita(lista_, archivio_, ritorno_);
        } catch (const rtl::DataError&) {
            ui::ShowMessage(std::string(common::kMsgAccessoArchivio));
            return;
        }
    }
    Close();
}
