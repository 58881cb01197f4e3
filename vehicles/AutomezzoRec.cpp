#include "vehicles/AutomezzoRec.h"

#include <stdexcept>

#include "platform/image/Image.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

namespace vehicles {

std::string PercorsoArchivioAutomezzi() {
    return rtl::DataPath(kArchivioAutomezzi);
}

std::string CartellaFotoAutomezzi() {
    return rtl::DataPath("Autoparco");
}

std::string FileFotoAutomezzo(std::string_view numero) {
    return CartellaFotoAutomezzi() + "/Scheda_Veicolo_" + rtl::Trim(numero) + ".jpg";
}

std::shared_ptr<const img::Bitmap> FotoAutomezzo(std::string_view numero) {
    try {
        const std::optional<std::string> bytes = rtl::ReadFileIfExists(FileFotoAutomezzo(numero));
        if (!bytes) return nullptr;
        return std::make_shared<const img::Bitmap>(img::LoadMemory(*bytes));
    } catch (const rtl::DataError&) {
        // A photo that cannot be read or decoded is no photo: the placeholder shows.
        return nullptr;
    }
}

std::string ControlloCampo(int i) {
    static const auto elements = TAutomezzoRec.Elements();
    if (i < 0 || i >= int(elements.size())) throw std::out_of_range("campo del veicolo inesistente");
    return (i < kCampiInEdit ? "txt" : "lbl") + elements[std::size_t(i)].name;
}

} // namespace vehicles
