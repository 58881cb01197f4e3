#include "tripsheets/MenuFogli.h"

#include <optional>
#include <string>

#include "common/Guida.h"
#include "common/StartMenu.h"
#include "common/YearMenu.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "tripsheets/Fogli.h"

TfrmMenuFogli* frmMenuFogli = nullptr;

TfrmMenuFogli::TfrmMenuFogli(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/MenuFogli.layout"), controls::MenuFogli(this) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgEsci.OnClick = [this] { imgEsciClick(); };
    common::LegaAnno(txtAnnoPreventivi);
    btnApriPreventivi.OnClick = [this] { btnApriPreventiviClick(); };
}

void TfrmMenuFogli::imgGuidaClick() {
    ShowHelpTopic(*this, "App Gestione Fogli di Marcia", "tripsheets/Fogli.help");
}

void TfrmMenuFogli::imgEsciClick() {
    Close();
}

// Every showing starts from the current year and the route back to the
// start menu.
void TfrmMenuFogli::FormShow() {
    common::MostraMenuAnno(txtAnnoPreventivi, lblMemory);
}

// The route tag tells which window comes next; the menu then hides.
void TfrmMenuFogli::FormClose(ui::CloseAction&) {
    const std::string route = rtl::Trim(lblMemory.Text());
    if (route == "avvio")
        common::MostraAvvio();
    else if (route == "fogli")
        frmFogli->Show();
}

void TfrmMenuFogli::btnApriPreventiviClick() {
    const std::optional<std::string> year = common::AnnoScelto(txtAnnoPreventivi);
    if (!year) return;
    frmFogli->ImpostaAnno(*year);
    lblMemory.SetText("fogli");
    Close();
}
