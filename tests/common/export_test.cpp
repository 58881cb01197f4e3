#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Export.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "tests/support/ExportFile.h"
#include "tests/support/Harness.h"
#include "tests/support/Spreadsheet.h"

using namespace common;

namespace {
const std::string kHead = ts::InizioFileEsportazione("Prova Foglio") +
                          ts::IntestazioneEsportazione("Marca", 120) +
                          ts::IntestazioneEsportazione("Citt\xC3\xA0", 80) + "</tr>";
const std::string kTail(ts::kFineFileEsportazione);
std::string Cell(const std::string& t) {
    return ts::CellaEsportazione(t);
}
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

// Opened in a spreadsheet program (LibreOffice Calc, converting to CSV), every
// cell shows the text it was given: nothing is evaluated, no leading zero or
// sign is dropped, accents and markup characters survive. A line break inside
// a cell comes back as the cell's own line break.
TEST(Export, SpreadsheetProgramKeepsEveryCellsText) {
    ts::Harness h;
    const std::vector<ColonnaExcel> cols = {{"Testo", 100}, {"Note e citt\xC3\xA0", 100}};
    const std::vector<std::vector<std::string>> rows = {
        {"=1+1", "Forl\xC3\xAC, citt\xC3\xA0 \xE2\x82\xAC"},
        {"=HYPERLINK(\"http://example.invalid\";\"clic\")", "a & b"},
        {"0123", "<b>grassetto</b>"},
        {"+39 333", "0612345678"},
        {"-5", "1e5"},
        {"12,50", "01/02/2026"},
        {"riga\r\ndue", "TRUE"},
    };
    const std::string file = h.DataFolder() + "Prova.xls";
    ScriviFileExcel(file, "Prova", cols, rows);
    const auto cells = ts::CelleFoglioDiCalcolo(file);
    ASSERT_EQ(cells.size(), rows.size() + 1);
    EXPECT_EQ(cells[0], (std::vector<std::string>{"Testo", "Note e citt\xC3\xA0"}));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::vector<std::string> expected = rows[r];
        for (std::string& e : expected)
            if (const auto crlf = e.find("\r\n"); crlf != std::string::npos) e.replace(crlf, 2, "\n");
        EXPECT_EQ(cells[r + 1], expected) << "row " << r + 1;
    }
}

// A damaged archive may hold control characters, or the five bytes that
// windows-1252 leaves undefined (U+0081, U+008D, U+008F, U+0090, U+009D once
// read), in a field: no cell carries them, a line break is written as
// before, and every other byte of the file is the one written without them.
TEST(Export, CellsCarryNoControlCharacters) {
    const std::vector<ColonnaExcel> cols = {{"Marca", 120}, {"Citt\xC3\xA0", 80}};
    const struct {
        std::string stored, cell;
    } cases[] = {
        {std::string("Fi\0at", 5), "Fiat"},
        {"Fi\x01"
         "at\x1F",
         "Fiat"},
        {"\x7F"
         " Fiat \x7F",
         "Fiat"},
        {"Pan\x7F"
         "da 4x4",
         "Panda 4x4"},
        {"a\tb", "ab"},
        {"riga\x02\r\ndue", "riga&#13;&#10;due"},
        {"\x01\x1F\x7F", ""},
        {"Forl\xC3\xAC\x1B", "Forl\xC3\xAC"},
        {"\xC2\x81"
         " Fiat \xC2\x9D",
         "Fiat"},
        {"Pan\xC2\x8D"
         "da",
         "Panda"},
        {"Forl\xC3\xAC\xC2\x90\xC2\x8F", "Forl\xC3\xAC"},
        {"\xE2\x82\xAC\xC2\x8F\xC3\xA0 \xC2\x80", "\xE2\x82\xAC\xC3\xA0 \xC2\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        const std::string text = TestoFileExcel("Prova Foglio", cols, {{c.stored, "x"}});
        EXPECT_EQ(text, kHead + "<tr>" + Cell(c.cell) + Cell("x") + "</tr>" + kTail);
    }
    ts::Harness h;
    const std::string file = h.DataFolder() + "Prova.xls";
    ScriviFileExcel(file, "Prova Foglio", cols,
                    {{std::string("\0Forl\xC3\xAC\x01", 8), "a\x7F"
                                                            "b\r\nc"}});
    EXPECT_EQ(rtl::ReadWholeFile(file),
              rtl::Utf8ToCp1252(kHead) + "<tr>" + Cell("Forl\xEC") + Cell("ab&#13;&#10;c") + "</tr>" + kTail);
}

// A cell given as the windows-1252 bytes of an archive is written as the same
// cell given as its UTF-8 text would be: every byte value, alone, inside a
// word, at the ends (trimmed, escaped, left out) and inside long runs.
TEST(Export, ArchiveBytesWriteAsTheirTextWould) {
    const std::vector<ColonnaExcel> cols = {{"Marca", 120}, {"Citt\xC3\xA0", 80}};
    std::vector<std::string> celle = {"", "  Forl\xEC \x80\x81\x8D\x8F\x90\x9D\xA0\xFF  ", "\x7F \x01\x7F",
                                      std::string("a\0b", 3)};
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        celle.push_back(std::string(1, c));
        celle.push_back(std::string("a") + c + "b");
        celle.push_back(std::string(" ") + c + c + "x" + c);
        // In a long run, at every place of an eight-byte word.
        std::string lunga(24, 'w');
        lunga[std::size_t(4 + b % 17)] = c;
        celle.push_back(lunga);
    }
    // Two bytes to escape or leave out in one text, at every two places of
    // its last word and before it.
    for (std::size_t a = 0; a < 12; ++a)
        for (std::size_t b = a + 1; b < 12; ++b) {
            std::string due(12, ' ');
            for (std::size_t k = 0; k < due.size(); ++k)
                due[k] = k % 3 ? 'w' : ' ';
            due[a] = a % 2 ? '&' : '\x01';
            due[b] = b % 2 ? '<' : '\n';
            celle.push_back(due);
        }
    celle.push_back("una nota lunga & <due> segni\r\nin una riga, ancora pi\xF9 lunga di otto byte");
    celle.push_back("\x7F   ventiquattro byte e pi\xF9 \x7F");
    ASSERT_EQ(celle.size() % 2, 0u);
    std::vector<std::vector<std::string>> testi;
    for (std::size_t i = 0; i + 1 < celle.size(); i += 2)
        testi.push_back({rtl::Cp1252ToUtf8(celle[i]), rtl::Cp1252ToUtf8(celle[i + 1])});
    ts::Harness h;
    const std::string comeTesto = h.DataFolder() + "Testo.xls", comeByte = h.DataFolder() + "Byte.xls";
    ScriviFileExcel(comeTesto, "Prova Foglio", cols, testi);
    ScriviFileExcel(comeByte, "Prova Foglio", cols, testi.size(), [&](std::size_t colonna, std::size_t riga) {
        return TestoCella{celle[riga * 2 + colonna], true};
    });
    const std::string atteso = rtl::ReadWholeFile(comeTesto);
    EXPECT_NE(atteso.find("<td class=testo style=\"text-align: left;\">a&amp;b</td>"), std::string::npos);
    // Long runs escaped as short ones: markup characters, line breaks, a
    // control character left out.
    EXPECT_NE(atteso.find(">una nota lunga &amp; &lt;due&gt; segni&#13;&#10;in una riga, ancora pi\xF9 lunga "
                          "di otto byte</td>"),
              std::string::npos);
    EXPECT_NE(atteso.find(">" + std::string(23, 'w') + "</td>"), std::string::npos);
    EXPECT_EQ(rtl::ReadWholeFile(comeByte), atteso);
    for (const unsigned char indefinito : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(atteso.find(static_cast<char>(indefinito)), std::string::npos) << int(indefinito);
}
