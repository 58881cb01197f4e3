#include "drivers/Servizio.h"

#include "drivers/ConduttoreRec.h"

TfrmServizio* frmServizio = nullptr;

TfrmServizio::TfrmServizio(ui::Application& app, ui::Form* owner, RitornoTrovaAnagrafica* ritorno)
    : ElencoConduttori(app, owner,
                       {.layout = "drivers/Servizio.layout",
                        .campoFiltro = "Ferie",
                        .valore = drivers::kNo,
                        .larghezza = 26,
                        .prima = "  ",
                        .ultimo = "Programma",
                        .titolo = "Riepilogo conduttori in servizio"},
                       ritorno),
      controls::Servizio(this) {}
