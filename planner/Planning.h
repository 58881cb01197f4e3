#pragma once
// The planner window: one vehicle's year as 366 day cells in twelve month
// rows. A day cell is a free picture, a booked picture on top of it and a
// hidden label with the day's booking text; the booked picture is the visible
// one exactly when the trimmed text is not empty.
#include <string>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// The three parts of one day cell.
struct CellaGiorno {
    ui::Picture& lib;
    ui::Picture& occ;
    ui::Label& mem;
};

class TfrmPlanning : public ui::Form {
public:
    explicit TfrmPlanning(ui::Application& app, ui::Form* owner = nullptr);

    // The cell of the day with planner index i (0 to 365).
    CellaGiorno Cella(int i) const;
    // Sets a cell's three parts together: the booked picture shows exactly
    // when the text (trimmed) is not empty, the label takes the text.
    void ScriviGiorno(int i, const std::string& t);

    ui::Edit& txtVeicolo;
    ui::Edit& txtMarca;
    ui::Edit& txtModello;
    ui::Edit& txtTarga;
    ui::Label& txtAnno;
    ui::Label& lblPosizione;
    ui::Label& panInfo;
    ui::Panel& panMemGiorni;
    ui::Picture& cmdIntervallo;
    ui::Picture& cmdRiepilogo;
    ui::Picture& cmdAnteprima;
    ui::Picture& cmdStampa;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;
    ui::Picture& cmdSalva;
    ui::Picture& cmdNuovo;

private:
    void CreaCelle();
    void cmdNuovoClick();
    void FormClose(ui::CloseAction& action);
    void cmdGuidaClick();
    void cmdEsciClick();

    std::vector<CellaGiorno> celle_;
};

extern TfrmPlanning* frmPlanning;
