#include "gate/UscitiOggi.h"

#include <string>

#include "gate/Visite.h"

TfrmUscitiOggi* frmUscitiOggi = nullptr;

namespace {

// The last text searched for in this list, for the whole run.
std::string ricordato;

const common::FieldRef kDataUsc = gate::TVisitaRec.Field("DataUsc");

gate::ConfigLista Configurazione() {
    gate::ConfigLista c;
    c.filtro = [](const common::RecordView& v, std::string_view oggi) {
        return gate::CampoGrezzo(v, kDataUsc) == oggi;
    };
    c.formato = &gate::FormatoUscitiOggi();
    c.titolo = [](std::string_view oggi) { return "Veicoli usciti in data " + std::string(oggi); };
    return c;
}

} // namespace

TfrmUscitiOggi::TfrmUscitiOggi(ui::Application& app, ui::Form* owner, gate::RitornoVisita* ritorno)
    : gate::TfrmListaVisite(app, owner, "gate/UscitiOggi.layout", Configurazione(), ricordato, ritorno),
      controls::UscitiOggi(this) {}
