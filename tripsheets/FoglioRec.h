#pragma once
// The trip-sheet record and the files of the trip sheets: the year archives
// ("<yyyy>.fdm", named in the trip-sheet window's lblFile), the settings file
// "Fogli_di_Marcia.ini" and the list line of a sheet that the open-sheet list
// and the search share.
#include <string>
#include <string_view>

#include "common/ListLayout.h"
#include "common/Records.h"

namespace tripsheets {

using common::TFoglioRec;

// The settings file "Fogli_di_Marcia.ini" in the data folder, one value
// read or written at a time: the numbering start ([Numerazione Fogli di
// Marcia] Inizio) and the last issuing office ([Fogli di Marcia] Ufficio
// Emittente). A missing file, section or key reads empty; a file that cannot
// be read or written raises rtl::FileError. Each change holds the file's lock
// from its read to its write, so changes made at once by several
// workstations all stay. Line breaks in the office are written as blanks.
std::string InizioNumerazione();
void ScriviInizioNumerazione(std::string_view inizio);
std::string UfficioEmittente();
void ScriviUfficioEmittente(std::string_view ufficio);

// A sheet is open while its trimmed closing date is empty.
bool FoglioAperto(const common::RecordView& foglio);

// The list line of a sheet: number, opening date and time, driver, mobile
// and vehicle in padded columns (144 characters), then the plate; the
// layout resolved once.
const common::FormatoRiga& FormatoFoglio();

} // namespace tripsheets
