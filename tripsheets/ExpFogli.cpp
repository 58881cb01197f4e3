#include "tripsheets/ExpFogli.h"

#include "common/ExportWindow.h"
#include "tripsheets/FoglioRec.h"

TfrmExpFogli* frmExpFogli = nullptr;

namespace {

// The exported fields in grid order (grid column 0 holds the row number),
// with the header text and width of their column in the file.
const common::ColonnaEsportata kColonne[] = {
    {{"NumFoglio"}, {"Foglio di Marcia n.", 200}},
    {{"DataApertura"}, {"Data apertura", 180}},
    {{"OraApertura"}, {"Ora apertura", 180}},
    {{"DataChiusura"}, {"Data chiusura", 180}},
    {{"OraChiusura"}, {"Ora chiusura", 180}},
    {{"Ufficio"}, {"Ufficio emittente", 250}},
    {{"Conduttore"}, {"Conduttore", 250}},
    {{"TelCel"}, {"Tel. cel.", 200}},
    {{"Veicolo"}, {"Marca e modello veicolo", 300}},
    {{"Targa"}, {"Targa", 200}},
    {{"DataPar01"}, {"Data partenza", 180}},
    {{"OraPar01"}, {"Ora partenza", 180}},
    {{"KmPar01"}, {"Km partenza", 200}},
    {{"LuogoPar01"}, {"Luogo partenza", 300}},
    {{"DataArr01"}, {"Data arrivo", 180}},
    {{"OraArr01"}, {"Ora arrivo", 180}},
    {{"KmArr01"}, {"Km arrivo", 200}},
    {{"LuogoArr01"}, {"Luogo arrivo", 300}},
    {{"LitriTot"}, {"Tot. litri carburante", 200}},
    {{"ImportoTot"}, {"Tot. spesa carburante", 200}},
    {{"KmPercorsi"}, {"Tot. km percorsi", 400}},
};

common::ConfigFinestraEsportazione Configurazione() {
    common::ConfigFinestraEsportazione c;
    c.layout = "tripsheets/ExpFogli.layout";
    c.esportazione.record = &tripsheets::TFoglioRec;
    c.esportazione.file = "Fogli_di_Marcia.xls";
    c.esportazione.foglio = "Riepilogo Fogli di Marcia";
    c.esportazione.colonne.assign(std::begin(kColonne), std::end(kColonne));
    c.titoloGuida = "Esportazione archivio Fogli di Marcia in Excel";
    c.guida = "tripsheets/ExpFogli.help";
    c.sfondo = {"panContainer", "grdRecords", "imgLogo", "icoHand", "shpStriscia", "bkgInfo"};
    return c;
}

} // namespace

TfrmExpFogli::TfrmExpFogli(ui::Application& app, ui::Form* owner)
    : common::TfrmEsportazione(app, owner, Configurazione()), controls::ExpFogli(this) {}
