#include "gate/Statistiche.h"

#include "shell/Avvio.h"
#include "shell/Guida.h"

TfrmStatistiche* frmStatistiche = nullptr;

TfrmStatistiche::TfrmStatistiche(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/Statistiche.layout"),
      txtAnno(Get<ui::Edit>("txtAnno")),
      imgGuida(Get<ui::Picture>("imgGuida")),
      imgEsci(Get<ui::Picture>("imgEsci")) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgEsci.OnClick = [this] { imgEsciClick(); };
}

// Closing the window returns to the start menu.
void TfrmStatistiche::FormClose(ui::CloseAction&) { frmAvvio->Show(); }

void TfrmStatistiche::imgGuidaClick() { ShowHelpTopic(*this, "Grafici statistici dei transiti dei veicoli", "gate/Statistiche.help"); }

void TfrmStatistiche::imgEsciClick() { Close(); }
