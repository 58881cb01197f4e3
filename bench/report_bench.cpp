// Lays out a list report of 2,000 to 32,000 lines; the time per line stays
// flat when the layout is linear in the number of lines. See bench/Bench.h
// for how it is measured (there is no archive: no raw read beside it).
//
//   bench_report [sizes...]
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "platform/report/Report.h"

namespace {

const char* const kTemplate = R"(report name="Riepilogo dati"
page size=A4 orientation=landscape margins=10
band ReportTitle kind=title height=30.2362px
memo txtTitolo 7.55906px 3.77953px 1031.81px 18.8976px font=Verdana size=12px bold halign=center text=Riepilogo
band MasterData kind=data height=105.827px split
memo txtRiepilogo 11.3386px 0 1031.81px 102.047px font="Courier New" size=8pt
band Footer kind=footer height=30.2362px
memo txtPagina 11.3386px 7.55906px 1028.03px 18.8976px font=Verdana size=8pt halign=center text="Stampa eseguita in data [DATE]"
)";

} // namespace

int main(int argc, char** argv) {
    bench::Program program;
    program.name = "report";
    program.sizes = {2000, 4000, 8000, 16000, 32000};
    program.paths = [](const std::string&, std::size_t lines) {
        return std::vector<bench::Path>{
            {"list report layout",
             [lines] {
                 auto r = std::make_shared<report::Report>(report::Report::FromText(kTemplate, "bench"));
                 auto& memo = r->GetMemo("txtRiepilogo");
                 for (std::size_t i = 0; i < lines; ++i)
                     memo.AddLine("Riga " + std::to_string(i) + "   FIAT PANDA   AB123CD");
                 memo.SetHeight(report::Px(double(lines) * 12.822));
                 r->GetBand("MasterData").SetHeight(memo.Height() + report::Px(10));
                 return [r, lines] {
                     const double start = bench::Now();
                     const std::size_t pages = r->Prepare().pages.size();
                     const double t = bench::Now() - start;
                     char note[64];
                     std::snprintf(note, sizeof note, "%zu pages; %.3f us per line", pages,
                                   t * 1e6 / double(lines));
                     return bench::Outcome{note, t};
                 };
             }},
        };
    };
    return bench::Main(argc, argv, program);
}
