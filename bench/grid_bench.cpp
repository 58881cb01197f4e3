// Fills a string grid of 10 columns row by row, as the export windows fill
// theirs, in a real Qt window on the offscreen platform, then lets the view
// catch up and paints the window; for 10,000, 50,000 and 100,000 rows. Prints
// the times and the time per row, which stays flat as the rows grow.
//
//   bench_grid
#include "platform/qt/Backend.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Layout.h"
#include "platform/ui/Ui.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr const char* kLayout = R"(form TfrmGriglia caption="Griglia" client=1000x600 border=single
grid grdDati bounds=10,10,980,580 rows=1
column grdDati col0 "N." width=60
column grdDati col1 "Targa" width=90
column grdDati col2 "Marca" width=100
column grdDati col3 "Modello" width=100
column grdDati col4 "Tipo" width=100
column grdDati col5 "Uso" width=100
column grdDati col6 "Data" width=90
column grdDati col7 "Km" width=80
column grdDati col8 "Conduttore" width=120
column grdDati col9 "Note" width=120
)";

double seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

} // namespace

int main() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::printf("%8s %10s %10s %10s %14s\n", "rows", "fill s", "show s", "total s", "us per row");
    for (int rows : {10'000, 50'000, 100'000}) {
        ui::Application app;
        ui::Form form(app);
        ui::LoadLayout(form, kLayout, "bench");
        qtbackend::Session session(app, qtbackend::Mode::Unattended);
        form.Show();
        session.processEvents();
        auto& grid = form.Get<ui::StringGrid>("grdDati");
        const auto start = std::chrono::steady_clock::now();
        for (int row = 0; row < rows; ++row) {
            grid.SetRowCount(row + 1);
            grid.SetCell(0, row, std::to_string(row + 1));
            grid.SetCell(1, row, "AB" + std::to_string(100 + row % 900) + "CD");
            grid.SetCell(2, row, "Fiat");
            grid.SetCell(3, row, "Panda " + std::to_string(row % 7));
            grid.SetCell(4, row, "Autovettura");
            grid.SetCell(5, row, "Uso aziendale");
            grid.SetCell(6, row, "12/03/2026");
            grid.SetCell(7, row, std::to_string(row * 13 % 250000));
            grid.SetCell(8, row, "Rossi Mario");
            grid.SetCell(9, row, "nessuna");
        }
        const double fill = seconds(start);
        const auto shown = std::chrono::steady_clock::now();
        grid.SelectCell(1, rows - 1); // the last row scrolled into view
        session.processEvents();
        const std::string png = "/tmp/bench-grid-" + std::to_string(getpid()) + ".png";
        if (!session.grab(form, png)) return 1;
        std::remove(png.c_str());
        const double show = seconds(shown);
        std::printf("%8d %10.3f %10.3f %10.3f %14.2f\n", rows, fill, show, fill + show,
                    (fill + show) * 1e6 / rows);
    }
    return 0;
}
