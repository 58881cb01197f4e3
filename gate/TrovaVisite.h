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
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmTrovaVisite : public ui::Form, public controls::TrovaVisite {
public:
    explicit TfrmTrovaVisite(ui::Application& app, ui::Form* owner = nullptr);

    // The caller tag, set by the window that opens this one before showing it.
    void ImpostaChiamante(std::string_view chiamante) { lblMemory.SetText(std::string(chiamante)); }

    report::Report frxReport;

private:
    void lstRecordsDblClick();

    common::ListaRecord lista_;
    common::FinestraRicerca ricerca_;
};

extern TfrmTrovaVisite* frmTrovaVisite;
