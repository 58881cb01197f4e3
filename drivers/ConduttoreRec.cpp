#include "drivers/ConduttoreRec.h"

#include "common/ListLines.h"
#include "platform/rtl/Files.h"

namespace drivers {

std::string PercorsoArchivioConduttori() { return rtl::DataPath(kArchivioConduttori); }

std::string RigaConduttore(const common::RecordView& conduttore, std::size_t larghezza, std::string_view prima,
                           common::FieldRef ultimo) {
    static constexpr common::FieldRef conducente = TConduttoreRec.field("Conducente");
    static constexpr common::FieldRef telCel = TConduttoreRec.field("TelCel");
    static constexpr common::FieldRef marca = TConduttoreRec.field("Marca");
    static constexpr common::FieldRef modello = TConduttoreRec.field("Modello");
    static constexpr common::FieldRef targa = TConduttoreRec.field("Targa");
    return common::RigaLista()
        .colonna(conduttore, conducente, larghezza)
        .testo("  Cel. ")
        .colonna(conduttore, telCel, 14)
        .testo("  ")
        .colonna(conduttore.get(marca) + " " + conduttore.get(modello), larghezza)
        .testo("  Targa: ")
        .colonna(conduttore, targa, 12)
        .testo(prima)
        .ultima(conduttore, ultimo)
        .str();
}

} // namespace drivers
