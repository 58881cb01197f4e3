#include "tests/support/ExportFile.h"

namespace ts {

const std::string kDomandaEsportazione = "L'esportazione dei dati in Excel può richiedere diversi minuti a "
                                         "seconda del numero di schede presenti in "
                                         "archivio.\r\n\r\nSi vuole esportare i dati adesso?";
const std::string kEsportazioneRiuscita =
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?";

std::string InizioFileEsportazione(std::string_view foglio) {
    return "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
           "xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" "
           "content=\"text/html; "
           "charset=windows-1252\"><!--[if gte mso "
           "9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
           "<x:Name>" +
           std::string(foglio) +
           "</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
           "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
           "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
           "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->"
           "<style>.testo{mso-number-format:\"\\@\";}</style></head><body><table x:str><tr>";
}

std::string IntestazioneEsportazione(std::string_view testo, int larghezza) {
    return "<td style=\"text-align: left; font-weight: bold;\" width=" + std::to_string(larghezza) + ">" +
           std::string(testo) + "</td>";
}

std::string CellaEsportazione(std::string_view testo) {
    return "<td class=testo style=\"text-align: left;\">" + std::string(testo) + "</td>";
}

std::string FileEsportazione(std::string_view foglio,
                             std::span<const std::pair<const char*, int>> intestazioni,
                             const std::vector<std::vector<std::string>>& righe) {
    std::string s = InizioFileEsportazione(foglio);
    for (const auto& [testo, larghezza] : intestazioni)
        s += IntestazioneEsportazione(testo, larghezza);
    s += "</tr>";
    for (const auto& riga : righe) {
        s += "<tr>";
        for (const std::string& cella : riga)
            s += CellaEsportazione(cella);
        s += "</tr>";
    }
    return s += kFineFileEsportazione;
}

} // namespace ts
