#include "drivers/ExpAnagrafica.h"

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

common::ConfigFinestraEsportazione Configurazione() {
    common::ConfigFinestraEsportazione c;
    c.layout = "drivers/ExpAnagrafica.layout";
    c.esportazione.archivio = drivers::PercorsoArchivioConduttori;
    c.esportazione.record = &drivers::TConduttoreRec;
    c.esportazione.file = "Conducenti.xls";
    c.esportazione.foglio = "Anagrafica Conduttori";
    c.esportazione.colonne.assign(std::begin(kColonne), std::end(kColonne));
    c.titoloGuida = "Esportazione archivio conduttori in Excel";
    c.guida = "drivers/ExpAnagrafica.help";
    c.sfondo = {"panContainer", "grdRecords", "imgLogo", "icoHand", "bkgStriscia", "bkgInfo"};
    return c;
}

} // namespace

TfrmExpAnagrafica::TfrmExpAnagrafica(ui::Application& app, ui::Form* owner)
    : common::TfrmEsportazione(app, owner, Configurazione()), controls::ExpAnagrafica(this) {}
