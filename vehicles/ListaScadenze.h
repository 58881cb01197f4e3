#pragma once
// The four deadline lists (revision, service, insurance, road tax) share one
// design: the vehicles whose deadline is past or falls within the next seven
// days, sorted by their lines, printed as a list report. Each window names
// its deadline field and its report title.
#include <optional>
#include <string>
#include <string_view>

#include "common/ListWindow.h"
#include "common/Record.h"
#include "platform/report/Report.h"
#include "platform/rtl/Date.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/ListaScadenze.controls.h"

// Whether a deadline is listed on `oggi`: past, today, or at most seven days
// ahead. Nothing for a deadline that is empty (not listed) or not a date.
std::optional<bool> ScadenzaImminente(std::string_view scadenza, rtl::Date oggi);

// The list line of a vehicle in a deadline list.
common::FormatoRiga FormatoScadenza(std::string_view campoScadenza);

class TfrmListaScadenze : public ui::Form, public controls::ListaScadenze {
public:
    report::Report frxReport;

protected:
    TfrmListaScadenze(ui::Application& app, ui::Form* owner, std::string_view layout,
                      std::string campoScadenza, std::string titolo);

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void btnStampaClick();

    std::string campoScadenza_;
    common::FormatoRiga formato_;
    std::string titolo_;
    common::ListaRecord lista_;
};
