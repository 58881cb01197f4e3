#pragma once
// What the gate-register windows share: the visit record's fields in card
// order, today's date as the lists compare it, the list lines of the visit
// lists and the recall of a listed visit into the card.
#include <array>
#include <cstdint>
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

// The way back of the daily lists and the visit search: the visit card
// opens them on the year it has open and hands itself over; a recalled visit
// comes back through it.
class RitornoVisita {
public:
    // A visit read whole, with its record number.
    virtual void VisitaRichiamata(const common::Record& visita, std::int64_t numero) = 0;

protected:
    ~RitornoVisita() = default;
};

// Reads the visit of the selected line from `archivio` and hands it back.
// False when no line is selected or there is nobody to hand it to; throws
// when the archive cannot be read, and nothing is handed back.
bool RichiamaVisita(const common::ListaRecord& lista, const std::string& archivio, RitornoVisita* ritorno);

} // namespace gate
