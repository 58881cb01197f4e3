// Prepares a list report of 2,000 to 32,000 lines and prints the time per
// line: it stays flat when the layout is linear in the number of lines.
//
//   bench_report
#include "platform/report/Report.h"

#include <chrono>
#include <cstdio>
#include <string>

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

int main() {
    for (int lines = 2000; lines <= 32000; lines *= 2) {
        report::Report r = report::Report::fromText(kTemplate, "bench");
        auto& memo = r.memo("txtRiepilogo");
        for (int i = 0; i < lines; ++i)
            memo.addLine("Riga " + std::to_string(i) + "   FIAT PANDA   AB123CD");
        memo.setHeight(report::px(lines * 12.822));
        r.band("MasterData").setHeight(memo.height() + report::px(10));
        const auto start = std::chrono::steady_clock::now();
        const int rounds = 5;
        std::size_t pages = 0;
        for (int k = 0; k < rounds; ++k)
            pages = r.prepare().pages.size();
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / rounds;
        std::printf("%6d lines  %4zu pages  %8.3f ms  %6.3f us/line\n", lines, pages, s * 1e3,
                    s * 1e6 / lines);
    }
}
