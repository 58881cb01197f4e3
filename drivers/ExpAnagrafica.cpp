#include "drivers/ExpAnagrafica.h"

#include "common/Commands.h"
#include "common/ExportColumns.h"
#include <vector>

#include "drivers/ConduttoreRec.h"

TfrmExpAnagrafica* frmExpAnagrafica = nullptr;

namespace {

// The exported fields in grid order (grid column 0 holds the record number),
// with the header text and width of their column in the file.
const common::ColonnaEsportata kColonne[] = {
    {{"Conducente"}, {"Cognome e nome", 250}},
    {{"Patenti"}, {"Patenti di guida", 250}},
    {{"Recapito"}, {"Recapito preferenziale", 250}},
    {{"Via"}, {"Via e numero civico", 300}},
    {{"Cap", "Citta", "Prov"}, {"Città", 250}},
    {{"Compensi"}, {"Compensi pattuiti", 250}},
    {{"TelCasa"}, {"Tel. casa", 200}},
    {{"TelUff"}, {"Tel. ufficio", 200}},
    {{"TelCel"}, {"Tel. cellulare", 200}},
    {{"Fax"}, {"PEC", 250}},
    {{"Email"}, {"E-mail", 250}},
    {{"CodFisc"}, {"Codice fiscale", 250}},
    {{"Carta"}, {"Carta di credito n.", 250}},
    {{"ScadeCarta"}, {"Data scadenza", 250}},
    {{"PartitaIva"}, {"Partita IVA", 250}},
    {{"Iban"}, {"IBAN", 300}},
    {{"Veicolo"}, {"Tipo veicolo", 250}},
    {{"Marca", "Modello"}, {"Marca e modello", 250}},
    {{"Colore"}, {"Colore", 200}},
    {{"Alimentazione"}, {"Alimentazione", 200}},
    {{"Targa"}, {"Targa", 200}},
    {{"Programma"}, {"Programma ferie", 250}},
    {{"Note"}, {"Note", 400}},
    {{"Ferie"}, {"In ferie", 150}},
    {{"Trasferte"}, {"Trasferte", 150}},
};

common::ConfigEsportazione Configurazione() {
    common::ConfigEsportazione c;
    c.archivio = drivers::PercorsoArchivioConduttori;
    c.record = &drivers::TConduttoreRec;
    c.file = "Conducenti.xls";
    c.foglio = "Anagrafica Conduttori";
    common::AggiungiColonne(c, kColonne);
    return c;
}

} // namespace

TfrmExpAnagrafica::TfrmExpAnagrafica(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/ExpAnagrafica.layout"), panContainer(Get<ui::Panel>("panContainer")),
      grdRecords(Get<ui::StringGrid>("grdRecords")), cmdEsporta(Get<ui::Picture>("cmdEsporta")),
      cmdGuida(Get<ui::Picture>("cmdGuida")), cmdEsci(Get<ui::Picture>("cmdEsci")),
      panInfo(Get<ui::Label>("panInfo")), esportazione_(grdRecords, Configurazione()) {
    common::LegaEsportazione(*this, esportazione_, "Esportazione archivio conduttori in Excel",
                             "drivers/ExpAnagrafica.help",
                             {"panContainer", "grdRecords", "imgLogo", "icoHand", "bkgStriscia", "bkgInfo"});
}
