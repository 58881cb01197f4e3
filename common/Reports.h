#pragma once
// Filling of the two kinds of report: list reports (a title and the lines of
// a list window) and document reports (one card on a designed page, memo by
// memo from the card's edits).
#include <concepts>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <functional>

#include "platform/report/Report.h"
#include "platform/ui/Form.h"

namespace common {

// The list report template "Riepilogo dati", one landscape layout shared by
// every list window; each window keeps its own copy in `frxReport`.
report::Report RiepilogoDati();

// Fills a list report (title, the lines in order, then the extra lines; the
// memo and its band as tall as the lines) and prints it through the print
// dialog. Returns false when the print dialog was cancelled. Failures are
// not caught here: they reach the standard error box.
void RiempiRiepilogo(report::Report& frxReport, std::string_view titolo, std::span<const std::string> righe,
                     std::span<const std::string> extra = {});
bool StampaRiepilogo(report::Report& frxReport, std::string_view titolo, std::span<const std::string> righe,
                     std::span<const std::string> extra = {});
// The same with the lines of a list box (a template only so that a braced
// `{}` for the lines still means no lines).
void RiempiRiepilogoLista(report::Report& frxReport, std::string_view titolo, const ui::ListItems& righe,
                          std::span<const std::string> extra);
template <std::same_as<ui::ListItems> Righe>
void RiempiRiepilogo(report::Report& frxReport, std::string_view titolo, const Righe& righe,
                     std::span<const std::string> extra = {}) {
    RiempiRiepilogoLista(frxReport, titolo, righe, extra);
}
template <std::same_as<ui::ListItems> Righe>
bool StampaRiepilogo(report::Report& frxReport, std::string_view titolo, const Righe& righe,
                     std::span<const std::string> extra = {}) {
    RiempiRiepilogoLista(frxReport, titolo, righe, extra);
    return frxReport.Print();
}

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:nn", from the clock now.
std::string PiePaginaStampa();
// The footer of a document report: "Stampa eseguita in data dd/mm/yyyy alle
// ore " + the time in the long format (with seconds), from the clock now.
std::string PiePaginaDocumento();

// Failure texts of the document reports.
inline constexpr std::string_view kMsgStampaDocumentoFoto =
    "Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
    "Si consiglia di ridurre le dimensioni della foto.";
inline constexpr std::string_view kMsgAnteprimaDocumentoFoto =
    "Attenzione: la visualizzazione dell'anteprima di stampa del documento non è andata a buon fine.\n\r\n\r"
    "Si consiglia di ridurre le dimensioni della foto.";
inline constexpr std::string_view kMsgStampaNonRiuscita = "Attenzione: la stampa non è andata a buon fine.";
inline constexpr std::string_view kMsgAnteprimaNonRiuscita =
    "Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.";

// Each data memo receives the trimmed text of the card's control of the
// same name; with a suffix ("_A", "_B") the memo is the name + suffix.
// A memo or control that does not exist throws.
void RiempiMemo(report::Report& rep, const ui::Form& card, std::span<const std::string> memo,
                std::string_view suffisso = "");

// "Stampa" of a document dialog: sets the page orientation, runs `riempi`
// (special objects and data memos), prepares the report anew and prints it
// through the print dialog (or shows the preview), then closes the dialog.
// A failure of the report (a memo missing from the template) or of the data
// shows a warning with `testoErrore` and closes the dialog; with no text it
// is not caught. Any other failure reaches the standard error box.
void EseguiDocumento(ui::Form& dialog, report::Report& rep, report::Orientation orientamento, bool anteprima,
                     const std::function<void()>& riempi, std::string_view testoErrore);

} // namespace common
