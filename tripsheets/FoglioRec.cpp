#include "tripsheets/FoglioRec.h"

#include "common/ListLayout.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Ini.h"
#include "platform/rtl/Text.h"

namespace tripsheets {

namespace {
constexpr std::string_view kSezioneNumerazione = "Numerazione Fogli di Marcia";
constexpr std::string_view kChiaveInizio = "Inizio";
constexpr std::string_view kSezioneFogli = "Fogli di Marcia";
constexpr std::string_view kChiaveUfficio = "Ufficio Emittente";

rtl::IniFile Impostazioni() {
    return rtl::IniFile(rtl::DataPath("Fogli_di_Marcia.ini"));
}

constexpr common::FieldRef kDataChiusura = TFoglioRec.Field("DataChiusura");
} // namespace

std::string InizioNumerazione() {
    return Impostazioni().ReadString(kSezioneNumerazione, kChiaveInizio);
}
void ScriviInizioNumerazione(std::string_view inizio) {
    Impostazioni().WriteString(kSezioneNumerazione, kChiaveInizio, inizio);
}
std::string UfficioEmittente() {
    return Impostazioni().ReadString(kSezioneFogli, kChiaveUfficio);
}
// A line break cannot stand in a value of the file: an office that holds
// one (a damaged record brought it) is written with a blank in its place.
// CR LF and LF CR count as one line break, as a lone CR or LF does.
void ScriviUfficioEmittente(std::string_view ufficio) {
    std::string riga;
    for (std::size_t i = 0; i < ufficio.size(); ++i) {
        const char c = ufficio[i];
        if (c != '\r' && c != '\n') {
            riga += c;
            continue;
        }
        riga += ' ';
        if (i + 1 < ufficio.size() && (ufficio[i + 1] == '\r' || ufficio[i + 1] == '\n') &&
            ufficio[i + 1] != c)
            ++i;
    }
    Impostazioni().WriteString(kSezioneFogli, kChiaveUfficio, riga);
}

bool FoglioAperto(const common::RecordView& foglio) {
    return rtl::TrimView(common::RawText(foglio.Bytes(), kDataChiusura)).empty();
}

const common::FormatoRiga& FormatoFoglio() {
    static const common::FormatoRiga formato = std::move(common::FormatoRiga(TFoglioRec)
                                                             .Testo("Foglio n. ")
                                                             .Colonna("NumFoglio", 12)
                                                             .Testo("  Data: ")
                                                             .Colonna("DataApertura", 10)
                                                             .Testo("  Ora: ")
                                                             .Colonna("OraApertura", 5)
                                                             .Testo("  ")
                                                             .Colonna("Conduttore", 25)
                                                             .Testo("  Cel. ")
                                                             .Colonna("TelCel", 15)
                                                             .Testo("  Mezzo: ")
                                                             .Colonna("Veicolo", 25)
                                                             .Testo("  Targa: ")
                                                             .Ultima("Targa"));
    return formato;
}

} // namespace tripsheets
