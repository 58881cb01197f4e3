#include "gate/EntratiOggi.h"

#include <string>

#include "gate/Visite.h"

TfrmEntratiOggi* frmEntratiOggi = nullptr;

namespace {

// The last text searched for in this list, for the whole run.
std::string ricordato;

const common::FieldRef kDataEnt = gate::TVisitaRec.Field("DataEnt");

gate::ConfigLista Configurazione() {
    gate::ConfigLista c;
    c.filtro = [](const common::RecordView& v, std::string_view oggi) {
        return gate::CampoGrezzo(v, kDataEnt) == oggi;
    };
    c.formato = &gate::FormatoEntratiOggi();
    c.titolo = [](std::string_view oggi) { return "Veicoli entrati in data " + std::string(oggi); };
    return c;
}

} // namespace

TfrmEntratiOggi::TfrmEntratiOggi(ui::Application& app, ui::Form* owner, gate::RitornoVisita* ritorno)
    : gate::TfrmListaVisite(app, owner, "gate/EntratiOggi.layout", Configurazione(), ricordato, ritorno),
      controls::EntratiOggi(this) {}
