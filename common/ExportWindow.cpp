#include "common/ExportWindow.h"

#include "common/Archive.h"
#include "shell/OpenURL.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

namespace common {

CellaDiRecord Campo(std::string_view campo) {
    return [name = std::string(campo)](const RecordView& r) { return r.get(name); };
}

CellaDiRecord Campi(std::vector<std::string> campi) {
    return [campi = std::move(campi)](const RecordView& r) {
        std::string out;
        for (std::size_t i = 0; i < campi.size(); ++i) {
            if (i) out += ' ';
            out += r.get(campi[i]);
        }
        return out;
    };
}

Esportazione::Esportazione(ui::StringGrid& grdRecords, ConfigEsportazione config)
    : grd_(grdRecords), config_(std::move(config)) {}

void Esportazione::RiempiGriglia() {
    completa_ = false;
    try {
        Archivio archivio(config_.archivio(), *config_.record);
        const std::int64_t count = archivio.Conta();
        if (count > 0) {
            grd_.SetRowCount(int(count));
            int row = 0;
            archivio.PerOgni([&](std::int64_t numero, const RecordView& r) {
                grd_.SetCell(0, row, std::to_string(numero));
                for (std::size_t c = 0; c < config_.celle.size(); ++c) grd_.SetCell(int(c) + 1, row, config_.celle[c](r));
                ++row;
            });
        }
        completa_ = true;
    } catch (...) {
        // The rows filled so far stay on screen.
    }
}

void Esportazione::Esporta() {
    if (ui::MessageDlg(std::string(kMsgDomandaEsportazione), ui::DialogType::Confirmation, ui::Buttons::YesNo) ==
        ui::Answer::No)
        return;
    const std::string path = rtl::DataPath(config_.file);
    try {
        // A grid that could not be filled would export a part of the archive.
        if (!completa_) throw std::runtime_error("griglia incompleta");
        std::vector<std::vector<std::string>> righe;
        righe.reserve(std::size_t(grd_.RowCount()));
        for (int r = 0; r < grd_.RowCount(); ++r) {
            std::vector<std::string> riga;
            for (std::size_t c = 1; c <= config_.intestazioni.size(); ++c) riga.push_back(grd_.Cell(int(c), r));
            righe.push_back(std::move(riga));
        }
        ScriviFileExcel(path, config_.foglio, config_.intestazioni, righe);
    } catch (...) {
        ui::ShowMessage(std::string(kMsgEsportazioneFallita));
        return;
    }
    if (ui::MessageDlg(std::string(kMsgEsportazioneRiuscita), ui::DialogType::Confirmation, ui::Buttons::YesNo) !=
        ui::Answer::No)
        TMisc::Open("\"" + path + "\"");
}

} // namespace common
