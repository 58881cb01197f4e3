#include "common/Calendario.h"

#include <string>
#include <vector>

#include "platform/rtl/Clock.h"
#include "platform/rtl/Date.h"

TfrmCalendario* frmCalendario = nullptr;

namespace {

// The routing tags that the date fields write, in the order they are tried:
// five of the vehicle card, twenty-one of the trip-sheet window, two of the
// visit card.
const std::vector<std::string>& RoutingTags() {
    static const std::vector<std::string> tags = [] {
        std::vector<std::string> t = {
            "autoparco_lettura",           "autoparco_scadrevisione", "autoparco_scadtagliando",
            "autoparco_scadassicurazione", "autoparco_scadbollo",     "fogli_dataapertura",
            "fogli_datachiusura",
        };
        for (const char* n : {"01", "02", "03"})
            t.push_back(std::string("fogli_datarif") + n);
        for (const char* n : {"01", "02", "03", "04", "05", "06", "07", "08"})
            t.push_back(std::string("fogli_datapar") + n);
        for (const char* n : {"01", "02", "03", "04", "05", "06", "07", "08"})
            t.push_back(std::string("fogli_dataarr") + n);
        t.push_back("dataent");
        t.push_back("datausc");
        return t;
    }();
    return tags;
}

} // namespace

TfrmCalendario::TfrmCalendario(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "common/Calendario.layout"), controls::Calendario(this) {
    OnShow = [this] { FormShow(); };
    btnImportaData.OnClick = [this] { btnImportaDataClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
    FormCreate();
}

// The date and number formats are fixed for the whole program; the picker
// only starts on today.
void TfrmCalendario::FormCreate() {
    calAppuntamenti.SetDate(rtl::Today());
}

// The picker opens on its calendar, so the arrows move the day at once;
// Enter presses "Importa" and Escape "Annulla" (marked in the layout).
void TfrmCalendario::FormShow() {
    calAppuntamenti.SetFocus();
}

void TfrmCalendario::btnImportaDataClick() {
    // The tag is compared as written, blanks and letter case included: a tag
    // that is not a routing tag writes nothing and leaves the picker open.
    for (const std::string& tag : RoutingTags()) {
        if (lblMemory.Text() != tag) continue;
        if (campo_) campo_->SetText(rtl::FormatDate(calAppuntamenti.Date()));
        Close();
        return;
    }
}

void TfrmCalendario::btnAnnullaClick() {
    Close();
}
