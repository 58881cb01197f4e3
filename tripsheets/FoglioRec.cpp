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

rtl::IniFile Impostazioni() { return rtl::IniFile(rtl::DataPath("Fogli_di_Marcia.ini")); }

constexpr common::FieldRef kNumFoglio = TFoglioRec.field("NumFoglio");
constexpr common::FieldRef kDataApertura = TFoglioRec.field("DataApertura");
constexpr common::FieldRef kOraApertura = TFoglioRec.field("OraApertura");
constexpr common::FieldRef kDataChiusura = TFoglioRec.field("DataChiusura");
constexpr common::FieldRef kConduttore = TFoglioRec.field("Conduttore");
constexpr common::FieldRef kTelCel = TFoglioRec.field("TelCel");
constexpr common::FieldRef kVeicolo = TFoglioRec.field("Veicolo");
constexpr common::FieldRef kTarga = TFoglioRec.field("Targa");
} // namespace

std::string InizioNumerazione() { return Impostazioni().ReadString(kSezioneNumerazione, kChiaveInizio); }
void ScriviInizioNumerazione(std::string_view inizio) {
    Impostazioni().WriteString(kSezioneNumerazione, kChiaveInizio, inizio);
}
std::string UfficioEmittente() { return Impostazioni().ReadString(kSezioneFogli, kChiaveUfficio); }
void ScriviUfficioEmittente(std::string_view ufficio) { Impostazioni().WriteString(kSezioneFogli, kChiaveUfficio, ufficio); }

std::string PercorsoArchivioFogli() { return frmFogli ? rtl::Trim(frmFogli->lblFile.Text()) : std::string(); }

bool FoglioAperto(const common::RecordView& foglio) {
    return rtl::TrimView(common::RawText(foglio.bytes(), kDataChiusura)).empty();
}

std::string RigaFoglio(const common::RecordView& foglio) {
    return common::RigaLista()
        .testo("Foglio n. ")
        .colonna(foglio, kNumFoglio, 12)
        .testo("  Data: ")
        .colonna(foglio, kDataApertura, 10)
        .testo("  Ora: ")
        .colonna(foglio, kOraApertura, 5)
        .testo("  ")
        .colonna(foglio, kConduttore, 25)
        .testo("  Cel. ")
        .colonna(foglio, kTelCel, 15)
        .testo("  Mezzo: ")
        .colonna(foglio, kVeicolo, 25)
        .testo("  Targa: ")
        .ultima(foglio, kTarga)
        .str();
}

} // namespace tripsheets
