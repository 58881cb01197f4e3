#include "tripsheets/MenuFogli.h"

#include <string>

#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "common/Routines.h"
#include "shell/Avvio.h"
#include "shell/DataEntry.h"
#include "shell/Guida.h"
#include "tripsheets/Fogli.h"

TfrmMenuFogli* frmMenuFogli = nullptr;

TfrmMenuFogli::TfrmMenuFogli(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/MenuFogli.layout"),
      titAnnoPreventivi(Get<ui::Label>("titAnnoPreventivi")),
      txtAnnoPreventivi(Get<ui::Edit>("txtAnnoPreventivi")),
      btnApriPreventivi(Get<ui::Button>("btnApriPreventivi")),
      imgGuida(Get<ui::Picture>("imgGuida")),
      imgEsci(Get<ui::Picture>("imgEsci")),
      lblMemory(Get<ui::Label>("lblMemory")) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgEsci.OnClick = [this] { imgEsciClick(); };
    txtAnnoPreventivi.OnKeyDown = [this](ui::KeyEvent& k) { txtAnnoPreventiviKeyDown(k); };
    btnApriPreventivi.OnClick = [this] { btnApriPreventiviClick(); };
}

void TfrmMenuFogli::imgGuidaClick() { ShowHelpTopic(*this, "App Gestione Fogli di Marcia", "tripsheets/Fogli.help"); }

void TfrmMenuFogli::imgEsciClick() { Close(); }

// Every showing starts from the current year and the route back to the
// start menu.
void TfrmMenuFogli::FormShow() {
    txtAnnoPreventivi.SetText(std::to_string(rtl::Today().Year()));
    lblMemory.SetText("avvio");
    txtAnnoPreventivi.SetFocus();
}

// The route tag tells which window comes next; the menu then hides.
void TfrmMenuFogli::FormClose(ui::CloseAction&) {
    const std::string route = rtl::Trim(lblMemory.Text());
    if (route == "avvio")
        frmAvvio->Show();
    else if (route == "fogli")
        frmFogli->Show();
}

// Enter moves to "Apri"; otherwise only digits and the editing keys pass.
void TfrmMenuFogli::txtAnnoPreventiviKeyDown(ui::KeyEvent& key) { entry::DigitKeyDown(key, btnApriPreventivi); }

void TfrmMenuFogli::btnApriPreventiviClick() {
    // Four digits 0-9 and nothing else, so the archive's name never holds a
    // path separator or "..".
    const std::string& anno = txtAnnoPreventivi.Text();
    if (anno.size() != 4 || !common::SoloCifre(anno)) {
        ui::MessageDlg("Attenzione: indicare l'anno solare utilizzando quattro cifre.", ui::DialogType::Warning,
                       ui::Buttons::OKCancel);
        txtAnnoPreventivi.SetFocus();
        return;
    }
    const std::string year = rtl::Trim(txtAnnoPreventivi.Text());
    frmFogli->lblFile.SetText(rtl::DataPath(year + ".fdm"));
    frmFogli->SetCaption(" Dorneval - Archivio Fogli di Marcia anno " + year);
    lblMemory.SetText("fogli");
    Close();
}
