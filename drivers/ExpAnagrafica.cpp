#include "drivers/ExpAnagrafica.h"

#include "shell/Guida.h"

TfrmExpAnagrafica* frmExpAnagrafica = nullptr;

TfrmExpAnagrafica::TfrmExpAnagrafica(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/ExpAnagrafica.layout"),
      cmdGuida(Get<ui::Picture>("cmdGuida")) {
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
}

void TfrmExpAnagrafica::cmdGuidaClick() { ShowHelpTopic(*this, "Esportazione archivio conduttori in Excel", "drivers/ExpAnagrafica.help"); }
