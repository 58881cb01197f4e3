#pragma once
// The visit search: up to ten criteria over the year open in the visit card,
// the sorted list of the visits found, find-next, the printed list, and the
// recall of a visit into the card when the caller tag in lblMemory is
// "registro".
#include <string>
#include <string_view>

#include "common/ListWindow.h"
#include "common/SearchWindow.h"
#include "gate/TrovaVisite.controls.h"
#include "gate/Visite.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmTrovaVisite : public ui::Form, public controls::SearchWindow, public controls::TrovaVisite {
public:
    // `ritorno` receives the recalled visit; without it a recall copies
    // nothing.
    explicit TfrmTrovaVisite(ui::Application& app, ui::Form* owner = nullptr,
                             gate::RitornoVisita* ritorno = nullptr);

    // The caller tag, set by the window that opens this one before showing it.
    void ImpostaChiamante(std::string_view chiamante) { lblMemory.SetText(std::string(chiamante)); }
    // The year archive searched, the one the visit card has open; set by the
    // card before showing the search.
    void ImpostaArchivio(std::string archivio) { archivio_ = std::move(archivio); }

    report::Report frxReport;

private:
    void lstRecordsDblClick();

    gate::RitornoVisita* ritorno_;
    std::string archivio_;
    common::ListaRecord lista_;
    common::FinestraRicerca ricerca_;
};

extern TfrmTrovaVisite* frmTrovaVisite;
