#pragma once
// The export windows: the archive shown in the grid `grdRecords` and, on
// "Esporta", written as a spreadsheet file in the data folder and offered to
// be opened.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Export.h"
#include "common/Record.h"
#include "platform/ui/Ui.h"

namespace common {

inline constexpr std::string_view kMsgDomandaEsportazione =
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti "
    "in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?";
inline constexpr std::string_view kMsgEsportazioneRiuscita =
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?";
inline constexpr std::string_view kMsgEsportazioneFallita =
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
    "Accertarsi che il file di Excel non sia già aperto.";

// The text of one grid cell from a record.
using CellaDiRecord = std::function<std::string(const RecordView& record)>;
// The trimmed field.
CellaDiRecord Campo(std::string_view campo);
// Trimmed fields joined by one blank each, also when a part is empty.
CellaDiRecord Campi(std::vector<std::string> campi);

// What Campo and Campi give. The grid fill recognises it and writes these
// cells straight from the record bytes, the fields found once per fill;
// a cell of any other kind is asked record by record.
struct CampiDiRecord {
    std::vector<std::string> campi;
    std::string operator()(const RecordView& record) const;
};

struct ConfigEsportazione {
    std::function<std::string()> archivio; // full path of the archive
    const RecordType* record = nullptr;
    std::string file;                       // e.g. "Parco_Automezzi.xls", in the data folder
    std::string foglio;                     // the worksheet name
    std::vector<ColonnaExcel> intestazioni; // the file's header cells
    std::vector<CellaDiRecord> celle;       // grid columns 1 to N
};

class Esportazione {
public:
    Esportazione(ui::StringGrid& grdRecords, ConfigEsportazione config);

    // The window's show: one grid row per record, column 0 its number. An
    // empty archive leaves the grid as the layout has it. A failure ends the
    // fill without a word, and the grid is then not exported.
    void RiempiGriglia();
    // "Esporta": asks, writes the file through a temporary file (a failed
    // export leaves the earlier file as it was), asks again and opens it.
    void Esporta();

    bool GrigliaCompleta() const { return completa_; }

private:
    ui::StringGrid& grd_;
    ConfigEsportazione config_;
    bool completa_ = false;
};

} // namespace common
