#pragma once
// The trip-sheet search: up to ten criteria over the year archive of the
// trip-sheet window, the sheets found in file order, find-next, the printed
// list, and the recall of a sheet into the window named by the caller tag
// ("fogli": the trip-sheet window).
#include <string>
#include <string_view>

#include "common/ListWindow.h"
#include "common/SearchWindow.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "tripsheets/RiepAperti.h"
#include "tripsheets/TrovaFogli.controls.h"

class TfrmTrovaFogli : public ui::Form, public controls::SearchWindow, public controls::TrovaFogli {
public:
    // `ritorno` receives the recalled sheet when the caller tag is "fogli".
    explicit TfrmTrovaFogli(ui::Application& app, ui::Form* owner = nullptr,
                            tripsheets::RitornoFoglio* ritorno = nullptr);

    // The caller tag, set by the window that opens this one before showing it.
    void ImpostaChiamante(std::string_view chiamante) { lblMemory.SetText(std::string(chiamante)); }
    // The year archive searched, the one the trip-sheet window has open; set
    // by that window before showing the search.
    void ImpostaArchivio(std::string archivio) { archivio_ = std::move(archivio); }

    report::Report frxReport;

private:
    void lstRecordsDblClick();

    tripsheets::RitornoFoglio* ritorno_;
    std::string archivio_;
    common::ListaRecord lista_;
    common::FinestraRicerca ricerca_;
};

extern TfrmTrovaFogli* frmTrovaFogli;
