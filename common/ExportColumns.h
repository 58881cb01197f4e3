#pragma once
// The columns of an export window given as a table: the fields of each
// column's cells and its header cell in the file.
#include <span>
#include <string>
#include <vector>

#include "common/ExportWindow.h"

namespace common {

struct ColonnaEsportata {
    std::vector<std::string> campi; // one field, or several joined by one blank each
    ColonnaExcel intestazione;
};

// Adds the columns, in order, to the export's header cells and grid cells.
inline void AggiungiColonne(ConfigEsportazione& config, std::span<const ColonnaEsportata> colonne) {
    for (const ColonnaEsportata& colonna : colonne) {
        config.intestazioni.push_back(colonna.intestazione);
        config.celle.push_back(colonna.campi.size() == 1 ? Campo(colonna.campi[0]) : Campi(colonna.campi));
    }
}

} // namespace common
