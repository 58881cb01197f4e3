#include "common/DialogoDocumento.h"

#include "common/Reports.h"

namespace common {

TfrmDocumento::TfrmDocumento(ui::Application& app, ui::Form* owner, std::string_view layout,
                             ConfigDocumento config)
    : ui::Form(app, owner, layout), controls::DialogoDocumento(this),
      repDocumento(report::Report::FromResource(config.modello)), config_(std::move(config)) {
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
}

void TfrmDocumento::btnStampaClick() {
    EseguiDocumento(
        *this, repDocumento, config_.orientamento, config_.anteprima,
        [this] {
            if (!scheda_) throw report::Error("nessuna scheda da stampare");
            if (config_.riempi) config_.riempi(repDocumento);
            scheda_(repDocumento);
            if (repDocumento.Has("txtCalce")) repDocumento.GetMemo("txtCalce").SetText(PiePaginaDocumento());
        },
        config_.testoErrore);
}

void TfrmDocumento::btnAnnullaClick() {
    Close();
}

} // namespace common
