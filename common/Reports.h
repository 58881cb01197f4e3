#pragma once
// Filling of the two kinds of report: list reports (a title and the lines of
// a list window) and document reports (one card on a designed page, memo by
// memo from the card's edits).
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/report/Report.h"

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

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:nn", from the clock now.
std::string PiePaginaStampa();

} // namespace common
