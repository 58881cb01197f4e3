#pragma once
// The export windows: the archive shown in the grid `grdRecords` and, on
// "Esporta", written as a spreadsheet file in the data folder and offered to
// be opened. The four export windows are one window configured by a table of
// columns, the file, the worksheet and the help topic.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/Export.h"
#include "common/ExportWindow.controls.h"
#include "common/Record.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
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

// An exported column: the fields of its cells and its header cell in the
// file.
struct ColonnaEsportata {
    std::vector<std::string> campi; // one field, or several joined by one blank each
    ColonnaExcel intestazione;
};

struct ConfigEsportazione {
    // Full path of the archive; none in a window whose archive the window
    // that opens it chooses (ImpostaArchivio).
    std::function<std::string()> archivio;
    const RecordType* record = nullptr;
    std::string file;                      // e.g. "Parco_Automezzi.xls", in the data folder
    std::string foglio;                    // the worksheet name
    std::vector<ColonnaEsportata> colonne; // grid columns 1 to N, the file's columns
};

class CampiEsportati;
class CelleArchivio;

class Esportazione {
public:
    Esportazione(ui::StringGrid& grdRecords, ConfigEsportazione config);
    ~Esportazione();

    // The window's show: one grid row per record, column 0 its number, the
    // other columns the trimmed fields (joined by one blank), read from the
    // records when the grid shows them. An empty archive leaves the grid as
    // the layout has it. An archive that cannot be opened leaves the grid
    // without a word, and it is then not exported.
    void RiempiGriglia();
    // "Esporta": asks, writes the file through a temporary file (a failed
    // export leaves the earlier file as it was), asks again and opens it. The
    // cells are those of the grid at this moment (a cell the user edited
    // included), written in one pass over the archive's records.
    void Esporta();

    bool GrigliaCompleta() const { return completa_; }

private:
    ui::StringGrid& grd_;
    ConfigEsportazione config_;
    std::vector<ColonnaExcel> intestazioni_;
    std::shared_ptr<const CampiEsportati> campi_; // the grid's source shares them
    std::shared_ptr<const CelleArchivio> celle_;  // what the grid reads, since the last fill
    std::string archivio_;                        // the archive it reads
    bool completa_ = false;
};

// What makes one export window of the shared one.
struct ConfigFinestraEsportazione {
    std::string_view layout; // the window's layout file
    ConfigEsportazione esportazione;
    std::string titoloGuida; // the help topic: its title and file
    std::string guida;
    // The controls that, with the form, clear the status line under the mouse.
    std::vector<std::string_view> sfondo;
};

// An export window (grdRecords, cmdEsporta, cmdGuida, cmdEsci, panInfo on
// panContainer): the show fills the grid, "Esporta" exports, the guide shows
// the help topic, "Esci" closes; each command's hint in the status line.
class TfrmEsportazione : public ui::Form, public controls::ExportWindow {
public:
    bool GrigliaCompleta() const { return esportazione_.GrigliaCompleta(); }

    // The archive exported by a window whose configuration names none (the
    // year open in the card that opens it), set before showing the window.
    void ImpostaArchivio(std::string archivio) { archivio_ = std::move(archivio); }

protected:
    TfrmEsportazione(ui::Application& app, ui::Form* owner, ConfigFinestraEsportazione config);

private:
    std::string archivio_;
    Esportazione esportazione_;
};

} // namespace common
