#pragma once
// The list of the vehicles that entered today, from the year open in the visit card.
#include "gate/EntratiOggi.controls.h"
#include "gate/ListaVisite.h"

class TfrmEntratiOggi : public gate::TfrmListaVisite, public controls::EntratiOggi {
public:
    explicit TfrmEntratiOggi(ui::Application& app, ui::Form* owner = nullptr,
                             gate::RitornoVisita* ritorno = nullptr);
};

extern TfrmEntratiOggi* frmEntratiOggi;
