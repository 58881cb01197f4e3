#include "vehicles/ExpAutoparco.h"

#include "common/ExportWindow.h"
#include "common/Records.h"
#include "vehicles/AutomezzoRec.h"

TfrmExpAutoparco* frmExpAutoparco = nullptr;

namespace {

// The exported fields in grid order (grid column 0 holds the record number),
// with the header text and width of their column in the file.
const common::ColonnaEsportata kColonne[] = {
    {{"Tipo"}, {"Tipo veicolo", 250}},
    {{"Destinazione"}, {"Destinazione ed uso", 300}},
    {{"Marca"}, {"Marca", 250}},
    {{"Modello"}, {"Modello", 250}},
    {{"Targa"}, {"Targa", 200}},
    {{"Anno"}, {"Immatricolazione", 200}},
    {{"Colore"}, {"Colore", 250}},
    {{"Telaio"}, {"Telaio", 250}},
    {{"Pneumatici"}, {"Pneumatici", 300}},
    {{"Stato"}, {"Stato veicolo", 250}},
    {{"Chilometri"}, {"Km percorsi", 250}},
    {{"Alimentazione"}, {"Alimentazione", 250}},
    {{"Cilindrata"}, {"Cilindrata", 250}},
    {{"KW"}, {"kW", 250}},
    {{"Ambiente"}, {"Compatibilità ambientale", 250}},
    {{"Proprietario"}, {"Proprietario", 300}},
    {{"Autista"}, {"Autista", 250}},
    {{"TelAutista"}, {"Tel. autista", 200}},
    {{"Meccanico"}, {"Meccanico", 250}},
    {{"TelMeccanico"}, {"Tel. meccanico", 200}},
    {{"ScadRevisione"}, {"Scad. revisione", 200}},
    {{"ScadTagliando"}, {"Scad. tagliando", 200}},
    {{"ScadAssicurazione"}, {"Scad. assicurazione", 200}},
    {{"ScadBollo"}, {"Scad. bollo", 200}},
    {{"Note"}, {"Note", 400}},
};

common::ConfigFinestraEsportazione Configurazione() {
    common::ConfigFinestraEsportazione c;
    c.layout = "vehicles/ExpAutoparco.layout";
    c.esportazione.archivio = vehicles::PercorsoArchivioAutomezzi;
    c.esportazione.record = &common::TAutomezzoRec;
    c.esportazione.file = "Parco_Automezzi.xls";
    c.esportazione.foglio = "Parco Automezzi";
    c.esportazione.colonne.assign(std::begin(kColonne), std::end(kColonne));
    c.titoloGuida = "Esportazione archivio veicoli in Microsoft Excel";
    c.guida = "vehicles/ExpAutoparco.help";
    c.sfondo = {"panContainer", "grdRecords", "imgLogo", "icoHand", "bkgInfo"};
    return c;
}

} // namespace

TfrmExpAutoparco::TfrmExpAutoparco(ui::Application& app, ui::Form* owner)
    : common::TfrmEsportazione(app, owner, Configurazione()), controls::ExpAutoparco(this) {}
