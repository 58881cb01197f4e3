#include "common/Archive.h"

#include "platform/rtl/Text.h"

namespace common {

std::string MessaggioAccesso(const rtl::DataError& e, std::string_view messaggio) {
    return std::string(dynamic_cast<const rtl::FileBusy*>(&e) ? kMsgFileInUso : messaggio);
}

std::optional<std::int64_t> NumeroRecord(std::string_view text) {
    const std::string t = rtl::Trim(text);
    if (t.empty() || t.size() > 15) return std::nullopt;
    std::int64_t n = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < 1) return std::nullopt;
    return n;
}

Archivio::Archivio(const std::string& path, const RecordType& type) : type_(&type), file_(path, type.size) {}

std::int64_t Archivio::Conta() const {
    if (!conta_) conta_ = file_.Count();
    return *conta_;
}

void Archivio::Leggi(std::int64_t numero, Record& buffer) {
    if (numero < 1 || numero > Conta())
        throw AccessoArchivio("record " + std::to_string(numero) + " assente in " + file_.Path());
    file_.ReadAt(numero - 1, buffer.Bytes());
}

std::size_t Archivio::LeggiDa(std::int64_t numero, std::span<std::uint8_t> records) {
    if (numero < 1) throw AccessoArchivio("record " + std::to_string(numero) + " assente in " + file_.Path());
    return file_.ReadRecords(numero - 1, records);
}

std::size_t Archivio::LeggiParte(std::int64_t numero, Record& buffer) {
    if (numero < 1) throw AccessoArchivio("record " + std::to_string(numero) + " assente in " + file_.Path());
    return file_.ReadPart(numero - 1, buffer.Bytes());
}

void Archivio::Aggiorna(std::int64_t numero, Record& buffer,
                        const std::function<void(std::size_t letti)>& unisci) {
    if (numero < 1) throw AccessoArchivio("record " + std::to_string(numero) + " assente in " + file_.Path());
    file_.Update(numero - 1, buffer.Bytes(), unisci);
    conta_.reset();
}

std::int64_t Archivio::Scrivi(std::string_view numero, const Record& buffer) {
    std::int64_t written;
    if (rtl::Trim(numero).empty()) {
        written = file_.Append(buffer.Bytes());
    } else {
        // The number is checked against the count under the same lock as the
        // write, so that a record appended meanwhile is never overwritten as
        // "the next one".
        rtl::RecordFile::Lock lock(file_);
        const auto n = NumeroRecord(numero);
        if (!n || *n > file_.Count() + 1)
            throw AccessoArchivio("numero di scheda non valido: " + std::string(numero));
        file_.Seek(*n - 1);
        file_.Write(buffer.Bytes());
        written = *n;
    }
    conta_.reset();
    file_.Close();
    return written;
}

void Archivio::PerOgni(const std::function<void(std::int64_t, const RecordView&)>& each) {
    file_.ForEach(
        [&](std::int64_t n, std::span<const std::uint8_t> bytes) { each(n, RecordView(*type_, bytes)); });
}

void Archivio::PerOgniIn(std::int64_t primo, std::int64_t quanti,
                         const std::function<void(std::int64_t, const RecordView&)>& each) const {
    file_.ForEachIn(primo, quanti, [&](std::int64_t n, std::span<const std::uint8_t> bytes) {
        each(n, RecordView(*type_, bytes));
    });
}

} // namespace common
