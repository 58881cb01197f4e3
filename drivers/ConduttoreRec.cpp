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
    formato.Colonna("Conducente", larghezza)
        .Testo("  Cel. ")
        .Colonna("TelCel", 14)
        .Testo("  ")
        .Colonna({"Marca", "Modello"}, larghezza)
        .Testo("  Targa: ")
        .Colonna("Targa", 12)
        .Testo(prima)
        .Ultima(ultimo);
    return formato;
}

} // namespace drivers
