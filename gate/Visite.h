#pragma once
// What the gate-register windows share: the visit record's fields in card
// order, the year archive that the visit card has open, today's date as the
// lists compare it, the list lines of the visit lists and the recall of a
// listed visit into the card.
#include <array>
#include <string>
#include <string_view>

#include "common/ListWindow.h"
#include "common/Records.h"

namespace gate {

using common::TVisitaRec;

// The sixteen fields in record order; the card shows each in "txt" + name.
inline constexpr std::array<std::string_view, 16> kCampiVisita = {
    "DataEnt", "OraEnt",  "OperatoreEnt", "Veicolo", "Targa", "Conduttore", "Persone", "Merce",
    "Foglio",  "Tessere", "Luogo",        "TelCel",  "Note",  "DataUsc",    "OraUsc",  "OperatoreUsc",
};

// The trimmed path in the visit card's lblFile (the year the card has open).
// Without the card there is no year to read: throws AccessoArchivio.
std::string ArchivioVisite();

// Today as dd/mm/yyyy, always with "/".
std::string TestoOggi();

// The trimmed stored bytes of a field (windows-1252), without a copy: what
// the filters compare with texts of digits and "/".
std::string_view CampoGrezzo(const common::RecordView& visita, common::FieldRef campo);

// The list lines: vehicle (30), "  Targa: " plate (12), then each list's own
// columns, "  Conduttore: " and the driver whole.
// Each layout is resolved once.
const common::FormatoRiga& FormatoUscitiOggi();
const common::FormatoRiga& FormatoEntratiOggi();
const common::FormatoRiga& FormatoNonUsciti();
// The line of the search: vehicle (28), plate, entry and exit, driver.
const common::FormatoRiga& FormatoTrovaVisite();

// Loads the visit of the selected line into the visit card (its sixteen
// edits and lblPosizione). False when no line is selected; throws when the
// card cannot be read, and the card then keeps what it showed.
bool RichiamaVisita(const common::ListaRecord& lista);

} // namespace gate
