#pragma once
// The spreadsheet export file: an HTML table with an Office workbook header,
// one single line, windows-1252.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Files.h"

namespace common {

struct ColonnaExcel {
    std::string intestazione; // header text
    int larghezza = 0;        // the width written in the header cell
};

// The whole file as UTF-8 text (no line end anywhere). Cell texts are
// trimmed; "&", "<" and ">" in them are written as entities, and a line
// break inside a cell as a character reference, so that a cell always shows
// what was typed and the file stays one line; other control characters
// (NUL to 0x1F, 0x7F: a damaged archive) and the five characters that
// windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are left out. Data cells are marked
// as text (a style class of the header), so that a spreadsheet program shows
// "=1+1" or "0123" as typed; the header cells are not.
std::string TestoFileExcel(std::string_view foglio, std::span<const ColonnaExcel> colonne,
                           const std::vector<std::vector<std::string>>& righe);

// Writes the file at `path` in windows-1252 through a temporary file renamed
// over the old one: a failed write leaves any earlier export as it was.
// Throws on failure.
void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     const std::vector<std::vector<std::string>>& righe);

// The same file from `righe` rows of cells read one at a time: `cella` gives
// the text (UTF-8) of column `colonna` (0-based, as in `colonne`) of row
// `riga`, a view that needs to stay valid only until the next call. Each
// cell is converted on its own and the file is written in blocks, so that a
// large export never holds the whole file in memory.
using CellaExcel = std::function<std::string_view(std::size_t colonna, std::size_t riga)>;
void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     std::size_t righe, const CellaExcel& cella);

// A cell's text as it comes: UTF-8 (what a user typed), or the windows-1252
// bytes of an archive's fields, which go to the file as they are (trimmed and
// escaped alike), with no conversion there and back.
struct TestoCella {
    std::string_view testo;
    bool cp1252 = false;
};
using CellaGrezza = std::function<TestoCella(std::size_t colonna, std::size_t riga)>;
void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     std::size_t righe, const CellaGrezza& cella);

// The file from `righe` rows, each written whole by `riga` (its cells in
// column order): a record's cells are formatted once, straight into the file.
class CelleRiga;
using RigaExcel = std::function<void(std::size_t riga, CelleRiga& celle)>;
void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     std::size_t righe, const RigaExcel& riga);

// The cells of one data row, written into the file as they are given, one
// call per cell from the first column to the last.
class CelleRiga {
public:
    // A cell from UTF-8 text (what a user typed).
    void Testo(std::string_view utf8);
    // A cell from the windows-1252 bytes of an archive's field, escaped
    // straight into the file's block.
    void Grezzo(std::string_view cp1252);

private:
    friend void ScriviFileExcel(const std::string&, std::string_view, std::span<const ColonnaExcel>,
                                std::size_t, const RigaExcel&);
    explicit CelleRiga(rtl::BlockWriter& out) : out_(out) {}
    rtl::BlockWriter& out_;
    std::string cp1252_; // a run of other than ASCII characters, converted
};

} // namespace common
