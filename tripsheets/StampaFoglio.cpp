#include "tripsheets/StampaFoglio.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "platform/rtl/Text.h"
#include "tripsheets/Fogli.h"

TfrmStampaFoglio* frmStampaFoglio = nullptr;

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

DialogoFoglio::DialogoFoglio(ui::Application& app, ui::Form* owner, const char* layout, bool anteprima)
    : ui::Form(app, owner, layout), btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnStampa(Get<ui::Button>("btnStampa")),
      repDocumento(report::Report::fromResource("tripsheets/FoglioDiMarcia.report")), anteprima_(anteprima) {
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { Close(); };
}

void DialogoFoglio::btnStampaClick() {
    common::EseguiDocumento(
        *this, repDocumento, report::Orientation::Portrait, anteprima_,
        [this] {
            if (!frmFogli) throw report::Error("finestra dei Fogli di Marcia assente");
            const auto testo = [](const ui::Edit& e) { return rtl::Trim(e.Text()); };
            repDocumento.memo("txtIntestazione")
                .setText("FOGLIO DI MARCIA N. " + testo(frmFogli->txtNumFoglio));
            common::RiempiMemo(repDocumento, *frmFogli, MemoDati());
            repDocumento.memo("txtDataChiusura")
                .setText("DATA CHIUSURA:  " + testo(frmFogli->txtDataChiusura));
            repDocumento.memo("txtOraChiusura").setText("ORA CHIUSURA:  " + testo(frmFogli->txtOraChiusura));
        },
        anteprima_ ? common::kMsgAnteprimaNonRiuscita : common::kMsgStampaNonRiuscita);
}

} // namespace tripsheets
