#include "platform/chart/Chart.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const chart::Point months[] = {
    {3, "Gennaio", 0xFFFF0000}, {0, "Febbraio", 0xFF0000FF}, {7, "Marzo", 0xFFFFE4C4},
    {1, "Aprile", 0xFFFF00FF},  {0, "Maggio", 0xFFC0DCC0},   {2, "Giugno", 0xFFFFFF00},
    {9, "Luglio", 0xFF00FF00},  {4, "Agosto", 0xFFC0C0C0},   {0, "Settembre", 0xFFF0FBFF},
    {5, "Ottobre", 0xFF87CEEB}, {6, "Novembre", 0xFF800000}, {8, "Dicembre", 0xFF008000},
};

chart::Chart twelveMonths() {
    chart::Chart c;
    for (const auto& p : months)
        c.add(p.value, p.label, p.color);
    return c;
}

} // namespace

TEST(Chart, SwitchingKindKeepsThePointsInOrder) {
    chart::Chart c = twelveMonths();
    int repaints = 0;
    c.onChanged = [&] { ++repaints; };
    const std::vector<chart::Point> expected(std::begin(months), std::end(months));

    c.setKind(chart::SeriesKind::Pie);
    EXPECT_EQ(c.kind(), chart::SeriesKind::Pie);
    EXPECT_EQ(c.points(), expected);
    EXPECT_EQ(c.seriesName(), "Series1");
    c.setKind(chart::SeriesKind::Bar);
    EXPECT_EQ(c.kind(), chart::SeriesKind::Bar);
    EXPECT_EQ(c.points(), expected);
    EXPECT_EQ(repaints, 2);

    c.setKind(chart::SeriesKind::Bar); // already bars: nothing changes
    EXPECT_EQ(repaints, 2);

    // Clear and add again, as a new count does: the kind stays.
    c.setKind(chart::SeriesKind::Pie);
    c.clear();
    EXPECT_TRUE(c.points().empty());
    c.add(1, "Gennaio", 0xFFFF0000);
    EXPECT_EQ(c.kind(), chart::SeriesKind::Pie);
    ASSERT_EQ(c.points().size(), 1u);
}

TEST(Chart, CopiesBecomeJobsNeverCopiesTimesCopies) {
    const struct {
        int asked;
        bool printerMakesCopies;
        chart::PrintPlan plan;
    } cases[] = {
        {1, false, {1, 1}}, {3, false, {3, 1}}, {3, true, {1, 3}},   {1, true, {1, 1}},
        {0, false, {0, 0}}, {0, true, {0, 0}},  {-2, false, {0, 0}},
    };
    for (const auto& c : cases) {
        const chart::PrintPlan p = chart::planCopies(c.asked, c.printerMakesCopies);
        EXPECT_EQ(p, c.plan) << c.asked << " " << c.printerMakesCopies;
        EXPECT_EQ(p.jobs * p.copiesPerJob, std::max(c.asked, 0));
    }
}

TEST(Chart, PrintSendsThePlannedJobsToThePrinter) {
    chart::HeadlessPrinter printer;
    chart::setPrinter(&printer);
    chart::Chart c = twelveMonths();
    c.setKind(chart::SeriesKind::Pie);

    chart::print(c, 3, false);
    ASSERT_EQ(printer.jobs.size(), 3u);
    for (const auto& job : printer.jobs) {
        EXPECT_EQ(job.copies, 1);
        EXPECT_EQ(job.kind, chart::SeriesKind::Pie);
        EXPECT_EQ(job.points.size(), 12u);
    }
    printer.jobs.clear();
    chart::print(c, 3, true);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].copies, 3);
    printer.jobs.clear();
    chart::print(c, 0, false);
    EXPECT_TRUE(printer.jobs.empty());
    chart::setPrinter(nullptr);
    EXPECT_EQ(&chart::printer(), &chart::headlessPrinter());
}
