#include "common/ExportWindow.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "common/Archive.h"
#include "common/Commands.h"
#include "common/Guida.h"
#include "common/OpenURL.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

namespace common {

namespace {

// The records needed to write one file block or to draw a screenful of rows
// are read at once: about 1 MiB, or 64 records.
constexpr std::size_t kBloccoEsportazione = 1 << 20;
constexpr std::size_t kBloccoGriglia = 64;

// A configuration that names no archive exports the one preset in `archivio`.
ConfigEsportazione ConArchivio(ConfigEsportazione config, const std::string& archivio) {
    if (!config.archivio) config.archivio = [&archivio] { return archivio; };
    return config;
}

} // namespace

// The exported columns of a record: the places of their fields, found once,
// and a cell's bytes as the archive holds them (windows-1252), the fields
// trimmed and joined by one blank.
class CampiEsportati {
public:
    CampiEsportati(const RecordType& record, const std::vector<ColonnaEsportata>& colonne) {
        for (const ColonnaEsportata& c : colonne) {
            std::vector<FieldRef> campi;
            for (const std::string& nome : c.campi) {
                campi.push_back(record.Field(nome));
                // Every field lies inside the record: checked once here, not
                // at each cell.
                if (campi.back().offset + std::size_t(campi.back().capacity) + 1 > record.size)
                    throw std::out_of_range("campo oltre la fine del record");
            }
            colonne_.push_back(std::move(campi));
        }
    }
    std::size_t Colonne() const { return colonne_.size(); }
    // Column `colonna` (0-based) of `record` (a whole record): a view of the
    // record itself for one field, else of `unite`.
    std::string_view Cella(std::span<const std::uint8_t> record, std::size_t colonna,
                           std::string& unite) const {
        const std::vector<FieldRef>& campi = colonne_[colonna];
        if (campi.size() == 1) return Testo(record, campi[0]);
        unite.clear();
        for (std::size_t i = 0; i < campi.size(); ++i) {
            if (i) unite += ' ';
            unite += Testo(record, campi[i]);
        }
        return unite;
    }

private:
    // The field's text, trimmed (as RawText and TrimView give it, inline:
    // this runs for every cell of the archive).
    static std::string_view Testo(std::span<const std::uint8_t> record, FieldRef f) {
        const char* p = reinterpret_cast<const char*>(record.data() + f.offset + 1);
        std::size_t n = std::min<std::size_t>(record[f.offset], std::size_t(f.capacity));
        while (n > 0 && static_cast<unsigned char>(*p) <= ' ') {
            ++p;
            --n;
        }
        while (n > 0 && static_cast<unsigned char>(p[n - 1]) <= ' ')
            --n;
        return {p, n};
    }

    std::vector<std::vector<FieldRef>> colonne_;
};

// The grid's cells read from the archive's records when the grid shows them:
// nothing is copied into the grid, and a grid of any size fills at once. The
// records of the rows drawn are read a block at a time; a block that cannot
// be read (the archive cut short or gone meanwhile) shows empty rows.
class CelleArchivio final : public ui::GridSource {
public:
    CelleArchivio(std::string archivio, const RecordType& record, std::shared_ptr<const CampiEsportati> campi)
        : archivio_(std::move(archivio)), record_(&record), campi_(std::move(campi)) {}

    std::string_view Cell(int col, int row, std::string& scratch) const override {
        if (row < 0 || col < 0 || std::size_t(col) > campi_->Colonne()) return {};
        if (col == 0) return scratch = std::to_string(row + 1);
        const std::size_t r = std::size_t(row);
        if (blocco_.empty() || r < primo_ || r >= primo_ + kBloccoGriglia) Leggi(r - r % kBloccoGriglia);
        if (r >= primo_ + letti_) return {};
        const std::span<const std::uint8_t> bytes(blocco_.data() + (r - primo_) * record_->size,
                                                  record_->size);
        const std::string_view b = campi_->Cella(bytes, std::size_t(col) - 1, unite_);
        for (char c : b)
            if (static_cast<unsigned char>(c) >= 0x80) {
                scratch.clear();
                rtl::AppendCp1252AsUtf8(scratch, b);
                return scratch;
            }
        return b;
    }

private:
    void Leggi(std::size_t primo) const {
        blocco_.resize(kBloccoGriglia * record_->size);
        primo_ = primo;
        letti_ = 0;
        try {
            Archivio archivio(archivio_, *record_);
            letti_ = archivio.LeggiDa(std::int64_t(primo) + 1, blocco_);
        } catch (const rtl::DataError&) {
            // Shown empty; the export reads the archive anew and reports it.
        }
    }

    std::string archivio_;
    const RecordType* record_;
    std::shared_ptr<const CampiEsportati> campi_;
    mutable std::vector<std::uint8_t> blocco_; // records primo_ to primo_ + letti_ - 1
    mutable std::size_t primo_ = 0, letti_ = 0;
    mutable std::string unite_;
};

namespace {

// The records of the grid's rows read again as the file is written, a block
// at a time in row order: the export's one pass over the archive. An archive
// that has lost records since the grid was filled fails the export.
class RecordDaEsportare {
public:
    RecordDaEsportare(const std::string& archivio, const RecordType& record, std::size_t righe)
        : archivio_(archivio, record), size_(record.size), righe_(righe),
          blocco_(std::max<std::size_t>(1, kBloccoEsportazione / size_) * size_) {}

    // The bytes of the record of row `riga`, valid until the next call.
    std::span<const std::uint8_t> Record(std::size_t riga) {
        if (riga < primo_ || riga >= primo_ + letti_) {
            primo_ = riga;
            const std::size_t quanti = std::min(blocco_.size() / size_, righe_ - riga);
            letti_ = archivio_.LeggiDa(std::int64_t(riga) + 1, std::span(blocco_).first(quanti * size_));
            if (letti_ == 0) throw AccessoArchivio("archivio accorciato");
        }
        return std::span(blocco_).subspan((riga - primo_) * size_, size_);
    }

private:
    Archivio archivio_;
    std::size_t size_;
    std::size_t righe_;
    std::vector<std::uint8_t> blocco_;
    std::size_t primo_ = 0, letti_ = 0;
};

} // namespace

Esportazione::Esportazione(ui::StringGrid& grdRecords, ConfigEsportazione config)
    : grd_(grdRecords), config_(std::move(config)),
      campi_(std::make_shared<const CampiEsportati>(*config_.record, config_.colonne)) {
    for (const ColonnaEsportata& c : config_.colonne)
        intestazioni_.push_back(c.intestazione);
}

Esportazione::~Esportazione() = default;

void Esportazione::RiempiGriglia() {
    completa_ = false;
    try {
        const std::string path = config_.archivio();
        Archivio archivio(path, *config_.record);
        const std::int64_t count = archivio.Conta();
        if (count > 0) {
            auto celle = std::make_shared<const CelleArchivio>(path, *config_.record, campi_);
            grd_.SetSource(celle, int(count));
            celle_ = std::move(celle);
            archivio_ = path;
        }
        completa_ = true;
    } catch (const rtl::DataError&) {
        // The grid stays as it was, and is not exported.
    }
}

void Esportazione::Esporta() {
    if (ui::MessageDlg(std::string(kMsgDomandaEsportazione), ui::DialogType::Confirmation,
                       ui::Buttons::YesNo) == ui::Answer::No)
        return;
    const std::string path = rtl::DataPath(config_.file);
    try {
        // A grid that could not be filled would export a part of the archive.
        if (!completa_) throw AccessoArchivio("griglia incompleta");
        const std::size_t righe = std::size_t(grd_.RowCount());
        if (grd_.Source() != nullptr && grd_.Source() == celle_.get()) {
            const std::size_t daArchivio = std::size_t(grd_.SourceRows());
            RecordDaEsportare record(archivio_, *config_.record, daArchivio);
            std::string unite;
            ScriviFileExcel(path, config_.foglio, intestazioni_, righe,
                            [&](std::size_t riga, CelleRiga& celle) {
                                const int row = int(riga);
                                if (riga >= daArchivio) {
                                    for (std::size_t i = 0; i < intestazioni_.size(); ++i)
                                        celle.Testo(grd_.CellView(int(i) + 1, row));
                                    return;
                                }
                                // The record's cells straight from its bytes, but for a cell
                                // the user edited in the grid.
                                const std::span<const std::uint8_t> bytes = record.Record(riga);
                                for (std::size_t i = 0; i < intestazioni_.size(); ++i) {
                                    if (const std::string* s = grd_.SetOverSource(int(i) + 1, row))
                                        celle.Testo(*s);
                                    else
                                        celle.Grezzo(campi_->Cella(bytes, i, unite));
                                }
                            });
        } else {
            ScriviFileExcel(path, config_.foglio, intestazioni_, righe,
                            [this](std::size_t colonna, std::size_t riga) {
                                return TestoCella{grd_.CellView(int(colonna) + 1, int(riga))};
                            });
        }
    } catch (const rtl::DataError&) {
        ui::ShowMessage(std::string(kMsgEsportazioneFallita));
        return;
    }
    if (ui::MessageDlg(std::string(kMsgEsportazioneRiuscita), ui::DialogType::Confirmation,
                       ui::Buttons::YesNo) != ui::Answer::No)
        TMisc::Open("\"" + path + "\"");
}

TfrmEsportazione::TfrmEsportazione(ui::Application& app, ui::Form* owner, ConfigFinestraEsportazione config)
    : ui::Form(app, owner, config.layout), controls::ExportWindow(this),
      esportazione_(grdRecords, ConArchivio(std::move(config.esportazione), archivio_)) {
    OnShow = [this] { esportazione_.RiempiGriglia(); };
    cmdEsporta.OnClick = [this] { esportazione_.Esporta(); };
    cmdGuida.OnClick = [this, titolo = std::move(config.titoloGuida), guida = std::move(config.guida)] {
        ShowHelpTopic(*this, titolo, guida);
    };
    cmdEsci.OnClick = [this] { Close(); };
    LegaSuggerimento(cmdEsporta, panInfo, "Esporta l'archivio in formato Microsoft Excel.");
    LegaSuggerimento(cmdGuida, panInfo, "Visualizza la pagina della guida sensibile al contesto.");
    LegaSuggerimento(cmdEsci, panInfo, "Esci da questo ambiente di lavoro.");
    LegaSfondo(*this, panInfo, config.sfondo);
}

} // namespace common
