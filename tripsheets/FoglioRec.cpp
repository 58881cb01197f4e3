#include "tripsheets/FoglioRec.h"

#include "common/ListLines.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Ini.h"
#include "platform/rtl/Text.h"
#include "tripsheets/Fogli.h"

namespace tripsheets {

namespace {
constexpr std::string_view kSezioneNumerazione = "Numerazione Fogli di Marcia";
constexpr std::string_view kChiaveInizio = "Inizio";
constexpr std::string_view kSezioneFogli = "Fogli di Marcia";
constexpr std::string_view kChiaveUfficio = "Ufficio Emittente";

rtl::IniFile Impostazioni() {
    return rtl::IniFile(rtl::DataPath("Fogli_di_Marcia.ini"));
}

constexpr common::FieldRef kDataChiusura = TFoglioRec.field("DataChiusura");
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
void ScriviUfficioEmittente(std::string_view ufficio) {
    Impostazioni().WriteString(kSezioneFogli, kChiaveUfficio, ufficio);
}

std::string PercorsoArchivioFogli() {
    return frmFogli ? rtl::Trim(frmFogli->lblFile.Text()) : std::string();
}

bool FoglioAperto(const common::RecordView& foglio) {
    return rtl::TrimView(common::RawText(foglio.bytes(), kDataChiusura)).empty();
}

const common::FormatoRiga& FormatoFoglio() {
    static const common::FormatoRiga formato = std::move(common::FormatoRiga(TFoglioRec)
                                                             .testo("Foglio n. ")
                                                             .colonna("NumFoglio", 12)
                                                             .testo("  Data: ")
                                                             .colonna("DataApertura", 10)
                                                             .testo("  Ora: ")
                                                             .colonna("OraApertura", 5)
                                                             .testo("  ")
                                                             .colonna("Conduttore", 25)
                                                             .testo("  Cel. ")
                                                             .colonna("TelCel", 15)
                                                             .testo("  Mezzo: ")
                                                             .colonna("Veicolo", 25)
                                                             .testo("  Targa: ")
                                                             .ultima("Targa"));
    return formato;
}

} // namespace tripsheets
