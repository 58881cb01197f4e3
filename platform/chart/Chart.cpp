#include "platform/chart/Chart.h"

#include <exception>
#include <stdexcept>
#include <utility>

namespace chart {

void Chart::Changed() const {
    if (onChanged) onChanged();
}

void Chart::SetSeriesName(std::string name) {
    seriesName_ = std::move(name);
    Changed();
}
void Chart::SetKind(SeriesKind kind) {
    if (kind_ == kind) return;
    kind_ = kind;
    Changed();
}
void Chart::SetMarksVisible(bool on) {
    marks_ = on;
    Changed();
}
void Chart::Clear() {
    points_.clear();
    Changed();
}
void Chart::Add(double value, std::string label, std::uint32_t color) {
    points_.push_back({value, std::move(label), color});
    Changed();
}
void Chart::SetView3D(bool on) {
    view3D_ = on;
    Changed();
}
void Chart::SetOrthogonal(bool on) {
    orthogonal_ = on;
    Changed();
}
void Chart::SetTitle(Caption c) {
    title_ = std::move(c);
    Changed();
}
void Chart::SetFoot(Caption c) {
    foot_ = std::move(c);
    Changed();
}
void Chart::SetLegend(Legend l) {
    legend_ = std::move(l);
    Changed();
}
void Chart::SetAxisTitles(std::string bottom, std::string left) {
    bottomAxis_ = std::move(bottom);
    leftAxis_ = std::move(left);
    Changed();
}

PrintPlan PlanCopies(int askedCopies, bool printerMakesCopies) {
    if (askedCopies <= 0) return {};
    if (printerMakesCopies) return {1, askedCopies};
    return {askedCopies, 1};
}

namespace {
Printer* installed = nullptr;
}

Printer* SetPrinter(Printer* p) {
    return std::exchange(installed, p);
}

Printer& GetPrinter() {
    if (!installed) throw std::logic_error("chart: no printer installed to print into");
    return *installed;
}

void Print(const Chart& chart, int askedCopies, bool printerMakesCopies) {
    const PrintPlan plan = PlanCopies(askedCopies, printerMakesCopies);
    if (plan.jobs <= 0) return;
    Printer& out = GetPrinter();
    out.BeginRequest();
    try {
        for (int i = 0; i < plan.jobs; ++i)
            out.PrintJob(chart, plan.copiesPerJob);
    } catch (...) {
        // The request is ended whatever failed, and the failure goes on.
        try {
            out.EndRequest();
        } catch (const std::exception&) {
            // The first failure is the one reported: ending a request that
            // already failed has nothing to add.
        }
        throw;
    }
    out.EndRequest();
}

} // namespace chart
