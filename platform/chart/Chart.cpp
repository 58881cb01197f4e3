#include "platform/chart/Chart.h"

#include <exception>

namespace chart {

void Chart::changed() const {
    if (onChanged) onChanged();
}

void Chart::setSeriesName(std::string name) {
    seriesName_ = std::move(name);
    changed();
}
void Chart::setKind(SeriesKind kind) {
    if (kind_ == kind) return;
    kind_ = kind;
    changed();
}
void Chart::setMarksVisible(bool on) {
    marks_ = on;
    changed();
}
void Chart::clear() {
    points_.clear();
    changed();
}
void Chart::add(double value, std::string label, std::uint32_t color) {
    points_.push_back({value, std::move(label), color});
    changed();
}
void Chart::setView3D(bool on) {
    view3D_ = on;
    changed();
}
void Chart::setOrthogonal(bool on) {
    orthogonal_ = on;
    changed();
}
void Chart::setTitle(Caption c) {
    title_ = std::move(c);
    changed();
}
void Chart::setFoot(Caption c) {
    foot_ = std::move(c);
    changed();
}
void Chart::setLegend(Legend l) {
    legend_ = std::move(l);
    changed();
}
void Chart::setAxisTitles(std::string bottom, std::string left) {
    bottomAxis_ = std::move(bottom);
    leftAxis_ = std::move(left);
    changed();
}

PrintPlan planCopies(int askedCopies, bool printerMakesCopies) {
    if (askedCopies <= 0) return {};
    if (printerMakesCopies) return {1, askedCopies};
    return {askedCopies, 1};
}

void HeadlessPrinter::printJob(const Chart& chart, int copies) {
    jobs.push_back({chart.kind(), chart.points(), copies});
}

namespace {
Printer* installed = nullptr;
}

HeadlessPrinter& headlessPrinter() {
    static HeadlessPrinter p;
    return p;
}

void setPrinter(Printer* p) {
    installed = p;
}

Printer& printer() {
    return installed ? *installed : headlessPrinter();
}

void print(const Chart& chart, int askedCopies, bool printerMakesCopies) {
    const PrintPlan plan = planCopies(askedCopies, printerMakesCopies);
    if (plan.jobs <= 0) return;
    Printer& out = printer();
    out.beginRequest();
    try {
        for (int i = 0; i < plan.jobs; ++i)
            out.printJob(chart, plan.copiesPerJob);
    } catch (...) {
        // The request is ended whatever failed, and the failure goes on.
        try {
            out.endRequest();
        } catch (const std::exception&) {
            // The first failure is the one reported: ending a request that
            // already failed has nothing to add.
        }
        throw;
    }
    out.endRequest();
}

} // namespace chart
