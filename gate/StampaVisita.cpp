#include "gate/StampaVisita.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "gate/Registro.h"
#include "gate/Visite.h"
#include "platform/rtl/Clock.h"

TfrmStampaVisita* frmStampaVisita = nullptr;

TfrmStampaVisita::TfrmStampaVisita(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/StampaVisita.layout"), btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnStampa(Get<ui::Button>("btnStampa")),
      repDocumento(report::Report::fromResource("gate/StampaVisita.report")) {
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { Close(); };
}

// Both copies from the card's sixteen edits, trimmed; the footer with the
// moment of printing to the second. Any failure is reported; the window
// closes in every case.
void TfrmStampaVisita::btnStampaClick() {
    static const std::vector<std::string> memo = [] {
        std::vector<std::string> names;
        for (std::string_view campo : gate::kCampiVisita)
            names.push_back("txt" + std::string(campo));
        return names;
    }();
    common::EseguiDocumento(
        *this, repDocumento, report::Orientation::Portrait, false,
        [this] {
            if (!frmRegistro) throw report::Error("scheda dei visitatori assente");
            common::RiempiMemo(repDocumento, *frmRegistro, memo, "_A");
            common::RiempiMemo(repDocumento, *frmRegistro, memo, "_B");
            const rtl::DateTime now = rtl::Now();
            repDocumento.memo("txtCalce")
                .setText("Stampa eseguita in data " + rtl::FormatDate(now.date) + " alle ore " +
                         rtl::FormatLongTime(now.time));
        },
        common::kMsgStampaNonRiuscita);
}
