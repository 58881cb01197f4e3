#pragma once
// The print and preview dialogs of the document reports: a small window with
// "Annulla" and "Stampa" (or "Mostra anteprima") that fills its report
// template from the card on screen, prints it through the print dialog or
// shows the preview, and closes. Each dialog class names its layout and
// configures the rest: the template, the page orientation, print or
// preview, its own part of the filling and the failure text; the window
// that opens the dialog hands it the filling from the card.
#include <functional>
#include <string_view>

#include "common/DialogoDocumento.controls.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace common {

// Every document names the first three; a landscape page or a preview
// says so.
struct ConfigDocumento {
    std::string_view modello; // the report template resource
    // Fills what the dialog itself shows (none when empty), before the
    // card's part.
    std::function<void(report::Report& rep)> riempi = nullptr;
    // The failure text; with none the failure is not caught and the dialog
    // stays open.
    std::string_view testoErrore;
    report::Orientation orientamento = report::Orientation::Portrait;
    bool anteprima = false; // preview instead of print
};

class TfrmDocumento : public ui::Form, public controls::DialogoDocumento {
public:
    report::Report repDocumento;

    // The card's part of the filling, set by the window that opens the
    // dialog before showing it: the data memos from the card on screen;
    // throws when a memo is missing. Without it there is no card to print
    // and the print fails. The footer memo `txtCalce`, where the template
    // has one, then receives the moment of printing.
    void ImpostaScheda(std::function<void(report::Report& rep)> scheda) { scheda_ = std::move(scheda); }

protected:
    TfrmDocumento(ui::Application& app, ui::Form* owner, std::string_view layout, ConfigDocumento config);

private:
    void btnStampaClick();
    void btnAnnullaClick();

    ConfigDocumento config_;
    std::function<void(report::Report& rep)> scheda_;
};

} // namespace common
