#include "gate/MenuRegistro.h"

#include <optional>
#include <string>

#include "common/Guida.h"
#include "common/HelpText.h"
#include "common/StartMenu.h"
#include "common/YearMenu.h"
#include "gate/Registro.h"
#include "gate/Statistiche.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"

TfrmMenuRegistro* frmMenuRegistro = nullptr;

TfrmMenuRegistro::TfrmMenuRegistro(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/MenuRegistro.layout"), controls::MenuRegistro(this) {
    txtAnnoFatture.SetMaxLength(4);
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    common::LegaAnno(txtAnnoFatture);
    btnApriFatture.OnClick = [this] { btnApriFattureClick(); };
    btnApriRiepStats.OnClick = [this] { btnApriRiepStatsClick(); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgEsci.OnClick = [this] { Close(); };
}

// Every showing starts from the current year and the route back to the
// start menu.
void TfrmMenuRegistro::FormShow() {
    common::MostraMenuAnno(txtAnnoFatture, lblMemory);
}

// Hands the year's archive and caption to the visit card, which the close
// shows.
void TfrmMenuRegistro::btnApriFattureClick() {
    const std::optional<std::string> scelto = common::AnnoScelto(txtAnnoFatture);
    if (!scelto) return;
    const std::string& anno = *scelto;
    frmRegistro->ImpostaAnno(anno);
    lblMemory.SetText("registro");
    Close();
}

// The statistics ask for their own year.
void TfrmMenuRegistro::btnApriRiepStatsClick() {
    lblMemory.SetText("statistiche_vis");
    Close();
}

// The help of the visit card, followed by the statistics' help as one
// paragraph.
void TfrmMenuRegistro::imgGuidaClick() {
    HelpTopic registro = LoadHelpTopic("gate/Registro.help");
    std::string statistiche;
    for (const std::string& p : LoadHelpTopic("gate/Statistiche.help").paragraphs)
        statistiche += (statistiche.empty() ? "" : " ") + p;
    registro.paragraphs.push_back(statistiche);
    ShowHelp(*this, "App Registro Visitatori", registro.Text());
}

// The route tag tells which window comes next; the menu then hides.
void TfrmMenuRegistro::FormClose(ui::CloseAction&) {
    const std::string route = rtl::Trim(lblMemory.Text());
    if (route == "avvio")
        common::MostraAvvio();
    else if (route == "registro" && frmRegistro)
        frmRegistro->Show();
    else if (route == "statistiche_vis" && frmStatistiche)
        frmStatistiche->Show();
}
