#include "common/Reports.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Control.h"
#include "platform/ui/Services.h"

namespace common {

namespace {
// Height of one line of the list block, in 1/96 inch.
constexpr double kAltezzaRiga = 12.822;
} // namespace

report::Report RiepilogoDati() {
    return report::Report::FromResource("common/RiepilogoDati.report");
}

namespace {
// Line i of the lines to print (a list box's line made on demand is made
// for the print, not kept).
std::string Riga(std::span<const std::string> righe, std::size_t i) {
    return righe[i];
}
std::string Riga(const ui::ListItems& righe, std::size_t i) {
    std::string riga;
    return std::string(righe.Read(i, riga));
}

template <class Righe>
void Riempi(report::Report& frxReport, std::string_view titolo, const Righe& righe,
            std::span<const std::string> extra) {
    frxReport.GetMemo("txtTitolo").SetText(titolo);
    report::Memo& memo = frxReport.GetMemo("txtRiepilogo");
    memo.ClearLines();
    for (std::size_t i = 0; i < righe.size(); ++i)
        memo.AddLine(Riga(righe, i));
    for (const std::string& r : extra)
        memo.AddLine(r);
    report::Band& band = frxReport.GetBand("MasterData");
    memo.SetHeight(report::Px(double(memo.Lines().size()) * kAltezzaRiga));
    band.SetHeight(memo.Height() + report::Px(10));
}
} // namespace

void RiempiRiepilogo(report::Report& frxReport, std::string_view titolo, std::span<const std::string> righe,
                     std::span<const std::string> extra) {
    Riempi(frxReport, titolo, righe, extra);
}

void RiempiRiepilogoLista(report::Report& frxReport, std::string_view titolo, const ui::ListItems& righe,
                          std::span<const std::string> extra) {
    Riempi(frxReport, titolo, righe, extra);
}

bool StampaRiepilogo(report::Report& frxReport, std::string_view titolo, std::span<const std::string> righe,
                     std::span<const std::string> extra) {
    RiempiRiepilogo(frxReport, titolo, righe, extra);
    return frxReport.Print();
}

std::string PiePaginaStampa() {
    const rtl::DateTime now = rtl::Now();
    return "Stampa eseguita in data " + rtl::FormatDate(now.date) + " alle ore " + rtl::FormatTime(now.time);
}

std::string PiePaginaDocumento() {
    const rtl::DateTime now = rtl::Now();
    return "Stampa eseguita in data " + rtl::FormatDate(now.date) + " alle ore " +
           rtl::FormatLongTime(now.time);
}

void RiempiMemo(report::Report& rep, const ui::Form& card, std::span<const std::string> memo,
                std::string_view suffisso) {
    for (const std::string& name : memo)
        rep.GetMemo(name + std::string(suffisso)).SetText(rtl::Trim(card.Get<ui::Control>(name).Text()));
}

void EseguiDocumento(ui::Form& dialog, report::Report& rep, report::Orientation orientamento, bool anteprima,
                     const std::function<void()>& riempi, std::string_view testoErrore) {
    auto esegui = [&] {
        rep.SetOrientation(orientamento);
        if (riempi) riempi();
        if (anteprima)
            rep.Preview();
        else
            rep.Print();
    };
    if (testoErrore.empty()) {
        esegui();
    } else {
        const auto avvisa = [&] {
            ui::MessageDlg(std::string(testoErrore), ui::DialogType::Warning, ui::Buttons::OKCancel);
        };
        try {
            esegui();
        } catch (const report::Error&) {
            avvisa();
        } catch (const rtl::DataError&) {
            avvisa();
        }
    }
    dialog.Close();
}

} // namespace common
