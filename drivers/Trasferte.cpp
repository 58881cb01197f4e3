#include "drivers/Trasferte.h"

#include "drivers/ConduttoreRec.h"

TfrmTrasferte* frmTrasferte = nullptr;

TfrmTrasferte::TfrmTrasferte(ui::Application& app, ui::Form* owner, RitornoTrovaAnagrafica* ritorno)
    : ElencoConduttori(app, owner,
                       {.layout = "drivers/Trasferte.layout",
                        .campoFiltro = "Trasferte",
                        .valore = drivers::kSi,
                        .larghezza = 30,
                        .prima = "  Note: ",
                        .ultimo = "Note",
                        .titolo = "Riepilogo conduttori disponibili per trasferte"},
                       ritorno),
      controls::Trasferte(this) {}
