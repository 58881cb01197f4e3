#pragma once
// List lines and the logic of list windows that needs no window: building a
// line from padded columns, the sort order of sorted lists, find-next and the
// multi-criteria search rule.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <functional>
#include <initializer_list>
#include <optional>

#include "common/Record.h"
#include "platform/ui/ListItems.h"

namespace common {

// One list line: fixed texts and columns, in the order they are added.
//   RigaLista().colonna(tipo, 20).testo("  ").colonna(marca + " " + modello, 30).ultima(km)
class RigaLista {
public:
    RigaLista() { line_.reserve(160); } // one allocation for a usual line
    // A fixed text, as it is.
    RigaLista& testo(std::string_view fixed);
    // A padded column: the trimmed value, padded with blanks to exactly
    // `width` characters or cut to its first `width` characters.
    RigaLista& colonna(std::string_view value, std::size_t width);
    // A last column: the trimmed value, not padded.
    RigaLista& ultima(std::string_view value);
    // The same two, straight from a record's field (what a list of a
    // whole archive uses: no copy of the field on the way).
    RigaLista& colonna(const RecordView& record, FieldRef field, std::size_t width);
    RigaLista& ultima(const RecordView& record, FieldRef field);

    const std::string& str() const& { return line_; }
    std::string str() && { return std::move(line_); }

private:
    std::string line_;
};

struct VoceLista;
struct VociLista;

// A list line's layout over one record type, resolved once per window: the
// fields are found by name when the layout is made, and each line is then
// written straight from the record's bytes (decoded from windows-1252 as it
// is written), with no string per field. A line comes out exactly as the
// RigaLista calls it stands for:
//   FormatoRiga(TAutomezzoRec).colonna("Tipo", 20).testo("  ").colonna({"Marca", "Modello"},
//   30).ultima("Chilometri")
// gives the line of
//   RigaLista().colonna(r.get("Tipo"), 20).testo("  ").colonna(r.get("Marca") + " " + r.get("Modello"), 30)
//              .ultima(r.get("Chilometri"))
// Unknown field names throw std::out_of_range when the layout is made.
class FormatoRiga {
public:
    explicit FormatoRiga(const RecordType& type) : type_(&type) {}
    const RecordType& type() const { return *type_; }

    // A fixed text, as it is.
    FormatoRiga& testo(std::string_view fixed);
    // A padded column (see RigaLista::colonna) of one field, or of several
    // trimmed fields joined by one blank each (the whole then trimmed).
    FormatoRiga& colonna(std::string_view campo, std::size_t width);
    FormatoRiga& colonna(std::initializer_list<std::string_view> campi, std::size_t width);
    // A last column, not padded.
    FormatoRiga& ultima(std::string_view campo);
    FormatoRiga& ultima(std::initializer_list<std::string_view> campi);

    // Appends the line of `record` (a record of the layout's type) to `out`.
    void Scrivi(std::string& out, std::span<const std::uint8_t> record) const;
    std::string Riga(const RecordView& record) const;

private:
    struct Parte {
        std::string fisso; // a fixed text, when `campi` is empty (with room after it)
        std::size_t lunghezzaFisso = 0;
        std::vector<FieldRef> campi;
        std::size_t larghezza = 0;
        bool ultima = false;
    };
    FormatoRiga& Aggiungi(std::initializer_list<std::string_view> campi, std::size_t width, bool ultima);
    // Writes the line at `out`, which has room for `massimo_` bytes and a
    // margin after them, and returns its end.
    char* ScriviIn(char* out, std::span<const std::uint8_t> record) const;
    friend void CostruisciVoci(VociLista&, const std::string&, const FormatoRiga&,
                               const std::function<bool(const RecordView&)>&, bool);

    const RecordType* type_;
    std::vector<Parte> parti_;
    std::size_t massimo_ = 0;   // the longest line, in UTF-8 bytes
    std::size_t unitoMax_ = 0;  // the longest column of joined fields, stored bytes
    mutable std::string unito_; // a column of joined fields, reused
};

// The order of sorted lists: character by character, a-z read as A-Z, every
// character then by its code; a text that begins another comes first.
bool PrecedeInLista(std::string_view a, std::string_view b);

// A listed record: its line and its 1-based record number in the archive,
// kept with the line so that a recall loads the record the user chose.
struct VoceLista {
    std::string riga;
    std::uint32_t numero = 0;
};

// Listed records as a list box keeps them: the lines in one buffer, in the
// order of the list, and beside them the record number of each line.
struct VociLista {
    ui::ListItems righe;
    std::vector<std::uint32_t> numeri;

    std::size_t size() const { return righe.size(); }
    void clear() {
        righe.clear();
        numeri.clear();
    }
};

// Sorts the entries by PrecedeInLista; equal lines keep the file order.
void OrdinaVoci(std::vector<VoceLista>& voci);
void OrdinaVoci(VociLista& voci);

// Reads the archive at `path` once, in file order, and makes one entry per
// record for which `riga` gives a line (a record it answers nothing for is
// not listed); sorted by PrecedeInLista when `ordinata`. The archive is
// created empty when missing; a failure while reading throws, with the
// entries built so far in `voci`.
using RigaDiRecord = std::function<std::optional<std::string>(const RecordView& record)>;
void CostruisciVoci(std::vector<VoceLista>& voci, const std::string& path, const RecordType& type,
                    const RigaDiRecord& riga, bool ordinata);
void CostruisciVoci(VociLista& voci, const std::string& path, const RecordType& type,
                    const RigaDiRecord& riga, bool ordinata);

// The same, faster: the records that `filtro` accepts (every record when it
// is empty) listed with the line `formato` writes, the sort keys taken while
// each line is fresh. What a window lists over a whole archive should use.
using FiltroRecord = std::function<bool(const RecordView& record)>;
void CostruisciVoci(VociLista& voci, const std::string& path, const FormatoRiga& formato,
                    const FiltroRecord& filtro, bool ordinata);
void CostruisciVoci(std::vector<VoceLista>& voci, const std::string& path, const FormatoRiga& formato,
                    const FiltroRecord& filtro, bool ordinata);

// Find-next over the lines of a list. `selected` is the selected line (-1 for
// none); `findText` the text of the find field; `remembered` the last text
// searched for, updated here. Returns the line to select: the next line
// holding the lower-cased (A-Z only), untrimmed find text, from line 0 for a
// new text and after the selected line for a repeated one, round the end;
// the selection as it was (line 0 when none) when nothing matches. An empty
// find text matches nothing. The lines must not be empty.
int TrovaSuccessiva(std::span<const std::string> lines, int selected, std::string_view findText,
                    std::string& remembered);
int TrovaSuccessiva(const ui::ListItems& lines, int selected, std::string_view findText,
                    std::string& remembered);

// The multi-criteria search of the search windows. Each criterion is the
// text typed in one criteria edit and the record field it stands for. A
// record matches when every criterion whose trimmed text is not empty occurs,
// lower-cased (A-Z only) and untrimmed, in the lower-cased field text; with
// no such criterion every record matches.
struct Criterio {
    std::string testo;
    FieldRef campo;
};

class RicercaMultipla {
public:
    explicit RicercaMultipla(std::span<const Criterio> criteri);
    // The number of criteria given (trimmed text not empty), for `lblConta`.
    int criteriDati() const { return int(needles_.size()); }
    bool corrisponde(std::span<const std::uint8_t> record) const;

private:
    struct Needle {
        std::string text;
        FieldRef campo;
    };
    std::vector<Needle> needles_;
    mutable std::string scratch_; // the field being compared, reused
};

} // namespace common
