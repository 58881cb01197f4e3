#include "gate/ExpVisite.h"

#include "common/Commands.h"
#include "gate/Visite.h"

TfrmExpVisite* frmExpVisite = nullptr;

namespace {

// The header cell of each field in the file, in record order (grid columns
// 1 to 16; column 0 holds the record number and is not exported).
const common::ColonnaExcel kIntestazioni[] = {
    {"Data ingresso", 180},
    {"Ora ingresso", 180},
    {"Operatore entrata", 250},
    {"Marca e modello veicoli", 250},
    {"Targa", 200},
    {"Conduttore", 250},
    {"Altre persone a bordo", 300},
    {"Merce trasportata", 300},
    {"Foglio di marcia", 250},
    {"Tessere", 250},
    {"Luogo destinazione", 250},
    {"Cellulare", 180},
    {"Note", 300},
    {"Data uscita", 180},
    {"Ora uscita", 180},
    {"Operatore uscita", 250},
};

common::ConfigEsportazione Configurazione() {
    common::ConfigEsportazione c;
    c.archivio = gate::ArchivioVisite;
    c.record = &gate::TVisitaRec;
    c.file = "Ingressi_e_Uscite_Veicoli.xls";
    c.foglio = "Ingressi e Uscite Veicoli";
    c.intestazioni.assign(std::begin(kIntestazioni), std::end(kIntestazioni));
    for (std::string_view campo : gate::kCampiVisita)
        c.celle.push_back(common::Campo(campo));
    return c;
}

} // namespace

TfrmExpVisite::TfrmExpVisite(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/ExpVisite.layout"), panContainer(Get<ui::Panel>("panContainer")),
      grdRecords(Get<ui::StringGrid>("grdRecords")), cmdEsporta(Get<ui::Picture>("cmdEsporta")),
      cmdGuida(Get<ui::Picture>("cmdGuida")), cmdEsci(Get<ui::Picture>("cmdEsci")),
      panInfo(Get<ui::Label>("panInfo")), esportazione_(grdRecords, Configurazione()) {
    common::LegaEsportazione(*this, esportazione_, "Esportazione archivio ingressi e uscite veicoli in Excel",
                             "gate/ExpVisite.help", {"panContainer", "grdRecords", "shpInfo", "shpSfondo"});
}
