#pragma once
// Reading a file back as a spreadsheet program does: LibreOffice Calc,
// without a window, converts it to CSV (UTF-8) and the cells are returned row
// by row. Each call uses a profile of its own, so tests may run in parallel.
#include <string>
#include <vector>

namespace ts {

// The cells of the first sheet as Calc shows them. Raises std::runtime_error
// when Calc is missing or the conversion fails.
std::vector<std::vector<std::string>> CelleFoglioDiCalcolo(const std::string& file);

// Splits CSV text (comma, double quotes, quotes doubled inside) into rows.
std::vector<std::vector<std::string>> LeggiCsv(const std::string& csv);

} // namespace ts
