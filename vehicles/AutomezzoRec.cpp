#include "vehicles/AutomezzoRec.h"

#include <stdexcept>

#include "platform/rtl/Files.h"

namespace vehicles {

std::string PercorsoArchivioAutomezzi() { return rtl::DataPath(kArchivioAutomezzi); }

std::string ControlloCampo(int i) {
    static const auto elements = TAutomezzoRec.elements();
    if (i < 0 || i >= int(elements.size())) throw std::out_of_range("campo del veicolo inesistente");
    return (i < kCampiInEdit ? "txt" : "lbl") + elements[std::size_t(i)].name;
}

} // namespace vehicles
