#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "common/Archive.h"
#include "common/ExportWindow.h"
#include "common/Records.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Layout.h"
#include "tests/support/ExportFile.h"
#include "tests/support/Harness.h"
#include "tests/support/Spreadsheet.h"

using namespace common;

namespace {

constexpr std::string_view kLayout = R"(form TfrmExpProva caption="Esporta" client=862x560
grid grdRecords bounds=0,0,800,400 rows=10 rowheight=21 alternating=yes
column grdRecords colNum "N." width=60 readonly=yes
column grdRecords colVeicolo "Veicolo" width=200 readonly=yes
column grdRecords colNote "Note" width=200 readonly=yes
)";

const std::string kHead = ts::InizioFileEsportazione("Ingressi e Uscite") +
                          ts::IntestazioneEsportazione("Marca e modello", 250) +
                          ts::IntestazioneEsportazione("Note e citt\xE0", 300) + "</tr>";
std::string Row(const std::string& a, const std::string& b) {
    return "<tr>" + ts::CellaEsportazione(a) + ts::CellaEsportazione(b) + "</tr>";
}

struct ExportWindow {
    explicit ExportWindow(ts::Harness& h, std::string archivio = "") : form(h.app) {
        ui::LoadLayout(form, kLayout);
        if (archivio.empty()) archivio = rtl::DataPath("2024.vis");
        ConfigEsportazione c;
        c.archivio = [archivio] { return archivio; };
        c.record = &TVisitaRec;
        c.file = "Prova.xls";
        c.foglio = "Ingressi e Uscite";
        c.colonne = {{{"Veicolo", "Targa"}, {"Marca e modello", 250}},
                     {{"Note"}, {"Note e citt\xC3\xA0", 300}}};
        esportazione = std::make_unique<Esportazione>(Grid(), std::move(c));
        form.Show();
        esportazione->RiempiGriglia();
    }
    ui::StringGrid& Grid() { return form.Get<ui::StringGrid>("grdRecords"); }
    ui::Form form;
    std::unique_ptr<Esportazione> esportazione;
};

void AddVisit(const std::string& veicolo, const std::string& targa, const std::string& note) {
    Record r(TVisitaRec);
    r.Set("Veicolo", veicolo);
    r.Set("Targa", targa);
    r.Set("Note", note);
    Archivio(rtl::DataPath("2024.vis"), TVisitaRec).Scrivi("", r);
}

void Export(ts::Harness& h, ExportWindow& w, ui::Answer open = ui::Answer::No) {
    h.ExpectMessage(ui::DialogType::Confirmation, std::string(kMsgDomandaEsportazione), ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, std::string(kMsgEsportazioneRiuscita), open);
    w.esportazione->Esporta();
}

} // namespace

TEST(ExportWindow, FileIsByteExactInWindows1252OnOneLine) {
    ts::Harness h;
    AddVisit("Fiat Punto", "AB123CD", "Documenti lasciati: patente & libretto");
    AddVisit("Citroën C3", "", "a<b >c <!--");
    AddVisit("", "", "");
    ExportWindow w(h);
    ASSERT_EQ(w.Grid().RowCount(), 3);
    EXPECT_EQ(w.Grid().Cell(0, 1), "2");
    EXPECT_EQ(w.Grid().Cell(1, 1), "Citroën C3 ");
    EXPECT_EQ(w.Grid().Cell(1, 2), " ");

    Export(h, w, ui::Answer::Yes);
    const std::string file = rtl::ReadWholeFile(rtl::DataPath("Prova.xls"));
    EXPECT_EQ(file, kHead + Row("Fiat Punto AB123CD", "Documenti lasciati: patente &amp; libretto") +
                        Row("Citro\xEBn C3", "a&lt;b &gt;c &lt;!--") + Row("", "") +
                        "</table></body></html>");
    EXPECT_EQ(file.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(h.ShellOpened(), std::vector<std::string>{rtl::DataPath("Prova.xls")});

    // "Sì" on a desktop with no spreadsheet program: a word about it.
    h.SetDesktopOpens(false);
    h.ExpectMessage(ui::DialogType::Confirmation, std::string(kMsgDomandaEsportazione), ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, std::string(kMsgEsportazioneRiuscita), ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Warning, "Attenzione: nessun programma ha potuto aprire il file \"" +
                                                 rtl::DataPath("Prova.xls") +
                                                 "\".\n\r\n\rPer aprirlo è necessario installare un "
                                                 "programma adatto a questo tipo di file.");
    w.esportazione->Esporta();
    h.Verify();
}

TEST(ExportWindow, EmptyArchiveExportsTenEmptyRows) {
    ts::Harness h;
    ExportWindow w(h);
    EXPECT_EQ(w.Grid().RowCount(), 10);
    Export(h, w);
    std::string rows;
    for (int i = 0; i < 10; ++i)
        rows += Row("", "");
    EXPECT_EQ(rtl::ReadWholeFile(rtl::DataPath("Prova.xls")), kHead + rows + "</table></body></html>");
    EXPECT_TRUE(h.ShellOpened().empty());
}

TEST(ExportWindow, NoLeavesTheEarlierFileAndAFailedGridIsNeverExported) {
    ts::Harness h;
    { std::ofstream(rtl::DataPath("Prova.xls")) << "earlier export"; }
    {
        ExportWindow w(h);
        h.ExpectMessage(ui::DialogType::Confirmation, std::string(kMsgDomandaEsportazione), ui::Answer::No);
        w.esportazione->Esporta();
        EXPECT_EQ(rtl::ReadWholeFile(rtl::DataPath("Prova.xls")), "earlier export");
    }
    { std::ofstream(rtl::DataPath("file")) << "x"; }
    ExportWindow broken(h, rtl::DataPath("file/2024.vis"));
    EXPECT_FALSE(broken.esportazione->GrigliaCompleta());
    h.ExpectMessage(ui::DialogType::Confirmation, std::string(kMsgDomandaEsportazione), ui::Answer::Yes);
    h.ExpectShowMessage("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                        "Accertarsi che il file di Excel non sia già aperto.");
    broken.esportazione->Esporta();
    EXPECT_EQ(rtl::ReadWholeFile(rtl::DataPath("Prova.xls")), "earlier export");
}

// A write that breaks off half-way (the disk full, here a file size limit)
// leaves the earlier export whole and reports the failure.
TEST(ExportWindow, BrokenWriteKeepsTheEarlierFile) {
    ts::Harness h;
    for (int i = 0; i < 20; ++i)
        AddVisit("Fiat Punto " + std::to_string(i), "AB123CD", std::string(200, 'n'));
    { std::ofstream(rtl::DataPath("Prova.xls")) << "earlier export"; }
    ExportWindow w(h);
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 2048;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    h.ExpectMessage(ui::DialogType::Confirmation, std::string(kMsgDomandaEsportazione), ui::Answer::Yes);
    h.ExpectShowMessage(std::string(kMsgEsportazioneFallita));
    w.esportazione->Esporta();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(rtl::ReadWholeFile(rtl::DataPath("Prova.xls")), "earlier export");
    EXPECT_TRUE(h.ShellOpened().empty());
    // No temporary file is left behind.
    for (const auto& e : std::filesystem::directory_iterator(h.DataFolder()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

// A spreadsheet program (LibreOffice Calc) reads the exported file with its
// accents.
TEST(ExportWindow, SpreadsheetProgramReadsAccents) {
    ts::Harness h;
    AddVisit("Citroën C3", "AB1", "Forlì, città & più");
    ExportWindow w(h);
    Export(h, w);
    const auto cells = ts::CelleFoglioDiCalcolo(rtl::DataPath("Prova.xls"));
    ASSERT_GE(cells.size(), 2u);
    EXPECT_EQ(cells[0], (std::vector<std::string>{"Marca e modello", "Note e citt\xC3\xA0"}));
    EXPECT_EQ(cells[1],
              (std::vector<std::string>{"Citro\xC3\xABn C3 AB1", "Forl\xC3\xAC, citt\xC3\xA0 & pi\xC3\xB9"}));
}

// The file is written from the grid as it stands when "Esporta" is pressed,
// in blocks: a cell changed after the fill goes out with its new text, and a
// file several blocks long comes out whole.
TEST(ExportWindow, FileFollowsTheGridAcrossBlocks) {
    ts::Harness h;
    const std::string nota(240, 'n');
    std::string archive;
    Record r(TVisitaRec);
    for (int i = 0; i < 5000; ++i) {
        r.Set("Veicolo", "Furgone " + std::to_string(i));
        r.Set("Note", nota);
        archive.append(reinterpret_cast<const char*>(r.Bytes().data()), r.Bytes().size());
    }
    rtl::WriteWholeFile(rtl::DataPath("2024.vis"), archive);
    ExportWindow w(h);
    ASSERT_EQ(w.Grid().RowCount(), 5000);
    w.Grid().SetCell(2, 4999, "modificata & citt\xC3\xA0");
    Export(h, w);

    std::string expected = kHead;
    for (int i = 0; i < 4999; ++i)
        expected += Row("Furgone " + std::to_string(i), nota);
    expected += Row("Furgone 4999", "modificata &amp; citt\xE0") + "</table></body></html>";
    const std::string file = rtl::ReadWholeFile(rtl::DataPath("Prova.xls"));
    ASSERT_GT(file.size(), std::size_t(3) << 19); // more than one block of 1 MiB
    const auto diff = std::mismatch(file.begin(), file.end(), expected.begin(), expected.end());
    EXPECT_EQ(file, expected) << "first difference at " << (diff.first - file.begin()) << ": "
                              << file.substr(std::size_t(diff.first - file.begin()), 80) << " | "
                              << expected.substr(std::size_t(diff.second - expected.begin()), 80);
}

// The export reads the grid's rows from the archive again: an archive that
// has lost records since the fill fails the export, which leaves the earlier
// file as it was; with the records back, the rows export as the grid shows
// them, an edited cell with them.
TEST(ExportWindow, ArchiveCutShortAfterTheFillFailsTheExport) {
    ts::Harness h;
    for (int i = 0; i < 3; ++i)
        AddVisit("Furgone " + std::to_string(i), "AB" + std::to_string(i), "");
    ExportWindow w(h);
    ASSERT_EQ(w.Grid().RowCount(), 3);
    w.Grid().SetCell(2, 0, "modificata");
    const std::string archivio = rtl::ReadWholeFile(rtl::DataPath("2024.vis"));
    rtl::WriteWholeFile(rtl::DataPath("2024.vis"), archivio.substr(0, archivio.size() / 3 * 2 - 1));
    rtl::WriteWholeFile(rtl::DataPath("Prova.xls"), "earlier export");
    h.ExpectMessage(ui::DialogType::Confirmation, std::string(kMsgDomandaEsportazione), ui::Answer::Yes);
    h.ExpectShowMessage(std::string(kMsgEsportazioneFallita));
    w.esportazione->Esporta();
    EXPECT_EQ(rtl::ReadWholeFile(rtl::DataPath("Prova.xls")), "earlier export");

    rtl::WriteWholeFile(rtl::DataPath("2024.vis"), archivio);
    Export(h, w);
    EXPECT_EQ(rtl::ReadWholeFile(rtl::DataPath("Prova.xls")),
              kHead + Row("Furgone 0 AB0", "modificata") + Row("Furgone 1 AB1", "") +
                  Row("Furgone 2 AB2", "") + "</table></body></html>");
}
