#pragma once
// The list of the vehicles that have not left yet, from the year open in the visit card.
#include "gate/ListaVisite.h"
#include "gate/NonUsciti.controls.h"

class TfrmNonUsciti : public gate::TfrmListaVisite, public controls::NonUsciti {
public:
    explicit TfrmNonUsciti(ui::Application& app, ui::Form* owner = nullptr,
                           gate::RitornoVisita* ritorno = nullptr);
};

extern TfrmNonUsciti* frmNonUsciti;
