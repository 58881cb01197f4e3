#include "common/ExportWindow.h"

#include <new>

#include "common/Archive.h"
#include "common/OpenURL.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

namespace common {

std::string CampiDiRecord::operator()(const RecordView& r) const {
    std::string out;
    for (std::size_t i = 0; i < campi.size(); ++i) {
        if (i) out += ' ';
        out += r.get(campi[i]);
    }
    return out;
}

CellaDiRecord Campo(std::string_view campo) {
    return CampiDiRecord{{std::string(campo)}};
}

CellaDiRecord Campi(std::vector<std::string> campi) {
    return CampiDiRecord{std::move(campi)};
}

Esportazione::Esportazione(ui::StringGrid& grdRecords, ConfigEsportazione config)
    : grd_(grdRecords), config_(std::move(config)) {}

namespace {
// A grid column filled from fields of the record: their places, found once.
struct ColonnaCampi {
    std::vector<FieldRef> campi; // empty: a cell of another kind
};
} // namespace

void Esportazione::RiempiGriglia() {
    completa_ = false;
    // The grid tells the backend once, when the fill ends (or fails).
    grd_.BeginUpdate();
    struct Fine {
        ui::StringGrid& g;
        ~Fine() { g.EndUpdate(); }
    } fine{grd_};
    try {
        std::vector<ColonnaCampi> colonne(config_.celle.size());
        for (std::size_t c = 0; c < config_.celle.size(); ++c)
            if (const auto* f = config_.celle[c].target<CampiDiRecord>())
                for (const std::string& nome : f->campi)
                    colonne[c].campi.push_back(config_.record->field(nome));
        Archivio archivio(config_.archivio(), *config_.record);
        const std::int64_t count = archivio.Conta();
        if (count > 0) {
            grd_.SetRowCount(int(count));
            int row = 0;
            std::string testo;
            std::size_t scritti = 0; // bytes of cell text so far
            archivio.PerOgni([&](std::int64_t numero, const RecordView& r) {
                testo = std::to_string(numero);
                grd_.SetCell(0, row, testo);
                scritti += testo.size();
                for (std::size_t c = 0; c < colonne.size(); ++c) {
                    const std::vector<FieldRef>& campi = colonne[c].campi;
                    if (campi.empty()) {
                        const std::string cella = config_.celle[c](r);
                        grd_.SetCell(int(c) + 1, row, cella);
                        scritti += cella.size();
                        continue;
                    }
                    // Trimmed fields joined by one blank, decoded as written.
                    testo.clear();
                    for (std::size_t i = 0; i < campi.size(); ++i) {
                        if (i) testo += ' ';
                        rtl::AppendCp1252AsUtf8(testo, rtl::TrimView(RawText(r.bytes(), campi[i])));
                    }
                    grd_.SetCell(int(c) + 1, row, testo);
                    scritti += testo.size();
                }
                ++row;
                // The text of the first rows tells how much the whole grid
                // will hold: room for it at once.
                if (row == 256 && count > 512) {
                    try {
                        grd_.ReserveText(std::size_t(double(scritti) / 256 * double(count) * 1.1));
                    } catch (const std::bad_alloc&) {
                        // Only a hint: the texts then grow as they come.
                    }
                }
            });
        }
        completa_ = true;
    } catch (const rtl::DataError&) {
        // An archive that cannot be read ends the fill without a word; the
        // rows filled so far stay on screen.
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
        // The cells as the grid holds them now (a cell the user edited
        // included), written in blocks.
        ScriviFileExcel(path, config_.foglio, config_.intestazioni, std::size_t(grd_.RowCount()),
                        [this](std::size_t colonna, std::size_t riga) {
                            return grd_.CellView(int(colonna) + 1, int(riga));
                        });
    } catch (const rtl::DataError&) {
        ui::ShowMessage(std::string(kMsgEsportazioneFallita));
        return;
    }
    if (ui::MessageDlg(std::string(kMsgEsportazioneRiuscita), ui::DialogType::Confirmation,
                       ui::Buttons::YesNo) != ui::Answer::No)
        TMisc::Open("\"" + path + "\"");
}

} // namespace common
