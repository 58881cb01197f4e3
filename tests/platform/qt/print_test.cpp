#include "platform/qt/Print.h"
#include "tests/platform/qt/QtApp.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace qtbackend;

namespace {

// Page objects of a PDF file, with their media boxes (width, height in points).
std::vector<std::pair<double, double>> PdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString pdf = QString::fromLatin1(f.readAll());
    std::vector<std::pair<double, double>> pages;
    const QRegularExpression page(
        R"(/Type\s*/Page\b(?!s)[^>]*?/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])",
        QRegularExpression::DotMatchesEverythingOption);
    for (auto it = page.globalMatch(pdf); it.hasNext();) {
        const auto m = it.next();
        pages.emplace_back(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return pages;
}

report::Document ListReport(int lines) {
    auto r = report::Report::FromText(R"(report name="Elenco"
page size=A4 orientation=landscape margins=10
band Titolo kind=title height=12
memo lblTitolo 0 0 270 10 size=14pt bold text="Elenco di prova"
band Dati kind=data height=20 split
memo memLista 0 0 270 20 font="Courier New" size=10pt
band Piede kind=pagefooter height=8
memo lblPiede 0 0 270 8 text="Stampato il [DATE]"
)");
    std::vector<std::string> rows;
    for (int i = 0; i < lines; ++i)
        rows.push_back("Riga " + std::to_string(i + 1));
    auto& memo = r.GetMemo("memLista");
    memo.SetLines(rows);
    memo.SetHeight(double(rows.size()) * report::LineHeight(memo.font));
    r.GetBand("Dati").SetHeight(memo.Height());
    return r.Prepare();
}

// Charts go to the given printer while it lives.
struct InstalledPrinter {
    explicit InstalledPrinter(chart::Printer& p) : earlier(chart::SetPrinter(&p)) {}
    ~InstalledPrinter() { chart::SetPrinter(earlier); }
    chart::Printer* earlier;
};

} // namespace

TEST(Print, ReportIsWrittenAsPdfWithItsPagesAndOrientation) {
    QtApplication();
    const report::Document doc = ListReport(300);
    ASSERT_GT(doc.pages.size(), 2u);
    QTemporaryDir dir;
    const QString path = dir.filePath("elenco.pdf");
    ASSERT_TRUE(WritePdf(doc, path));
    const auto pages = PdfPages(path);
    ASSERT_EQ(pages.size(), doc.pages.size());
    for (const auto& [w, h] : pages) {
        EXPECT_NEAR(w, 297 / 25.4 * 72, 2); // A4 landscape, in points
        EXPECT_NEAR(h, 210 / 25.4 * 72, 2);
    }
}

TEST(Print, WriteIntoMissingFolderFails) {
    QtApplication();
    QTemporaryDir dir;
    EXPECT_FALSE(WritePdf(ListReport(5), dir.filePath("missing-folder/out.pdf")));
}

TEST(Print, PreviewShowsEveryPageAndCloses) {
    QtApplication();
    const report::Document doc = ListReport(300);
    PrintSetup setup;
    ReportOutput output(setup, false);
    int shownPages = -1;
    QTimer::singleShot(0, [&] {
        auto* preview = dynamic_cast<PreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        shownPages = preview->PageCount();
        preview->SetZoom(2.0); // rebuilt at the new zoom, still every page
        EXPECT_EQ(preview->PageCount(), shownPages);
        preview->findChild<QPushButton*>("btnChiudi")->click();
    });
    output.Preview(doc);
    EXPECT_EQ(shownPages, int(doc.pages.size()));
}

// The preview opens with every page whole in its viewport, a landscape year
// sheet as much as a portrait card or a list of several pages, and its
// commands' captions fit their buttons.
TEST(Print, PreviewOpensWithThePageWholeInView) {
    QtApplication();
    struct Case {
        const char* name;
        report::Document doc;
    };
    const Case cases[] = {
        {"landscape sheet",
         {"Planning Annuale", {report::Page{297, 210, report::Orientation::Landscape, {}}}}},
        {"portrait card", {"Scheda Veicolo", {report::Page{210, 297, report::Orientation::Portrait, {}}}}},
        {"landscape list", ListReport(300)},
    };
    for (const Case& k : cases) {
        PrintSetup setup;
        ReportOutput output(setup, false);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* preview = dynamic_cast<PreviewDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(preview, nullptr) << k.name;
            seen = true;
            auto* scroll = preview->findChild<QScrollArea*>();
            ASSERT_NE(scroll, nullptr);
            const QRect view = scroll->viewport()->rect();
            const auto pages = preview->findChildren<QWidget*>("page");
            ASSERT_FALSE(pages.isEmpty()) << k.name;
            const QWidget* page = pages.front();
            const QRect shown(page->mapTo(scroll->viewport(), QPoint(0, 0)), page->size());
            EXPECT_TRUE(view.contains(shown))
                << k.name << ": page " << shown.width() << "x" << shown.height() << " at " << shown.x() << ","
                << shown.y() << " in " << view.width() << "x" << view.height();
            EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << k.name;
            // The page is shown as large as the window allows, not as a thumbnail.
            EXPECT_TRUE(shown.width() > view.width() * 0.6 || shown.height() > view.height() * 0.6) << k.name;
            for (auto* b : preview->findChildren<QPushButton*>()) {
                const QFontMetrics fm(b->font());
                EXPECT_GE(b->width(), fm.horizontalAdvance(b->text()) + 2 * fm.averageCharWidth())
                    << k.name << ": \"" << b->text().toStdString() << "\" is tight in its button";
            }
            preview->findChild<QPushButton*>("btnChiudi")->click();
        });
        output.Preview(k.doc);
        EXPECT_TRUE(seen) << k.name;
    }
}

TEST(Print, PrintingToPdfMakesEachCopy) {
    QtApplication();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("copie.pdf"));
    printer.setCopyCount(2);
    const report::Document doc = ListReport(5);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_TRUE(PrintDocument(printer, doc));
    EXPECT_EQ(PdfPages(dir.filePath("copie.pdf")).size(), 2u);
}

TEST(Print, ChartPrintsInLandscapeOnePagePerCopy) {
    QtApplication();
    chart::Chart c;
    for (int m = 1; m <= 12; ++m)
        c.Add(m * 3, "M" + std::to_string(m), 0xFF4682B4);
    for (auto kind : {chart::SeriesKind::Bar, chart::SeriesKind::Pie}) {
        c.SetKind(kind);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("grafico.pdf"));
        ASSERT_TRUE(PrintChart(printer, c, 3));
        const auto pages = PdfPages(dir.filePath("grafico.pdf"));
        ASSERT_EQ(pages.size(), 3u);
        EXPECT_GT(pages[0].first, pages[0].second);
    }
}

// Printing to a file, the jobs of one chart print request (one per copy) go
// into one file, one page per copy, instead of each job rewriting the file.
TEST(Print, ChartCopiesPrintedToAFileAreAllInIt) {
    QtApplication();
    chart::Chart c;
    for (int m = 1; m <= 12; ++m)
        c.Add(m, "M" + std::to_string(m), 0xFF4682B4);
    QTemporaryDir dir;
    const QString path = dir.filePath("grafico.pdf");
    PrintSetup setup;
    setup.GetPrinter().setOutputFormat(QPrinter::PdfFormat);
    setup.GetPrinter().setOutputFileName(path);
    ChartPrinter printer(setup);
    const InstalledPrinter installed(printer);
    struct Case {
        int copies;
        std::size_t pages;
    };
    for (const Case& k : {Case{2, 2}, Case{3, 3}, Case{1, 1}}) {
        chart::Print(c, k.copies, false); // a new request writes the file anew
        const auto pages = PdfPages(path);
        ASSERT_EQ(pages.size(), k.pages) << k.copies << " copies";
        for (const auto& [w, h] : pages)
            EXPECT_GT(w, h) << "landscape";
    }
}

TEST(Print, ChartPrintIntoAMissingFolderIsAFailure) {
    QtApplication();
    chart::Chart c;
    c.Add(1, "Gen", 0xFF4682B4);
    QTemporaryDir dir;
    PrintSetup setup;
    setup.GetPrinter().setOutputFormat(QPrinter::PdfFormat);
    setup.GetPrinter().setOutputFileName(dir.filePath("manca/grafico.pdf"));
    ChartPrinter printer(setup);
    const InstalledPrinter installed(printer);
    EXPECT_THROW(chart::Print(c, 2, false), std::runtime_error);
}

// A printer that was chosen but cannot take the document is a failure that
// the printing window reports, never a cancel: with no printer installed the
// job goes into a PDF file, here one in a folder that does not exist.
TEST(Print, AChosenPrinterThatCannotPrintIsAFailure) {
    QtApplication();
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "a printer is installed";
    PrintSetup setup;
    ReportOutput output(setup, false);
    bool accepted = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        accepted = true;
        dialog->accept();
    });
    const report::Document doc{"cartella-che-non-esiste/Scheda",
                               {report::Page{210, 297, report::Orientation::Portrait, {}}}};
    EXPECT_THROW(output.Print(doc), report::Error);
    EXPECT_TRUE(accepted);
}
