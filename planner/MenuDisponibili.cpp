#include "planner/MenuDisponibili.h"

#include <string>

#include "planner/Planning.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Text.h"
#include "shell/Avvio.h"
#include "shell/Guida.h"

TfrmMenuDisponibili* frmMenuDisponibili = nullptr;

TfrmMenuDisponibili::TfrmMenuDisponibili(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "planner/MenuDisponibili.layout"),
      titAnnoFatture(Get<ui::Label>("titAnnoFatture")),
      txtAnnoFatture(Get<ui::Edit>("txtAnnoFatture")),
      imgGuida(Get<ui::Picture>("imgGuida")),
      imgEsci(Get<ui::Picture>("imgEsci")),
      lblMemory(Get<ui::Label>("lblMemory")),
      lblFile(Get<ui::Label>("lblFile")) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgEsci.OnClick = [this] { imgEsciClick(); };
}

void TfrmMenuDisponibili::imgGuidaClick() { ShowHelpTopic(*this, "App Planner Prenotazioni", "planner/MenuDisponibili.help"); }

void TfrmMenuDisponibili::imgEsciClick() { Close(); }

// Every showing starts from the current year and the route back to the
// start menu.
void TfrmMenuDisponibili::FormShow() {
    txtAnnoFatture.SetText(std::to_string(rtl::Today().Year()));
    lblMemory.SetText("avvio");
    txtAnnoFatture.SetFocus();
}

// The route tag tells which window comes next; the menu then hides.
void TfrmMenuDisponibili::FormClose(ui::CloseAction&) {
    const std::string route = rtl::Trim(lblMemory.Text());
    if (route == "avvio")
        frmAvvio->Show();
    else if (route == "planning")
        frmPlanning->Show();
}
