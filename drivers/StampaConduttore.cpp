#include "drivers/StampaConduttore.h"

#include <string>
#include <vector>

#include "common/Reports.h"
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

void RiempiSchedaConduttore(report::Report& rep, const ui::Form& card) {
    common::RiempiMemo(rep, card, kMemo);
    rep.GetMemo("txtCitta").SetText(Testo(card, "txtCitta") + " " + Testo(card, "txtProv"));
    rep.GetMemo("txtCarta").SetText(Testo(card, "txtCarta") + "  Scadenza: " + Testo(card, "txtScadeCarta"));
}

TfrmStampaConduttore::TfrmStampaConduttore(ui::Application& app, ui::Form* owner)
    : common::TfrmDocumento(app, owner, "drivers/StampaConduttore.layout",
                            {"drivers/SchedaConduttore.report", nullptr, common::kMsgStampaDocumentoFoto}),
      controls::StampaConduttore(this) {}
