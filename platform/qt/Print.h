#pragma once
// Printing and preview: the printer chosen in the print dialog, report
// documents printed, previewed and written as PDF, charts printed in
// landscape.
#include <QDialog>
#include <QPrinter>
#include <memory>

#include "platform/chart/Chart.h"
#include "platform/report/Report.h"

class QPainter;
class QScrollArea;
class QVBoxLayout;

namespace qtbackend {

// The printer of the session. Without an installed printer it prints into a
// PDF file (in the home folder, named after the document), which the print
// dialog lets the user choose.
class PrintSetup {
public:
    PrintSetup();
    QPrinter& GetPrinter() { return *printer_; }
    // Shows the print dialog with the copies preset; false when cancelled.
    // After it, GetPrinter().copyCount() holds the copies chosen.
    bool Choose(QWidget* parent, int copies, const QString& documentName);

private:
    std::unique_ptr<QPrinter> printer_;
};

// Paints every page of the document on the printer, in as many copies as the
// printer is set to (each copy collated, painted again when the printer
// cannot make copies itself). False when painting could not start.
bool PrintDocument(QPrinter& printer, const report::Document& document);

// Writes the document as a PDF file (through a temporary file, so a failed
// write leaves an existing file intact). False on failure.
bool WritePdf(const report::Document& document, const QString& path);

// One print job of the chart in landscape on the printer, `copies` copies.
bool PrintChart(QPrinter& printer, const chart::Chart& chart, int copies);

// The modal preview of a document: pages one below the other, with print,
// zoom, full screen and close commands. It opens as large as the screen with
// each page shown whole, and keeps the pages whole as the window changes size
// until the user zooms.
class PreviewDialog : public QDialog {
public:
    PreviewDialog(const report::Document& document, PrintSetup& setup, QWidget* parent = nullptr);
    double Zoom() const { return zoom_; }
    void SetZoom(double z);
    int PageCount() const;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Rebuild();
    void FitToWindow();
    void Print();
    const report::Document& document_;
    PrintSetup& setup_;
    double zoom_ = 1.0;
    bool fitting_ = true;
    QScrollArea* scroll_ = nullptr;
    QWidget* pages_ = nullptr;
    QVBoxLayout* pagesLayout_ = nullptr;
};

// The report output of the backend: print dialog and preview window.
class ReportOutput : public report::Output {
public:
    ReportOutput(PrintSetup& setup, bool unattended) : setup_(setup), unattended_(unattended) {}
    bool Print(const report::Document& document) override;
    void Preview(const report::Document& document) override;

private:
    PrintSetup& setup_;
    bool unattended_;
};

// The chart printer of the backend: jobs on the printer chosen last. When
// that prints into a file, the jobs of one request all go into the file, one
// after the other. A job that cannot be printed throws.
class ChartPrinter : public chart::Printer {
public:
    explicit ChartPrinter(PrintSetup& setup);
    ~ChartPrinter() override;
    void BeginRequest() override;
    void PrintJob(const chart::Chart& chart, int copies) override;
    void EndRequest() override;

private:
    PrintSetup& setup_;
    bool inRequest_ = false;
    std::unique_ptr<QPainter> filePainter_; // the file being written by the request
};

} // namespace qtbackend
