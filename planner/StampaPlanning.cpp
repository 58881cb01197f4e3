#include "planner/StampaPlanning.h"

#include <string>

#include "common/GiorniPlanner.h"
#include "common/Reports.h"
#include "planner/Planning.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Date.h"
#include "platform/rtl/Text.h"

TfrmStampaPlanning* frmStampaPlanning = nullptr;

namespace planner {

DialogoPlanning::DialogoPlanning(ui::Application& app, ui::Form* owner, const char* layout, bool anteprima)
    : ui::Form(app, owner, layout), btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnStampa(Get<ui::Button>("btnStampa")),
      repDocumento(report::Report::fromResource("planner/PlanningAnnuale.report")), anteprima_(anteprima) {
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
}

// The sheet shows which days are booked (the booked picture's visibility),
// never what the bookings say.
void DialogoPlanning::Riempi() {
    if (!frmPlanning) throw report::Error("finestra del planner assente");
    const TfrmPlanning& p = *frmPlanning;
    repDocumento.memo("txtTitolo").setText("PLANNER PRENOTAZIONI ANNO " + rtl::Trim(p.txtAnno.Text()));
    repDocumento.memo("txtVeicolo").setText(rtl::Trim(p.txtVeicolo.Text()));
    repDocumento.memo("txtModello")
        .setText(rtl::Trim(p.txtMarca.Text()) + " " + rtl::Trim(p.txtModello.Text()));
    repDocumento.memo("txtTarga").setText(rtl::Trim(p.txtTarga.Text()));
    for (const Giorno& g : Giorni())
        repDocumento.memo(NomeCella("txt", g)).setText(p.Cella(g.index).occ.Visible() ? "X" : " ");
    const rtl::DateTime now = rtl::Now();
    repDocumento.memo("txtCalce")
        .setText("Stampa eseguita in data " + rtl::FormatDate(now.date) + " alle ore " +
                 rtl::FormatLongTime(now.time));
}

void DialogoPlanning::btnStampaClick() {
    common::EseguiDocumento(
        *this, repDocumento, report::Orientation::Landscape, anteprima_, [this] { Riempi(); }, "");
}

void DialogoPlanning::btnAnnullaClick() {
    Close();
}

} // namespace planner
