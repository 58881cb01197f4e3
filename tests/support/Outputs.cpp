#include "tests/support/Outputs.h"

namespace ts {

bool HeadlessOutput::Print(const report::Document& document) {
    if (!confirm) return false;
    printed.push_back(document);
    return true;
}

void HeadlessOutput::Preview(const report::Document& document) {
    previewed.push_back(document);
}

void HeadlessPrinter::PrintJob(const chart::Chart& chart, int copies) {
    jobs.push_back({chart.Kind(), chart.Points(), copies});
}

HeadlessOutput& GetHeadlessOutput() {
    static HeadlessOutput o;
    return o;
}

HeadlessPrinter& GetHeadlessPrinter() {
    static HeadlessPrinter p;
    return p;
}

} // namespace ts
