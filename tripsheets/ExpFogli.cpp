#include "tripsheets/ExpFogli.h"

#include "shell/Guida.h"

TfrmExpFogli* frmExpFogli = nullptr;

TfrmExpFogli::TfrmExpFogli(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/ExpFogli.layout"),
      cmdGuida(Get<ui::Picture>("cmdGuida")) {
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
}

void TfrmExpFogli::cmdGuidaClick() { ShowHelpTopic(*this, "Esportazione archivio Fogli di Marcia in Excel", "tripsheets/ExpFogli.help"); }
