#include "vehicles/TrovaAutomezzi.h"

#include <optional>

#include "common/ListWindow.h"
#include "common/Records.h"
#include "common/Reports.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"
#include "vehicles/AutomezzoRec.h"

TfrmTrovaAutomezzi* frmTrovaAutomezzi = nullptr;

namespace {

// The criteria edits in tab order, with the field each stands for and the
// highlight rectangle behind it; Enter moves round them in that order.
common::ConfigRicerca ConfigTrovaAutomezzi() {
    common::ConfigRicerca c;
    c.criteri = {
        {"txtTipo", "Tipo", "effCampo01"},
        {"txtDestinazione", "Destinazione", "effCampo02"},
        {"txtMarca", "Marca", "effCampo09"},
        {"txtModello", "Modello", "effCampo10"},
        {"txtTarga", "Targa", "effCampo05"},
        {"txtStato", "Stato", "effCampo06"},
        {"txtAutista", "Autista", "effCampo07"},
        {"txtMeccanico", "Meccanico", "effCampo08"},
        {"txtProprietario", "Proprietario", "effCampo03"},
        {"txtNote", "Note", "effCampo04"},
    };
    c.archivio = vehicles::PercorsoArchivioAutomezzi;
    c.formato = &FormatoTrovaAutomezzo();
    c.titoloStampa = "Riepilogo schede veicoli in archivio";
    c.trovate = "Il presente riepilogo contiene ";
    c.fineTrovate = " schede";
    return c;
}

} // namespace

common::FormatoRiga InizioFormatoAutomezzo() {
    common::FormatoRiga formato(common::TAutomezzoRec);
    formato.Colonna("Tipo", 20)
        .Testo("  ")
        .Colonna({"Marca", "Modello"}, 30)
        .Testo("  Targa: ")
        .Colonna("Targa", 12);
    return formato;
}

const common::FormatoRiga& FormatoTrovaAutomezzo() {
    static const common::FormatoRiga formato = std::move(InizioFormatoAutomezzo()
                                                             .Testo("  Titolare: ")
                                                             .Colonna("Proprietario", 30)
                                                             .Testo("  Anno: ")
                                                             .Colonna("Anno", 10)
                                                             .Testo("  Km: ")
                                                             .Ultima("Chilometri"));
    return formato;
}

TfrmTrovaAutomezzi::TfrmTrovaAutomezzi(ui::Application& app, ui::Form* owner, RitornoTrovaAutomezzi* ritorno)
    : ui::Form(app, owner, "vehicles/TrovaAutomezzi.layout"), controls::SearchWindow(this),
      controls::TrovaAutomezzi(this), frxReport(common::RiepilogoDati()), ritorno_(ritorno),
      automezzo_(common::TAutomezzoRec), lista_(lstRecords),
      ricerca_(*this, *this, lista_, frxReport, ConfigTrovaAutomezzi(), [this] { lstRecordsDblClick(); }) {}

// Hands the chosen vehicle back as the caller tag says, then closes the
// search. Failures are dropped: what was handed back stays.
void TfrmTrovaAutomezzi::lstRecordsDblClick() {
    try {
        const std::string chiamante = rtl::Trim(lblMemory.Text());
        const std::string archivio = vehicles::PercorsoArchivioAutomezzi();
        if (!ritorno_) {
            // Nobody to hand the vehicle to.
        } else if (chiamante == "autoparco") {
            if (const auto numero = lista_.Richiama(archivio, automezzo_))
                ritorno_->AutomezzoRichiamato(automezzo_, *numero);
        } else if (chiamante == "anagrafica") {
            if (lista_.Richiama(archivio, automezzo_))
                ritorno_->VeicoloConduttoreRichiamato(
                    {automezzo_.Get("Tipo"), automezzo_.Get("Marca"), automezzo_.Get("Modello"),
                     automezzo_.Get("Targa"), automezzo_.Get("Colore"), automezzo_.Get("Alimentazione")});
        } else if (chiamante == "registro") {
            if (lista_.Richiama(archivio, automezzo_))
                ritorno_->VeicoloVisitaRichiamato({automezzo_.Get("Marca") + " " + automezzo_.Get("Modello"),
                                                   automezzo_.Get("Targa"), automezzo_.Get("Autista")});
        }
    } catch (const rtl::DataError&) {
        // A vehicle that cannot be read is not handed back, without a word.
    }
    Close();
}
