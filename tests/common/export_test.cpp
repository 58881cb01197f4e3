#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Export.h"

using namespace common;

namespace {
const std::string kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1252\"><!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Prova Foglio</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->"
    "</head><body><table x:str><tr>"
    "<td style=\"text-align: left; font-weight: bold;\" width=120>Marca</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=80>Citt\xC3\xA0</td></tr>";
const std::string kTail = "</table></body></html>";
std::string Cell(const std::string& t) { return "<td style=\"text-align: left;\">" + t + "</td>"; }
} // namespace

TEST(Export, WholeFileTextWithEscapedCells) {
    const std::vector<ColonnaExcel> cols = {{"Marca", 120}, {"Citt\xC3\xA0", 80}};
    const std::vector<std::vector<std::string>> rows = {
        {"  Fiat ", "Forl\xC3\xAC"},
        {"a<b & c>d", "<!--"},
        {"riga\r\ndue", ""},
    };
    const std::string expected = kHead + "<tr>" + Cell("Fiat") + Cell("Forl\xC3\xAC") + "</tr>" + "<tr>" +
                                 Cell("a&lt;b &amp; c&gt;d") + Cell("&lt;!--") + "</tr>" + "<tr>" +
                                 Cell("riga&#13;&#10;due") + Cell("") + "</tr>" + kTail;
    const std::string text = TestoFileExcel("Prova Foglio", cols, rows);
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
}
