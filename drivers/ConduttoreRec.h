#pragma once
// The driver record and its archive "Conducenti.pro". The record type itself
// is declared with the other archive records (common/Records.h); here is what
// the driver windows add: the archive's path and the list line of a driver
// shared by the search and the three driver lists.
#include <cstddef>
#include <string>
#include <string_view>

#include "common/ListLayout.h"
#include "common/Records.h"

namespace drivers {

using common::TConduttoreRec;

inline constexpr std::string_view kArchivioConduttori = "Conducenti.pro";

// The values of the two flag fields.
inline constexpr std::string_view kSi = "Sì";
inline constexpr std::string_view kNo = "No";

// The data folder + "Conducenti.pro".
std::string PercorsoArchivioConduttori();

// The list line of a driver: name (padded to `larghezza`), mobile phone,
// make and model (padded to `larghezza`), plate, then `prima` and the field
// `ultimo` trimmed, neither padded nor cut; the layout resolved once.
common::FormatoRiga FormatoConduttore(std::size_t larghezza, std::string_view prima, std::string_view ultimo);

} // namespace drivers
