#include "drivers/ConduttoreRec.h"

#include "common/ListLayout.h"
#include "platform/rtl/Files.h"

namespace drivers {

std::string PercorsoArchivioConduttori() {
    return rtl::DataPath(kArchivioConduttori);
}

common::FormatoRiga FormatoConduttore(std::size_t larghezza, std::string_view prima,
                                      std::string_view ultimo) {
    common::FormatoRiga formato(TConduttoreRec);
    formato.colonna("Conducente", larghezza)
        .testo("  Cel. ")
        .colonna("TelCel", 14)
        .testo("  ")
        .colonna({"Marca", "Modello"}, larghezza)
        .testo("  Targa: ")
        .colonna("Targa", 12)
        .testo(prima)
        .ultima(ultimo);
    return formato;
}

} // namespace drivers
