#include "tripsheets/Fogli.h"

#include "shell/Avvio.h"
#include "shell/Guida.h"

TfrmFogli* frmFogli = nullptr;

TfrmFogli::TfrmFogli(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/Fogli.layout"),
      txtDataApertura(Get<ui::Edit>("txtDataApertura")),
      txtDataChiusura(Get<ui::Edit>("txtDataChiusura")),
      txtDataRif01(Get<ui::Edit>("txtDataRif01")),
      txtDataRif02(Get<ui::Edit>("txtDataRif02")),
      txtDataRif03(Get<ui::Edit>("txtDataRif03")),
      txtDataPar01(Get<ui::Edit>("txtDataPar01")),
      txtDataPar02(Get<ui::Edit>("txtDataPar02")),
      txtDataPar03(Get<ui::Edit>("txtDataPar03")),
      txtDataPar04(Get<ui::Edit>("txtDataPar04")),
      txtDataPar05(Get<ui::Edit>("txtDataPar05")),
      txtDataPar06(Get<ui::Edit>("txtDataPar06")),
      txtDataPar07(Get<ui::Edit>("txtDataPar07")),
      txtDataPar08(Get<ui::Edit>("txtDataPar08")),
      txtDataArr01(Get<ui::Edit>("txtDataArr01")),
      txtDataArr02(Get<ui::Edit>("txtDataArr02")),
      txtDataArr03(Get<ui::Edit>("txtDataArr03")),
      txtDataArr04(Get<ui::Edit>("txtDataArr04")),
      txtDataArr05(Get<ui::Edit>("txtDataArr05")),
      txtDataArr06(Get<ui::Edit>("txtDataArr06")),
      txtDataArr07(Get<ui::Edit>("txtDataArr07")),
      txtDataArr08(Get<ui::Edit>("txtDataArr08")),
      txtConduttore(Get<ui::Edit>("txtConduttore")),
      txtTelCel(Get<ui::Edit>("txtTelCel")),
      txtVeicolo(Get<ui::Edit>("txtVeicolo")),
      txtTarga(Get<ui::Edit>("txtTarga")),
      lblFile(Get<ui::Label>("lblFile")),
      cmdGuida(Get<ui::Picture>("cmdGuida")),
      cmdEsci(Get<ui::Picture>("cmdEsci")) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
    cmdEsci.OnClick = [this] { cmdEsciClick(); };
}

// Closing the window returns to the start menu.
void TfrmFogli::FormClose(ui::CloseAction&) { frmAvvio->Show(); }

void TfrmFogli::cmdGuidaClick() { ShowHelpTopic(*this, "App Gestione Fogli di Marcia", "tripsheets/Fogli.help"); }

void TfrmFogli::cmdEsciClick() { Close(); }
