#include "tripsheets/TrovaFogli.h"

#include "common/Reports.h"
#include "platform/rtl/Text.h"
#include "tripsheets/FoglioRec.h"

TfrmTrovaFogli* frmTrovaFogli = nullptr;

namespace {

// The criteria edits in the order of the Enter chain, with the field each
// stands for and the highlight rectangle behind it; Enter moves to the next
// one, from the last back to the first. The sheets found are listed in file
// order.
common::ConfigRicerca ConfigTrovaFogli(std::function<std::string()> archivio) {
    common::ConfigRicerca c;
    c.criteri = {
        {"txtNumFoglio", "NumFoglio", "effCampo01"},       {"txtUfficio", "Ufficio", "effCampo02"},
        {"txtDataApertura", "DataApertura", "effCampo03"}, {"txtDataChiusura", "DataChiusura", "effCampo04"},
        {"txtConduttore", "Conduttore", "effCampo05"},     {"txtTelCel", "TelCel", "effCampo06"},
        {"txtVeicolo", "Veicolo", "effCampo07"},           {"txtTarga", "Targa", "effCampo08"},
        {"txtLuogoPar01", "LuogoPar01", "effCampo09"},     {"txtLuogoArr01", "LuogoArr01", "effCampo10"},
    };
    c.archivio = std::move(archivio);
    c.formato = &tripsheets::FormatoFoglio();
    c.ordinata = false;
    c.titoloStampa = "Riepilogo Fogli di Marcia";
    c.trovate = "Il presente elenco contiene ";
    c.fineTrovate = " schede.";
    return c;
}

} // namespace

TfrmTrovaFogli::TfrmTrovaFogli(ui::Application& app, ui::Form* owner, tripsheets::RitornoFoglio* ritorno)
    : ui::Form(app, owner, "tripsheets/TrovaFogli.layout"), controls::SearchWindow(this),
      controls::TrovaFogli(this), frxReport(common::RiepilogoDati()), ritorno_(ritorno), lista_(lstRecords),
      ricerca_(*this, *this, lista_, frxReport, ConfigTrovaFogli([this] { return archivio_; }),
               [this] { lstRecordsDblClick(); }) {}

// Only the trip-sheet window receives a sheet; the search closes in any case.
void TfrmTrovaFogli::lstRecordsDblClick() {
    if (rtl::Trim(lblMemory.Text()) == "fogli") tripsheets::RichiamaFoglio(lista_, archivio_, ritorno_);
    Close();
}
