#include "gate/MenuRegistro.h"

#include <string>

#include "gate/Registro.h"
#include "gate/Statistiche.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Text.h"
#include "shell/Avvio.h"
#include "shell/Guida.h"

TfrmMenuRegistro* frmMenuRegistro = nullptr;

TfrmMenuRegistro::TfrmMenuRegistro(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/MenuRegistro.layout"),
      titAnnoFatture(Get<ui::Label>("titAnnoFatture")),
      txtAnnoFatture(Get<ui::Edit>("txtAnnoFatture")),
      imgGuida(Get<ui::Picture>("imgGuida")),
      imgEsci(Get<ui::Picture>("imgEsci")),
      lblMemory(Get<ui::Label>("lblMemory")) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgEsci.OnClick = [this] { imgEsciClick(); };
}

void TfrmMenuRegistro::imgGuidaClick() { ShowHelpTopic(*this, "App Registro Visitatori", "gate/MenuRegistro.help"); }

void TfrmMenuRegistro::imgEsciClick() { Close(); }

// Every showing starts from the current year and the route back to the
// start menu.
void TfrmMenuRegistro::FormShow() {
    txtAnnoFatture.SetText(std::to_string(rtl::Today().Year()));
    lblMemory.SetText("avvio");
    txtAnnoFatture.SetFocus();
}

// The route tag tells which window comes next; the menu then hides.
void TfrmMenuRegistro::FormClose(ui::CloseAction&) {
    const std::string route = rtl::Trim(lblMemory.Text());
    if (route == "avvio")
        frmAvvio->Show();
    else if (route == "registro")
        frmRegistro->Show();
    else if (route == "statistiche_vis")
        frmStatistiche->Show();
}
