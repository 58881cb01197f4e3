#include "common/Export.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

namespace common {

namespace {
void AppendCell(std::string& out, std::string_view text) {
    for (char c : rtl::Trim(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\r': out += "&#13;"; break;
        case '\n': out += "&#10;"; break;
        default: out += c;
        }
    }
}
} // namespace

std::string TestoFileExcel(std::string_view foglio, std::span<const ColonnaExcel> colonne,
                           const std::vector<std::vector<std::string>>& righe) {
    std::string s;
    s += "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
         "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
         "xmlns=\"http://www.w3.org/TR/REC-html40\">";
    s += "<head>";
    s += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
    s += "<!--[if gte mso 9]><xml>";
    s += "<x:ExcelWorkbook>";
    s += "<x:ExcelWorksheets>";
    s += "<x:ExcelWorksheet>";
    s += "<x:Name>";
    s += foglio;
    s += "</x:Name>";
    s += "<x:WorksheetOptions>";
    s += "<x:Selected/>";
    s += "<x:Panes>";
    s += "<x:Pane>";
    s += "<x:Number>1</x:Number>";
    s += "<x:ActiveRow>3</x:ActiveRow>";
    s += "</x:Pane>";
    s += "</x:Panes>";
    s += "<x:ProtectContents>False</x:ProtectContents>";
    s += "<x:ProtectObjects>False</x:ProtectObjects>";
    s += "<x:ProtectScenarios>False</x:ProtectScenarios>";
    s += "</x:WorksheetOptions>";
    s += "</x:ExcelWorksheet>";
    s += "</x:ExcelWorksheets>";
    s += "</x:ExcelWorkbook>";
    s += "</xml><![endif]-->";
    // Data cells are text: no spreadsheet program evaluates "=..." in them
    // or drops a leading zero. Calc and the Office program both read this
    // number format from a class of the header's style sheet.
    s += "<style>.testo{mso-number-format:\"\\@\";}</style>";
    s += "</head>";
    s += "<body>";
    s += "<table x:str>";
    s += "<tr>";
    for (const ColonnaExcel& c : colonne) {
        s += "<td style=\"text-align: left; font-weight: bold;\" width=";
        s += std::to_string(c.larghezza);
        s += ">";
        s += c.intestazione;
        s += "</td>";
    }
    s += "</tr>";
    for (const auto& riga : righe) {
        s += "<tr>";
        for (std::size_t i = 0; i < colonne.size(); ++i) {
            s += "<td class=testo style=\"text-align: left;\">";
            if (i < riga.size()) AppendCell(s, riga[i]);
            s += "</td>";
        }
        s += "</tr>";
    }
    s += "</table>";
    s += "</body>";
    s += "</html>";
    return s;
}

void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     const std::vector<std::vector<std::string>>& righe) {
    rtl::WriteWholeFile(path, rtl::Utf8ToCp1252(TestoFileExcel(foglio, colonne, righe)));
}

} // namespace common
