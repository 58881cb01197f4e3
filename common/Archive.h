#pragma once
// Archive files: fixed-size records of one record type, addressed by record
// number (1-based), opened for one user action and closed at its end.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/Record.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/RecordFile.h"

namespace common {

// The message of every failed archive access.
inline constexpr std::string_view kMsgAccessoArchivio =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";

// The message of an action refused because another workstation keeps the
// file it needs locked (a stalled machine or share): one text for every kind
// of file.
inline constexpr std::string_view kMsgFileInUso =
    "Attenzione: il file è in uso da un'altra postazione di lavoro.\n\r\n\r"
    "Riprovare tra qualche istante.";

// The message of a failed access to a file: kMsgFileInUso when another
// workstation keeps the file locked, else `messaggio`, the message of the
// file's kind.
std::string MessaggioAccesso(const rtl::DataError& e, std::string_view messaggio);

// An archive operation that cannot be done (a record number that is no
// number or lies outside the archive).
class AccessoArchivio : public rtl::DataError {
public:
    using rtl::DataError::DataError;
};

// The record number held as text (trimmed decimal digits), or nothing when
// the text is empty, not a number, or zero.
std::optional<std::int64_t> NumeroRecord(std::string_view text);

class Archivio {
public:
    // Opens the archive, creating it empty when it does not exist. Throws on
    // failure.
    Archivio(const std::string& path, const RecordType& type);

    const RecordType& Type() const { return *type_; }
    // The number of records, taken from the file once per opening (an
    // archive is opened for one user action) and followed by its writes.
    std::int64_t Conta() const;

    // Reads record `numero` (1-based) into the buffer; throws when it does
    // not exist.
    void Leggi(std::int64_t numero, Record& buffer);

    // What the file holds of record `numero` (1-based) into the buffer, read
    // under the archive's lock: the whole record, or the bytes of a record cut
    // short at the end of the file, the rest of the buffer zeroed. Returns the
    // number of bytes read, 0 for a record past the end.
    std::size_t LeggiParte(std::int64_t numero, Record& buffer);

    // Rewrites record `numero` (1-based, at most the first past the end of the
    // file) over what the file holds of it at this moment: under the
    // archive's lock, the record is read into the buffer as LeggiParte does,
    // `unisci` changes the buffer (it is given the number of bytes read) and
    // the buffer is written back whole and flushed to the disk. A write that
    // fails leaves the record as it was.
    void Aggiorna(std::int64_t numero, Record& buffer, const std::function<void(std::size_t letti)>& unisci);

    // The save of a card: with an empty number the record is appended at the
    // end of the file (a trailing fragment is overwritten, a record appended
    // meanwhile by another workstation is not); with a number n from 1 to the
    // count it rewrites record n, with the count + 1 it writes the next
    // record. Any other text throws AccessoArchivio and writes nothing.
    // Returns the number of the record written; the data are on disk when it
    // returns. Both take the archive's write lock, so that workstations
    // sharing the folder never get the same number; an append that fails
    // leaves the archive as it was, so a retry stores the record once.
    std::int64_t Scrivi(std::string_view numero, const Record& buffer);

    // The whole records from `numero` (1-based) on that fit in `records` (a
    // multiple of the record size), in one read; returns how many were read,
    // fewer at the end of the file.
    std::size_t LeggiDa(std::int64_t numero, std::span<std::uint8_t> records);
    // Every record in file order, read in large blocks.
    void PerOgni(const std::function<void(std::int64_t numero, const RecordView& record)>& each);
    // The same over `quanti` records from the 0-based `primo`, leaving the
    // archive as it is: threads may each read a part at once.
    void PerOgniIn(std::int64_t primo, std::int64_t quanti,
                   const std::function<void(std::int64_t numero, const RecordView& record)>& each) const;

    // Closes the file, raising when written data could not be stored.
    void Chiudi() { file_.Close(); }

private:
    const RecordType* type_;
    rtl::RecordFile file_;
    mutable std::optional<std::int64_t> conta_;
};

} // namespace common
