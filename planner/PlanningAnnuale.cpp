#include "planner/PlanningAnnuale.h"

#include <string>

#include "common/GiorniPlanner.h"
#include "planner/Planning.h"
#include "platform/rtl/Text.h"

namespace planner {

void RiempiPlanningAnnuale(report::Report& rep, const TfrmPlanning& p) {
    rep.GetMemo("txtTitolo").SetText("PLANNER PRENOTAZIONI ANNO " + rtl::Trim(p.txtAnno.Text()));
    rep.GetMemo("txtVeicolo").SetText(rtl::Trim(p.txtVeicolo.Text()));
    rep.GetMemo("txtModello").SetText(rtl::Trim(p.txtMarca.Text()) + " " + rtl::Trim(p.txtModello.Text()));
    rep.GetMemo("txtTarga").SetText(rtl::Trim(p.txtTarga.Text()));
    for (const Giorno& g : Giorni())
        rep.GetMemo(NomeCella("txt", g)).SetText(p.Cella(g.index).occ.Visible() ? "X" : " ");
}

common::ConfigDocumento PlanningAnnuale(bool anteprima) {
    return {.modello = "planner/PlanningAnnuale.report",
            .testoErrore = {}, // no catch: a failure reaches the standard error box
            .orientamento = report::Orientation::Landscape,
            .anteprima = anteprima};
}

} // namespace planner
