#pragma once
// The trip sheet as a document: the trip sheet shown in the trip-sheet
// window, as its edits stand (saved or not), on one A4 page ("Foglio di
// Marcia"), printed through the print dialog or shown in the preview window.
#include "common/DialogoDocumento.h"

namespace tripsheets {

// The document of the print (false) or of the preview (true); they differ
// in that last step and in the failure text.
common::ConfigDocumento FoglioDiMarcia(bool anteprima);

} // namespace tripsheets
