#pragma once
// List lines: a line's layout over one record type, and the lines of a
// whole archive built for a list box.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/ListSort.h"
#include "common/Record.h"

namespace common {

// A list line's layout over one record type, resolved once per window: the
// fields are found by name when the layout is made, and each line is then
// written straight from the record's bytes (decoded from windows-1252 as it
// is written), with no string per field:
//   FormatoRiga(TAutomezzoRec).Colonna("Tipo", 20).Testo("  ").Colonna({"Marca", "Modello"},
//   30).Ultima("Chilometri")
// A padded column is the trimmed value, padded with blanks to exactly its
// width or cut to its first `width` characters (one stored byte is one
// character); a last column is the trimmed value, not padded. Unknown field
// names throw std::out_of_range when the layout is made.
//
// A list of a whole archive keeps, per line, only the columns' values (an
// entry, see ScriviVoce) and makes the line when it is asked for: far less
// memory than the padded lines, and the entries sort as their lines do.
class FormatoRiga {
public:
    explicit FormatoRiga(const RecordType& type) : type_(&type) {}
    const RecordType& Type() const { return *type_; }

    // A fixed text, as it is.
    FormatoRiga& Testo(std::string_view fixed);
    // A padded column of one field, or of several trimmed fields joined by
    // one blank each (the whole then trimmed).
    FormatoRiga& Colonna(std::string_view campo, std::size_t width);
    FormatoRiga& Colonna(std::initializer_list<std::string_view> campi, std::size_t width);
    // A last column, not padded.
    FormatoRiga& Ultima(std::string_view campo);
    FormatoRiga& Ultima(std::initializer_list<std::string_view> campi);

    // Appends the line of `record` (a record of the layout's type) to `out`.
    void Scrivi(std::string& out, std::span<const std::uint8_t> record) const;
    std::string Riga(const RecordView& record) const;

    // Entries: the values of a line's columns, in order, each mapped byte by
    // byte so that entries compared as bytes (a-z read as A-Z) come in the
    // order of their lines: windows-1252 bytes renumbered in the order of
    // their characters' codes (ASCII stays as it is), each padded column's
    // value without its trailing blanks and closed by a zero byte, a last
    // column's value to the end. Cut and padded columns sort as their values
    // do as long as no padded value holds a byte below the blank, so such a
    // record has no entry; neither has any record of a layout with a column
    // after a last column.
    //
    // Writes the entry of `record` at `out`, which has room for
    // MassimoVoce() bytes and a margin of 32 after them, and returns its
    // end, or null when the record has no entry.
    char* ScriviVoce(char* out, std::span<const std::uint8_t> record) const;
    std::size_t MassimoVoce() const { return conVoci_ ? massimoVoce_ : 0; }
    // Appends the line of an entry written by ScriviVoce.
    void ScriviDaVoce(std::string& out, std::string_view voce) const;

private:
    struct Parte {
        std::string fisso; // a fixed text, when `campi` is empty (with room after it)
        std::size_t lunghezzaFisso = 0;
        std::vector<FieldRef> campi;
        std::size_t larghezza = 0;
        bool ultima = false;
    };
    FormatoRiga& Aggiungi(std::initializer_list<std::string_view> campi, std::size_t width, bool ultima);
    // The trimmed value of a column of `record`; `leggibile`: 32 bytes may
    // be read from its start.
    std::string_view Valore(const Parte& p, const char* record, std::size_t size, bool& leggibile) const;
    // Writes the line at `out`, which has room for `massimo_` bytes and a
    // margin after them, and returns its end.
    char* ScriviIn(char* out, std::span<const std::uint8_t> record) const;
    friend void CostruisciVoci(VociLista&, const std::string&, const FormatoRiga&,
                               const std::function<bool(const RecordView&)>&, bool);

    const RecordType* type_;
    std::vector<Parte> parti_;
    std::size_t massimo_ = 0;     // the longest line, in UTF-8 bytes
    std::size_t massimoVoce_ = 0; // the longest entry
    bool conVoci_ = true;         // no column after a last column
    std::size_t unitoMax_ = 0;    // the longest column of joined fields, stored bytes
    mutable std::string unito_;   // a column of joined fields, reused
};

// Reads the archive at `path` once, in file order, and lists the records
// that `filtro` accepts (every record when it is empty) with the line
// `formato` writes; sorted by PrecedeInLista when `ordinata`. The lines are
// made when asked for, from the entries kept (see FormatoRiga); where a
// record has no entry, every line is kept whole. The archive is created
// empty when missing; a failure while reading throws, with the entries
// built so far in `voci`.
using FiltroRecord = std::function<bool(const RecordView& record)>;
void CostruisciVoci(VociLista& voci, const std::string& path, const FormatoRiga& formato,
                    const FiltroRecord& filtro, bool ordinata);

} // namespace common
