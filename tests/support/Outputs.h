#pragma once
// The headless report output and chart printer of the tests: they record
// what the program prints and previews. The harness installs both for its
// lifetime; a test reads them through GetHeadlessOutput and
// GetHeadlessPrinter.
#include <vector>

#include "platform/chart/Chart.h"
#include "platform/report/Report.h"

namespace ts {

// Records what was printed and previewed; `confirm` is the answer of the
// print dialog (true: print).
class HeadlessOutput : public report::Output {
public:
    bool confirm = true;
    std::vector<report::Document> printed;
    std::vector<report::Document> previewed;
    bool Print(const report::Document& document) override;
    void Preview(const report::Document& document) override;
};

// Records the chart print jobs.
class HeadlessPrinter : public chart::Printer {
public:
    struct Job {
        chart::SeriesKind kind;
        std::vector<chart::Point> points;
        int copies;
    };
    std::vector<Job> jobs;
    void PrintJob(const chart::Chart& chart, int copies) override;
};

// The ones the harness installs, one of each for the test program.
HeadlessOutput& GetHeadlessOutput();
HeadlessPrinter& GetHeadlessPrinter();

} // namespace ts
