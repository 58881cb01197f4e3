#pragma once
// The plain list builder that the fast one is checked against (tests and the
// list-building benchmark): a line put together column by column from the
// fields' texts, and a list built record by record with such lines, kept
// whole.
//   RigaLista().Colonna(tipo, 20).Testo("  ").Colonna(marca + " " + modello, 30).Ultima(km)
// is the line of
//   FormatoRiga(TAutomezzoRec).Colonna("Tipo", 20).Testo("  ").Colonna({"Marca", "Modello"}, 30)
//       .Ultima("Chilometri")
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ListSort.h"
#include "common/Record.h"

namespace ts {

// One list line: fixed texts and columns, in the order they are added.
class RigaLista {
public:
    RigaLista() { line_.reserve(160); } // one allocation for a usual line
    // A fixed text, as it is.
    RigaLista& Testo(std::string_view fixed);
    // A padded column: the trimmed value, padded with blanks to exactly
    // `width` characters or cut to its first `width` characters.
    RigaLista& Colonna(std::string_view value, std::size_t width);
    // A last column: the trimmed value, not padded.
    RigaLista& Ultima(std::string_view value);
    // The same two, straight from a record's field (one stored byte is one
    // character).
    RigaLista& Colonna(const common::RecordView& record, common::FieldRef field, std::size_t width);
    RigaLista& Ultima(const common::RecordView& record, common::FieldRef field);

    const std::string& str() const& { return line_; }
    std::string str() && { return std::move(line_); }

private:
    std::string line_;
};

// Reads the archive at `path` once, in file order, and makes one entry per
// record for which `riga` gives a line (a record it answers nothing for is
// not listed); sorted by PrecedeInLista when `ordinata`. The archive is
// created empty when missing; a failure while reading throws, with the
// entries built so far in `voci`.
using RigaDiRecord = std::function<std::optional<std::string>(const common::RecordView& record)>;
void CostruisciVoci(std::vector<common::VoceLista>& voci, const std::string& path,
                    const common::RecordType& type, const RigaDiRecord& riga, bool ordinata);
void CostruisciVoci(common::VociLista& voci, const std::string& path, const common::RecordType& type,
                    const RigaDiRecord& riga, bool ordinata);

} // namespace ts
