#pragma once
// The vehicle search: up to ten criteria, the sorted list of the vehicles
// found, find-next, the printed list, and the recall of a vehicle: the caller
// tag in lblMemory ("autoparco": the vehicle card, "anagrafica": the driver
// card, "registro": the visit card) names what the window that opened the
// search receives back.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ListWindow.h"
#include "common/Record.h"
#include "common/SearchWindow.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/TrovaAutomezzi.controls.h"

// The columns that every list line of a vehicle begins with: type, make and
// model, plate; a layout to go on with.
common::FormatoRiga InizioFormatoAutomezzo();

// The list line of a vehicle in the search.
const common::FormatoRiga& FormatoTrovaAutomezzo();

// The way back of the vehicle search: the window that opens the search
// implements the call of its own caller tag and hands itself to the search,
// which makes the call that the tag names. The other calls do nothing.
class RitornoTrovaAutomezzi {
public:
    // Tag "anagrafica": the vehicle of a driver, every value trimmed.
    struct VeicoloConduttore {
        std::string veicolo; // the type of vehicle
        std::string marca;
        std::string modello;
        std::string targa;
        std::string colore;
        std::string alimentazione;
    };
    // Tag "registro": the vehicle of a transit, every value trimmed.
    struct VeicoloVisita {
        std::string veicolo; // make + " " + model
        std::string targa;
        std::string conduttore; // the vehicle's usual driver
    };

    // Tag "autoparco": the whole vehicle and its record number.
    virtual void AutomezzoRichiamato(const common::Record&, std::int64_t) {}
    virtual void VeicoloConduttoreRichiamato(const VeicoloConduttore&) {}
    virtual void VeicoloVisitaRichiamato(const VeicoloVisita&) {}

protected:
    ~RitornoTrovaAutomezzi() = default;
};

class TfrmTrovaAutomezzi : public ui::Form, public controls::SearchWindow, public controls::TrovaAutomezzi {
public:
    // `ritorno` receives the chosen vehicle; without it a recall copies
    // nothing.
    explicit TfrmTrovaAutomezzi(ui::Application& app, ui::Form* owner = nullptr,
                                RitornoTrovaAutomezzi* ritorno = nullptr);

    // The caller tag, set by the window that opens this one before showing it.
    void ImpostaChiamante(std::string_view chiamante) { lblMemory.SetText(std::string(chiamante)); }

    report::Report frxReport;

private:
    void lstRecordsDblClick();

    RitornoTrovaAutomezzi* ritorno_;
    common::Record automezzo_;
    common::ListaRecord lista_;
    common::FinestraRicerca ricerca_;
};

extern TfrmTrovaAutomezzi* frmTrovaAutomezzi;
