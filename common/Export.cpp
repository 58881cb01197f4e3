#include "common/Export.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

namespace common {

namespace {

// The text of a cell, trimmed, with "&", "<", ">" and line breaks escaped and
// the other control characters (NUL to 0x1F, 0x7F) left out: they are no
// text, only a damaged archive holds them. Each run of other than ASCII
// characters goes through `altri`.
template <class Altri> void AppendEscaped(std::string& out, std::string_view text, Altri&& altri) {
    // Trimmed as if the controls were not there.
    for (;;) {
        text = rtl::TrimView(text);
        if (!text.empty() && static_cast<unsigned char>(text.front()) == 0x7F)
            text.remove_prefix(1);
        else if (!text.empty() && static_cast<unsigned char>(text.back()) == 0x7F)
            text.remove_suffix(1);
        else
            break;
    }
    for (std::size_t i = 0; i < text.size();) {
        // A run of plain characters, copied at once.
        std::size_t j = i;
        while (j < text.size()) {
            const auto b = static_cast<unsigned char>(text[j]);
            if (b >= 0x80 || b < 0x20 || b == 0x7F || b == '&' || b == '<' || b == '>') break;
            ++j;
        }
        out.append(text, i, j - i);
        if (j == text.size()) break;
        i = j;
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            std::size_t k = i + 1;
            while (k < text.size() && static_cast<unsigned char>(text[k]) >= 0x80)
                ++k;
            altri(text.substr(i, k - i));
            i = k;
            continue;
        }
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '\n':
            out += "&#10;";
            break;
        default:
            break; // another control character: left out
        }
        ++i;
    }
}

// The cell in UTF-8, as the text of the file.
void AppendCell(std::string& out, std::string_view text) {
    AppendEscaped(out, text, [&out](std::string_view run) { out += run; });
}

// The cell converted to windows-1252 as it is escaped, for the file itself.
void AppendCellCp1252(std::string& out, std::string_view text) {
    AppendEscaped(out, text, [&out](std::string_view run) { rtl::AppendUtf8AsCp1252(out, run); });
}

// Writes the whole file through `markup` (the tags, ASCII), `put` (the sheet
// name and header texts, UTF-8) and `putCell` (the text of a data cell): the
// one description of the file that both the text and the file are made from.
template <class Markup, class Put, class PutCell>
void ScriviTesto(Markup&& markup, Put&& put, PutCell&& putCell, std::string_view foglio,
                 std::span<const ColonnaExcel> colonne, std::size_t righe, const CellaExcel& cella) {
    markup("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
           "xmlns=\"http://www.w3.org/TR/REC-html40\">"
           "<head>"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
           "<!--[if gte mso 9]><xml>"
           "<x:ExcelWorkbook>"
           "<x:ExcelWorksheets>"
           "<x:ExcelWorksheet>"
           "<x:Name>");
    put(foglio);
    markup("</x:Name>"
           "<x:WorksheetOptions>"
           "<x:Selected/>"
           "<x:Panes>"
           "<x:Pane>"
           "<x:Number>1</x:Number>"
           "<x:ActiveRow>3</x:ActiveRow>"
           "</x:Pane>"
           "</x:Panes>"
           "<x:ProtectContents>False</x:ProtectContents>"
           "<x:ProtectObjects>False</x:ProtectObjects>"
           "<x:ProtectScenarios>False</x:ProtectScenarios>"
           "</x:WorksheetOptions>"
           "</x:ExcelWorksheet>"
           "</x:ExcelWorksheets>"
           "</x:ExcelWorkbook>"
           "</xml><![endif]-->"
           // Data cells are text: no spreadsheet program evaluates "=..." in
           // them or drops a leading zero. Calc and the Office program both read
           // this number format from a class of the header's style sheet.
           "<style>.testo{mso-number-format:\"\\@\";}</style>"
           "</head>"
           "<body>"
           "<table x:str>"
           "<tr>");
    for (const ColonnaExcel& c : colonne) {
        markup("<td style=\"text-align: left; font-weight: bold;\" width=");
        markup(std::to_string(c.larghezza));
        markup(">");
        put(c.intestazione);
        markup("</td>");
    }
    markup("</tr>");
    for (std::size_t r = 0; r < righe; ++r) {
        markup("<tr>");
        for (std::size_t i = 0; i < colonne.size(); ++i) {
            markup("<td class=testo style=\"text-align: left;\">");
            putCell(cella(i, r));
            markup("</td>");
        }
        markup("</tr>");
    }
    markup("</table>"
           "</body>"
           "</html>");
}

CellaExcel CelleDi(const std::vector<std::vector<std::string>>& righe) {
    return [&righe](std::size_t colonna, std::size_t riga) -> std::string_view {
        const auto& r = righe[riga];
        return colonna < r.size() ? std::string_view(r[colonna]) : std::string_view();
    };
}

} // namespace

std::string TestoFileExcel(std::string_view foglio, std::span<const ColonnaExcel> colonne,
                           const std::vector<std::vector<std::string>>& righe) {
    std::string s;
    const auto add = [&s](std::string_view piece) { s += piece; };
    ScriviTesto(
        add, add, [&s](std::string_view cell) { AppendCell(s, cell); }, foglio, colonne, righe.size(),
        CelleDi(righe));
    return s;
}

void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     const std::vector<std::vector<std::string>>& righe) {
    ScriviFileExcel(path, foglio, colonne, righe.size(), CelleDi(righe));
}

void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     std::size_t righe, const CellaExcel& cella) {
    rtl::WriteFileInBlocks(path, [&](rtl::BlockWriter& out) {
        // Each piece converted on its own through one reused buffer; the
        // markup, ASCII, as it is.
        std::string cp1252;
        ScriviTesto([&](std::string_view tag) { out.Write(tag); },
                    [&](std::string_view piece) {
                        unsigned char any = 0;
                        for (char c : piece)
                            any |= static_cast<unsigned char>(c);
                        if (any < 0x80) {
                            out.Write(piece);
                        } else {
                            cp1252.clear();
                            rtl::AppendUtf8AsCp1252(cp1252, piece);
                            out.Write(cp1252);
                        }
                    },
                    [&](std::string_view cell) {
                        cp1252.clear();
                        AppendCellCp1252(cp1252, cell);
                        out.Write(cp1252);
                    },
                    foglio, colonne, righe, cella);
    });
}

} // namespace common
