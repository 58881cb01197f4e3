#pragma once
// The spreadsheet file that an export writes, written out by hand for the
// tests to compare byte for byte, and the two questions of "Esporta".
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ts {

extern const std::string kDomandaEsportazione;  // before the export
extern const std::string kEsportazioneRiuscita; // after it: open the file?

// The head of the file, naming the worksheet, up to the "<tr>" of the header
// row.
std::string InizioFileEsportazione(std::string_view foglio);
// A header cell of the given width; a data cell (its text as in the file).
std::string IntestazioneEsportazione(std::string_view testo, int larghezza);
std::string CellaEsportazione(std::string_view testo);
// The end of the file, after the last row.
inline constexpr std::string_view kFineFileEsportazione = "</table></body></html>";

// A whole file: the head, the header row, one row per entry of `righe`
// (cells as in the file: windows-1252 bytes, escaped), the end.
std::string FileEsportazione(std::string_view foglio,
                             std::span<const std::pair<const char*, int>> intestazioni,
                             const std::vector<std::vector<std::string>>& righe);

} // namespace ts
