#include "drivers/Ferie.h"

#include "drivers/ConduttoreRec.h"

TfrmFerie* frmFerie = nullptr;

TfrmFerie::TfrmFerie(ui::Application& app, ui::Form* owner, RitornoTrovaAnagrafica* ritorno)
    : ElencoConduttori(app, owner,
                       {.layout = "drivers/Ferie.layout",
                        .campoFiltro = "Ferie",
                        .valore = drivers::kSi,
                        .larghezza = 26,
                        .prima = "  ",
                        .ultimo = "Programma",
                        .titolo = "Riepilogo conduttori in ferie"},
                       ritorno),
      controls::Ferie(this) {}
