#include "drivers/StampaConduttore.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "drivers/Anagrafica.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Date.h"
#include "platform/rtl/Text.h"

TfrmStampaConduttore* frmStampaConduttore = nullptr;

namespace {

// The memos that show one edit of the card as it is.
const std::vector<std::string> kMemo = {
    "txtConducente",    "txtPatenti", "txtRecapito",  "txtVia",   "txtCap",     "txtCompensi",
    "txtTelCasa",       "txtTelUff",  "txtTelCel",    "txtFax",   "txtEmail",   "txtCodFisc",
    "txtPartitaIva",    "txtIban",    "txtVeicolo",   "txtMarca", "txtModello", "txtColore",
    "txtAlimentazione", "txtTarga",   "txtProgramma", "txtNote",
};

std::string Testo(const ui::Form& card, const char* control) {
    return rtl::Trim(card.Get<ui::Control>(control).Text());
}

} // namespace

TfrmStampaConduttore::TfrmStampaConduttore(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/StampaConduttore.layout"), btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnStampa(Get<ui::Button>("btnStampa")),
      repDocumento(report::Report::fromResource("drivers/SchedaConduttore.report")) {
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
}

void TfrmStampaConduttore::btnStampaClick() {
    common::EseguiDocumento(
        *this, repDocumento, report::Orientation::Portrait, false,
        [this] {
            if (!frmAnagrafica) throw report::Error("scheda del conduttore assente");
            const ui::Form& card = *frmAnagrafica;
            common::RiempiMemo(repDocumento, card, kMemo);
            repDocumento.memo("txtCitta").setText(Testo(card, "txtCitta") + " " + Testo(card, "txtProv"));
            repDocumento.memo("txtCarta")
                .setText(Testo(card, "txtCarta") + "  Scadenza: " + Testo(card, "txtScadeCarta"));
            const rtl::DateTime now = rtl::Now();
            repDocumento.memo("txtCalce")
                .setText("Stampa eseguita in data " + rtl::FormatDate(now.date) + " alle ore " +
                         rtl::FormatLongTime(now.time));
        },
        common::kMsgStampaDocumentoFoto);
}

void TfrmStampaConduttore::btnAnnullaClick() {
    Close();
}
