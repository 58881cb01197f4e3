#include "platform/qt/Print.h"

#include "platform/qt/Paint.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace qtbackend {

namespace {

QPageLayout LayoutOf(const report::Page& page) {
    // The page model gives the paper as oriented; Qt wants portrait figures
    // and the orientation.
    const bool landscape = page.width > page.height;
    const QSizeF portrait = landscape ? QSizeF(page.height, page.width) : QSizeF(page.width, page.height);
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

// Paints the pages on a paged device; `copies` times the whole document.
bool PaintDocument(QPagedPaintDevice& device, double dpi, const report::Document& document, int copies) {
    if (document.pages.empty()) return true;
    device.setPageLayout(LayoutOf(document.pages.front()));
    QPainter p;
    if (!p.begin(&device)) return false;
    const double pxPerMm = dpi / 25.4;
    bool first = true;
    for (int c = 0; c < copies; ++c) {
        for (const auto& page : document.pages) {
            if (!first) {
                device.setPageLayout(LayoutOf(page));
                device.newPage();
            }
            first = false;
            PaintPage(p, page, pxPerMm);
        }
    }
    return p.end();
}

} // namespace

PrintSetup::PrintSetup() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

bool PrintSetup::Choose(QWidget* parent, int copies, const QString& documentName) {
    QPrinter& pr = *printer_;
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        // No printer installed: the job goes into a PDF file.
        pr.setOutputFormat(QPrinter::PdfFormat);
        const QString name = documentName.isEmpty() ? QStringLiteral("Stampa") : documentName;
        pr.setOutputFileName(QDir::home().filePath(name + ".pdf"));
    }
    pr.setDocName(documentName);
    pr.setCopyCount(std::max(1, copies));
    QPrintDialog dialog(&pr, parent);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

bool PrintDocument(QPrinter& printer, const report::Document& document) {
    const chart::PrintPlan plan = chart::PlanCopies(printer.copyCount(), printer.supportsMultipleCopies());
    if (plan.jobs <= 0) return true;
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(document.name));
    printer.setCopyCount(plan.copiesPerJob);
    return PaintDocument(printer, printer.resolution(), document, plan.jobs);
}

bool WritePdf(const report::Document& document, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setTitle(QString::fromStdString(document.name));
        writer.setCreator(QStringLiteral("Dorneval"));
        if (!PaintDocument(writer, writer.resolution(), document, 1)) {
            file.cancelWriting();
            return false;
        }
        if (document.pages.empty()) {
            // A document without pages still makes a valid (blank) PDF.
            QPainter p(&writer);
        }
    }
    return file.commit();
}

namespace {

void SetUpChartPage(QPrinter& printer) {
    printer.setFullPage(false);
    printer.setPageOrientation(QPageLayout::Landscape);
}

// Paints `pages` pages of the chart with a painter begun on the printer,
// after a new page when the printer already holds one.
void PaintChartPages(QPainter& p, QPrinter& printer, const chart::Chart& chart, int pages, bool afterAPage) {
    const QRectF area(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    for (int c = 0; c < pages; ++c) {
        if (c > 0 || afterAPage) printer.newPage();
        PaintChart(p, chart, area);
    }
}

[[noreturn]] void ChartPrintFailed() {
    throw std::runtime_error("Impossibile stampare il grafico sulla stampante scelta.");
}

// A printer that was chosen but cannot take the document (it cannot start a
// page, or the file it prints to cannot be written) is a failure, never a
// cancel: the window that prints reports it.
constexpr const char* kDocumentoNonStampato = "Impossibile stampare il documento sulla stampante scelta.";

} // namespace

bool PrintChart(QPrinter& printer, const chart::Chart& chart, int copies) {
    if (copies <= 0) return true;
    SetUpChartPage(printer);
    const bool native = printer.supportsMultipleCopies();
    printer.setCopyCount(native ? copies : 1);
    QPainter p;
    if (!p.begin(&printer)) return false;
    PaintChartPages(p, printer, chart, native ? 1 : copies, false);
    return p.end();
}

// ---------------------------------------------------------------------------
// Preview

namespace {

// A page at zoom 1 is as large as on paper on a 96 dpi screen.
constexpr double kScreenPxPerMm = 96.0 / 25.4;

class PageView : public QWidget {
public:
    PageView(const report::Page& page, double zoom, QWidget* parent)
        : QWidget(parent), page_(page), zoom_(zoom) {
        setObjectName(QStringLiteral("page"));
        setFixedSize(int(page.width * PxPerMm()), int(page.height * PxPerMm()));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PaintPage(p, page_, PxPerMm());
        p.setPen(Qt::darkGray);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    double PxPerMm() const { return kScreenPxPerMm * zoom_; }
    const report::Page& page_;
    double zoom_;
};

constexpr double kMinZoom = 0.1, kMaxZoom = 4.0;

} // namespace

PreviewDialog::PreviewDialog(const report::Document& document, PrintSetup& setup, QWidget* parent)
    : QDialog(parent), document_(document), setup_(setup) {
    setObjectName(QStringLiteral("reportPreview"));
    setWindowTitle(
        QStringLiteral("Anteprima di stampa") +
        (document.name.empty() ? QString() : QStringLiteral(" - ") + QString::fromStdString(document.name)));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text, auto slot) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        // The caption keeps a margin of two letters on each side.
        const QFontMetrics fm(b->font());
        b->setMinimumWidth(fm.horizontalAdvance(text) + 4 * fm.averageCharWidth());
        connect(b, &QPushButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    button("btnStampa", QStringLiteral("Stampa"), [this] { Print(); });
    button("btnZoomIn", QStringLiteral("Zoom +"), [this] { SetZoom(zoom_ * 1.25); });
    button("btnZoomOut", QStringLiteral("Zoom -"), [this] { SetZoom(zoom_ / 1.25); });
    button("btnIntero", QStringLiteral("Schermo intero"), [this] {
        if (isFullScreen())
            showNormal();
        else
            showFullScreen();
    });
    bar->addStretch();
    button("btnChiudi", QStringLiteral("Chiudi"), [this] { accept(); });
    layout->addLayout(bar);
    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    layout->addWidget(scroll_);
    Rebuild();
    // As large as the screen, so that a landscape sheet reads at a useful
    // size; a window manager maximises it, the geometry stands in without one.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) setGeometry(screen->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
}

void PreviewDialog::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    FitToWindow();
}

void PreviewDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FitToWindow();
}

// Until the user zooms, the zoom follows the window so that the largest page
// shows whole, without scrolling across it.
void PreviewDialog::FitToWindow() {
    if (!fitting_ || document_.pages.empty()) return;
    double width = 0, height = 0;
    for (const auto& page : document_.pages) {
        width = std::max(width, page.width);
        height = std::max(height, page.height);
    }
    const QMargins m = pagesLayout_->contentsMargins();
    QSize room = scroll_->maximumViewportSize().shrunkBy(m);
    if (document_.pages.size() > 1) // the pages scroll by, beside a vertical scroll bar
        room.rwidth() -= scroll_->verticalScrollBar()->sizeHint().width();
    if (room.width() <= 0 || room.height() <= 0 || width <= 0 || height <= 0) return;
    const double z = std::clamp(
        std::min(room.width() / (width * kScreenPxPerMm), room.height() / (height * kScreenPxPerMm)),
        kMinZoom, kMaxZoom);
    if (std::abs(z - zoom_) < 1e-4) return;
    zoom_ = z;
    Rebuild();
}

int PreviewDialog::PageCount() const {
    return int(pages_->findChildren<QWidget*>(QStringLiteral("page")).size());
}

void PreviewDialog::SetZoom(double z) {
    fitting_ = false;
    zoom_ = std::clamp(z, kMinZoom, kMaxZoom);
    Rebuild();
}

void PreviewDialog::Rebuild() {
    pages_ = new QWidget;
    pagesLayout_ = new QVBoxLayout(pages_);
    pagesLayout_->setSpacing(12);
    for (const auto& page : document_.pages)
        pagesLayout_->addWidget(new PageView(page, zoom_, pages_), 0, Qt::AlignHCenter);
    scroll_->setWidget(pages_); // deletes the previous pages
}

void PreviewDialog::Print() {
    if (!setup_.Choose(this, 1, QString::fromStdString(document_.name))) return;
    if (!PrintDocument(setup_.GetPrinter(), document_)) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Errore"),
                        QString::fromUtf8(kDocumentoNonStampato), QMessageBox::Ok, this);
        box.exec();
    }
}

bool ReportOutput::Print(const report::Document& document) {
    if (unattended_) return false;
    if (!setup_.Choose(QApplication::activeWindow(), 1, QString::fromStdString(document.name))) return false;
    if (!PrintDocument(setup_.GetPrinter(), document)) throw report::Error(kDocumentoNonStampato);
    return true;
}

void ReportOutput::Preview(const report::Document& document) {
    if (unattended_) return;
    PreviewDialog dialog(document, setup_, QApplication::activeWindow());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.exec();
}

ChartPrinter::ChartPrinter(PrintSetup& setup) : setup_(setup) {}

ChartPrinter::~ChartPrinter() = default;

void ChartPrinter::BeginRequest() {
    inRequest_ = true;
    filePainter_.reset();
}

// A printer gets each job as it comes. A file would be written anew by each
// job, leaving only the last copy: the jobs of a request become its pages.
void ChartPrinter::PrintJob(const chart::Chart& chart, int copies) {
    if (copies <= 0) return;
    QPrinter& printer = setup_.GetPrinter();
    if (!inRequest_ || printer.outputFileName().isEmpty()) {
        if (!PrintChart(printer, chart, copies)) ChartPrintFailed();
        return;
    }
    const bool started = filePainter_ != nullptr;
    if (!started) {
        SetUpChartPage(printer);
        printer.setCopyCount(1);
        filePainter_ = std::make_unique<QPainter>();
        if (!filePainter_->begin(&printer)) {
            filePainter_.reset();
            ChartPrintFailed();
        }
    }
    PaintChartPages(*filePainter_, printer, chart, copies, started);
}

void ChartPrinter::EndRequest() {
    inRequest_ = false;
    const std::unique_ptr<QPainter> painter = std::move(filePainter_);
    if (painter && !painter->end()) ChartPrintFailed();
}

} // namespace qtbackend
