#pragma once
// The list of the vehicles that left today, from the year open in the visit card.
#include "gate/ListaVisite.h"
#include "gate/UscitiOggi.controls.h"

class TfrmUscitiOggi : public gate::TfrmListaVisite, public controls::UscitiOggi {
public:
    explicit TfrmUscitiOggi(ui::Application& app, ui::Form* owner = nullptr,
                            gate::RitornoVisita* ritorno = nullptr);
};

extern TfrmUscitiOggi* frmUscitiOggi;
