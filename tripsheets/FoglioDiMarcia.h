#pragma once
// The trip sheet as a document: the trip sheet shown in the trip-sheet
// window, as its edits stand (saved or not), on one A4 page ("Foglio di
// Marcia"), printed through the print dialog or shown in the preview window.
#include "common/DialogoDocumento.h"

class TfrmFogli;

namespace tripsheets {

// The sheet's part of the document: the heading with the sheet's number, the
// data memos from the edits of the same names, then the closing with its
// captions.
void RiempiFoglioDiMarcia(report::Report& rep, const TfrmFogli& fogli);

// The document of the print (false) or of the preview (true); they differ
// in that last step and in the failure text.
common::ConfigDocumento FoglioDiMarcia(bool anteprima);

} // namespace tripsheets
