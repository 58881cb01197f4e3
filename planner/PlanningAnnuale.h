#pragma once
// The planner's year sheet as a document ("Planning Annuale"): one landscape
// A4 page with an "X" in the box of every booked day, the vehicle and the
// moment of printing. A failure reaches the standard error box and leaves
// the dialog open.
#include "common/DialogoDocumento.h"

class TfrmPlanning;

namespace planner {

// The planner's part of the document: the year, the vehicle and an "X" for
// every day whose booked picture shows (never what the bookings say).
void RiempiPlanningAnnuale(report::Report& rep, const TfrmPlanning& p);

// The document of the print (false) or of the preview (true).
common::ConfigDocumento PlanningAnnuale(bool anteprima);

} // namespace planner
