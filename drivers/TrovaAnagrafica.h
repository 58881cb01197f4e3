#pragma once
// The driver search: up to ten criteria, the sorted list of the drivers
// found, find-next, the printed list, and the recall of a driver: the caller
// tag in lblMemory ("anagrafica": the driver card, "fogli": the driver fields
// of the trip sheet) names what the window that opened the search receives
// back.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/ListWindow.h"
#include "common/Record.h"
#include "common/SearchWindow.h"
#include "drivers/TrovaAnagrafica.controls.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// The list line of a driver in the search.
const common::FormatoRiga& FormatoTrovaConduttore();

// The way back of the driver search: the window that opens the search
// implements the call of its own caller tag and hands itself to the search,
// which makes the call that the tag names. The other call does nothing. The
// driver lists hand their driver back through ConduttoreRichiamato.
class RitornoTrovaAnagrafica {
public:
    // Tag "fogli": the driver of a trip sheet, every value trimmed.
    struct ConduttoreFoglio {
        std::string conduttore;
        std::string telCel;
        std::string veicolo; // make + " " + model
        std::string targa;
    };

    // Tag "anagrafica": the whole driver and its record number.
    virtual void ConduttoreRichiamato(const common::Record&, std::int64_t) {}
    virtual void ConduttoreFoglioRichiamato(const ConduttoreFoglio&) {}

protected:
    ~RitornoTrovaAnagrafica() = default;
};

class TfrmTrovaAnagrafica : public ui::Form, public controls::SearchWindow, public controls::TrovaAnagrafica {
public:
    // `ritorno` receives the chosen driver; without it a recall copies
    // nothing.
    explicit TfrmTrovaAnagrafica(ui::Application& app, ui::Form* owner = nullptr,
                                 RitornoTrovaAnagrafica* ritorno = nullptr);

    // The caller tag, set by the window that opens this one before showing it.
    void ImpostaChiamante(std::string_view chiamante) { lblMemory.SetText(std::string(chiamante)); }

    report::Report frxReport;

private:
    void lstRecordsDblClick();

    RitornoTrovaAnagrafica* ritorno_;
    common::Record conduttore_;
    common::ListaRecord lista_;
    common::FinestraRicerca ricerca_;
};

extern TfrmTrovaAnagrafica* frmTrovaAnagrafica;
