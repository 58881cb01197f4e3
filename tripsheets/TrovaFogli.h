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

class TfrmTrovaFogli : public ui::Form {
public:
    explicit TfrmTrovaFogli(ui::Application& app, ui::Form* owner = nullptr);

    ui::Panel& panAvvio;
    ui::Edit& txtNumFoglio;
    ui::Edit& txtUfficio;
    ui::Edit& txtDataApertura;
    ui::Edit& txtDataChiusura;
    ui::Edit& txtConduttore;
    ui::Edit& txtTelCel;
    ui::Edit& txtVeicolo;
    ui::Edit& txtTarga;
    ui::Edit& txtLuogoPar01;
    ui::Edit& txtLuogoArr01;
    ui::Label& lblAttendere;
    ui::Label& lblConta;
    ui::Button& btnAnnulla;
    ui::Button& btnCerca;

    ui::Panel& panContainer;
    ui::Edit& txtTrova;
    ui::Button& btnTrova;
    ui::ListBox& lstRecords;
    ui::Label& lblTrovate;
    ui::Button& btnChiudi;
    ui::Button& btnStampa;
    ui::Label& lblMemory;
    // The caller tag, set by the window that opens this one before showing it.
    void ImpostaChiamante(std::string_view chiamante) { lblMemory.SetText(std::string(chiamante)); }

    report::Report frxReport;

private:
    void lstRecordsDblClick();

    common::ListaRecord lista_;
    common::FinestraRicerca ricerca_;
};

extern TfrmTrovaFogli* frmTrovaFogli;
