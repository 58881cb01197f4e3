#include "tripsheets/FoglioDiMarcia.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "platform/rtl/Text.h"
#include "tripsheets/Fogli.h"

namespace tripsheets {

namespace {

// The memos filled straight from the edits of the same names, in order.
const std::vector<std::string>& MemoDati() {
    static const std::vector<std::string> memo = [] {
        std::vector<std::string> m = {"txtUfficio", "txtDataApertura", "txtOraApertura", "txtConduttore",
                                      "txtTelCel",  "txtVeicolo",      "txtTarga"};
        for (int i = 1; i <= 8; ++i) {
            const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
            for (const char* campo : {"txtDataPar", "txtOraPar", "txtKmPar", "txtLuogoPar", "txtDataArr",
                                      "txtOraArr", "txtKmArr", "txtLuogoArr"})
                m.push_back(campo + n);
        }
        for (const char* campo : {"txtDataRif", "txtOraRif", "txtStazione", "txtLitri", "txtImporto"})
            for (const char* n : {"01", "02", "03"})
                m.push_back(std::string(campo) + n);
        for (const char* campo :
             {"txtLitriTot", "txtImportoTot", "txtKmPartenza", "txtKmRientro", "txtKmPercorsi"})
            m.push_back(campo);
        return m;
    }();
    return memo;
}

} // namespace

void RiempiFoglioDiMarcia(report::Report& rep, const TfrmFogli& fogli) {
    const auto testo = [](const ui::Edit& e) { return rtl::Trim(e.Text()); };
    rep.GetMemo("txtIntestazione").SetText("FOGLIO DI MARCIA N. " + testo(fogli.txtNumFoglio));
    common::RiempiMemo(rep, fogli, MemoDati());
    rep.GetMemo("txtDataChiusura").SetText("DATA CHIUSURA:  " + testo(fogli.txtDataChiusura));
    rep.GetMemo("txtOraChiusura").SetText("ORA CHIUSURA:  " + testo(fogli.txtOraChiusura));
}

common::ConfigDocumento FoglioDiMarcia(bool anteprima) {
    return {.modello = "tripsheets/FoglioDiMarcia.report",
            .testoErrore = anteprima ? common::kMsgAnteprimaNonRiuscita : common::kMsgStampaNonRiuscita,
            .anteprima = anteprima};
}

} // namespace tripsheets
