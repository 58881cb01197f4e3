#include "shell/Calendario.h"

#include <string>

#include "gate/Registro.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Date.h"
#include "tripsheets/Fogli.h"
#include "vehicles/Autoparco.h"

TfrmCalendario* frmCalendario = nullptr;

namespace {

struct Route {
    std::string tag;
    ui::Form* (*window)();
    std::string field;
};

ui::Form* Autoparco() {
    return frmAutoparco;
}
ui::Form* Fogli() {
    return frmFogli;
}
ui::Form* Registro() {
    return frmRegistro;
}

// Routing tags and the field each one names, in the order they are tried.
const std::vector<Route>& Routes() {
    static const std::vector<Route> routes = [] {
        std::vector<Route> r = {
            {"autoparco_lettura", Autoparco, "txtLettura"},
            {"autoparco_scadrevisione", Autoparco, "txtScadRevisione"},
            {"autoparco_scadtagliando", Autoparco, "txtScadTagliando"},
            {"autoparco_scadassicurazione", Autoparco, "txtScadAssicurazione"},
            {"autoparco_scadbollo", Autoparco, "txtScadBollo"},
            {"fogli_dataapertura", Fogli, "txtDataApertura"},
            {"fogli_datachiusura", Fogli, "txtDataChiusura"},
        };
        for (const char* n : {"01", "02", "03"})
            r.push_back({std::string("fogli_datarif") + n, Fogli, std::string("txtDataRif") + n});
        for (const char* n : {"01", "02", "03", "04", "05", "06", "07", "08"})
            r.push_back({std::string("fogli_datapar") + n, Fogli, std::string("txtDataPar") + n});
        for (const char* n : {"01", "02", "03", "04", "05", "06", "07", "08"})
            r.push_back({std::string("fogli_dataarr") + n, Fogli, std::string("txtDataArr") + n});
        r.push_back({"dataent", Registro, "txtDataEnt"});
        r.push_back({"datausc", Registro, "txtDataUsc"});
        return r;
    }();
    return routes;
}

} // namespace

TfrmCalendario::TfrmCalendario(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "shell/Calendario.layout"), lblCampo001(Get<ui::Label>("lblCampo001")),
      calAppuntamenti(Get<ui::Calendar>("calAppuntamenti")),
      btnImportaData(Get<ui::Button>("btnImportaData")), btnAnnulla(Get<ui::Button>("btnAnnulla")),
      lblMemory(Get<ui::Label>("lblMemory")) {
    btnImportaData.OnClick = [this] { btnImportaDataClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
    FormCreate();
}

// The date and number formats are fixed for the whole program; the picker
// only starts on today.
void TfrmCalendario::FormCreate() {
    calAppuntamenti.SetDate(rtl::Today());
}

void TfrmCalendario::btnImportaDataClick() {
    // The tag is compared as written, blanks and letter case included: a tag
    // that names no field leaves every window as it is and the picker open.
    for (const Route& route : Routes()) {
        if (lblMemory.Text() != route.tag) continue;
        if (ui::Form* window = route.window())
            window->Get<ui::Edit>(route.field).SetText(rtl::FormatDate(calAppuntamenti.Date()));
        Close();
        return;
    }
}

void TfrmCalendario::btnAnnullaClick() {
    Close();
}
