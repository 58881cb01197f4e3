#include "gate/ExpVisite.h"

#include "gate/Visite.h"

TfrmExpVisite* frmExpVisite = nullptr;

namespace {

// The exported fields in record order (grid column 0 holds the record
// number), with the header text and width of their column in the file.
const common::ColonnaEsportata kColonne[] = {
    {{"DataEnt"}, {"Data ingresso", 180}},
    {{"OraEnt"}, {"Ora ingresso", 180}},
    {{"OperatoreEnt"}, {"Operatore entrata", 250}},
    {{"Veicolo"}, {"Marca e modello veicoli", 250}},
    {{"Targa"}, {"Targa", 200}},
    {{"Conduttore"}, {"Conduttore", 250}},
    {{"Persone"}, {"Altre persone a bordo", 300}},
    {{"Merce"}, {"Merce trasportata", 300}},
    {{"Foglio"}, {"Foglio di marcia", 250}},
    {{"Tessere"}, {"Tessere", 250}},
    {{"Luogo"}, {"Luogo destinazione", 250}},
    {{"TelCel"}, {"Cellulare", 180}},
    {{"Note"}, {"Note", 300}},
    {{"DataUsc"}, {"Data uscita", 180}},
    {{"OraUsc"}, {"Ora uscita", 180}},
    {{"OperatoreUsc"}, {"Operatore uscita", 250}},
};

common::ConfigFinestraEsportazione Configurazione() {
    common::ConfigFinestraEsportazione c;
    c.layout = "gate/ExpVisite.layout";
    c.esportazione.record = &gate::TVisitaRec;
    c.esportazione.file = "Ingressi_e_Uscite_Veicoli.xls";
    c.esportazione.foglio = "Ingressi e Uscite Veicoli";
    c.esportazione.colonne.assign(std::begin(kColonne), std::end(kColonne));
    c.titoloGuida = "Esportazione archivio ingressi e uscite veicoli in Excel";
    c.guida = "gate/ExpVisite.help";
    c.sfondo = {"panContainer", "grdRecords", "shpInfo", "shpSfondo"};
    return c;
}

} // namespace

TfrmExpVisite::TfrmExpVisite(ui::Application& app, ui::Form* owner)
    : common::TfrmEsportazione(app, owner, Configurazione()), controls::ExpVisite(this) {}
