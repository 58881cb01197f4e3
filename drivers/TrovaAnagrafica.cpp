#include "drivers/TrovaAnagrafica.h"

#include "common/Reports.h"
#include "drivers/ConduttoreRec.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"

TfrmTrovaAnagrafica* frmTrovaAnagrafica = nullptr;

const common::FormatoRiga& FormatoTrovaConduttore() {
    static const common::FormatoRiga formato = drivers::FormatoConduttore(30, "  Note: ", "Note");
    return formato;
}

namespace {

// The criteria edits in the order of the Enter ring, with the field each
// stands for and the highlight rectangle behind it.
common::ConfigRicerca ConfigTrovaAnagrafica(ui::Rectangle& effTrova) {
    common::ConfigRicerca c;
    c.criteri = {
        {"txtConducente", "Conducente", "effCampo01"}, {"txtCodFisc", "CodFisc", "effCampo02"},
        {"txtPatenti", "Patenti", "effCampo03"},       {"txtCitta", "Citta", "effCampo04"},
        {"txtVeicolo", "Veicolo", "effCampo05"},       {"txtTarga", "Targa", "effCampo06"},
        {"txtMarca", "Marca", "effCampo07"},           {"txtModello", "Modello", "effCampo08"},
        {"txtProgramma", "Programma", "effCampo09"},   {"txtNote", "Note", "effCampo10"},
    };
    c.archivio = drivers::PercorsoArchivioConduttori;
    c.formato = &FormatoTrovaConduttore();
    c.titoloStampa = "Riepilogo conduttori in archivio";
    c.trovate = "Il presente elenco contiene ";
    c.fineTrovate = " schede.";
    c.evidenziaTrova = &effTrova;
    return c;
}

} // namespace

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(ui::Application& app, ui::Form* owner,
                                         RitornoTrovaAnagrafica* ritorno)
    : ui::Form(app, owner, "drivers/TrovaAnagrafica.layout"), controls::SearchWindow(this),
      controls::TrovaAnagrafica(this), frxReport(common::RiepilogoDati()), ritorno_(ritorno),
      conduttore_(drivers::TConduttoreRec), lista_(lstRecords),
      ricerca_(*this, *this, lista_, frxReport, ConfigTrovaAnagrafica(effTrova),
               [this] { lstRecordsDblClick(); }) {}

// Hands the chosen driver back as the caller tag says, then closes the
// search. Failures are dropped: what was handed back stays.
void TfrmTrovaAnagrafica::lstRecordsDblClick() {
    try {
        const std::string chiamante = rtl::Trim(lblMemory.Text());
        const std::string archivio = drivers::PercorsoArchivioConduttori();
        if (!ritorno_) {
            // Nobody to hand the driver to.
        } else if (chiamante == "anagrafica") {
            if (const auto numero = lista_.Richiama(archivio, conduttore_))
                ritorno_->ConduttoreRichiamato(conduttore_, *numero);
        } else if (chiamante == "fogli") {
            if (lista_.Richiama(archivio, conduttore_))
                ritorno_->ConduttoreFoglioRichiamato(
                    {conduttore_.Get("Conducente"), conduttore_.Get("TelCel"),
                     conduttore_.Get("Marca") + " " + conduttore_.Get("Modello"), conduttore_.Get("Targa")});
        }
    } catch (const rtl::DataError&) {
        // A driver that cannot be read is not handed back, without a word.
    }
    Close();
}
