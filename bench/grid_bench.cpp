// Fills a string grid of 10 columns one row at a time, as a window that does
// not know its row count beforehand fills it, in a real Qt window on the
// offscreen platform, then scrolls to the last row and paints the window; for
// 10,000 to 1,000,000 rows. The time per row stays flat as the rows grow
// (the grid's rows grow geometrically). See bench/Bench.h for how it is
// measured (there is no archive: no raw read beside it).
//
//   bench_grid [folder] [sizes...]
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "platform/qt/Backend.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Layout.h"
#include "platform/ui/Ui.h"

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

struct Sessione {
    ui::Application app;
    qtbackend::Session session{app, qtbackend::Mode::Unattended};
};

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::Program program;
    program.name = "grid";
    program.sizes = {10000, 100000, 1000000};
    program.paths = [](const std::string& folder, std::size_t size) {
        const int rows = int(size);
        const std::string png = folder + "grid.png";
        return std::vector<bench::Path>{
            {"fill row by row and show",
             [rows, png] {
                 auto s = std::make_shared<Sessione>();
                 return [s, rows, png] {
                     ui::Form form(s->app);
                     ui::LoadLayout(form, kLayout, "bench");
                     form.Show();
                     s->session.ProcessEvents();
                     auto& grid = form.Get<ui::StringGrid>("grdDati");
                     const double start = bench::Now();
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
                     const double fill = bench::Now() - start;
                     grid.SelectCell(1, rows - 1); // the last row scrolled into view
                     s->session.ProcessEvents();
                     if (!s->session.Grab(form, png)) std::exit(1);
                     const double t = bench::Now() - start;
                     std::remove(png.c_str());
                     char note[96];
                     std::snprintf(note, sizeof note, "fill %.0f ms; %.2f us per row", fill * 1e3,
                                   t * 1e6 / rows);
                     return bench::Outcome{note, t};
                 };
             }},
        };
    };
    return bench::Main(argc, argv, program);
}
