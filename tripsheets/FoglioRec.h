#pragma once
// The trip-sheet record and the files of the trip sheets: the year archives
// ("<yyyy>.fdm", named in the trip-sheet window's lblFile), the settings file
// "Fogli_di_Marcia.ini" and the list line of a sheet that the open-sheet list
// and the search share.
#include <string>
#include <string_view>

#include "common/Records.h"

namespace tripsheets {

using common::TFoglioRec;

// The settings file, in the data folder, with its two values.
inline constexpr std::string_view kFileIni = "Fogli_di_Marcia.ini";
inline constexpr std::string_view kSezioneNumerazione = "Numerazione Fogli di Marcia";
inline constexpr std::string_view kChiaveInizio = "Inizio";
inline constexpr std::string_view kSezioneFogli = "Fogli di Marcia";
inline constexpr std::string_view kChiaveUfficio = "Ufficio Emittente";

// The data folder + "Fogli_di_Marcia.ini".
std::string PercorsoIniFogli();

// The year archive of the trip-sheet window: its lblFile, trimmed (empty
// while no window exists).
std::string PercorsoArchivioFogli();

// A sheet is open while its trimmed closing date is empty.
bool FoglioAperto(const common::RecordView& foglio);

// The list line of a sheet: number, opening date and time, driver, mobile
// and vehicle in padded columns (144 characters), then the plate.
std::string RigaFoglio(const common::RecordView& foglio);

} // namespace tripsheets
