#include "gate/NonUsciti.h"

#include <string>

#include "gate/Visite.h"

TfrmNonUsciti* frmNonUsciti = nullptr;

namespace {

// The last text searched for in this list, for the whole run.
std::string ricordato;

const common::FieldRef kDataUsc = gate::TVisitaRec.Field("DataUsc");

gate::ConfigLista Configurazione() {
    gate::ConfigLista c;
    c.filtro = [](const common::RecordView& v, std::string_view) {
        return gate::CampoGrezzo(v, kDataUsc).empty();
    };
    c.formato = &gate::FormatoNonUsciti();
    c.titolo = [](std::string_view) { return std::string("Veicoli non ancora usciti"); };
    return c;
}

} // namespace

TfrmNonUsciti::TfrmNonUsciti(ui::Application& app, ui::Form* owner, gate::RitornoVisita* ritorno)
    : gate::TfrmListaVisite(app, owner, "gate/NonUsciti.layout", Configurazione(), ricordato, ritorno),
      controls::NonUsciti(this) {}
