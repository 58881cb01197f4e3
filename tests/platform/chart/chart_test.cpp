#include "platform/chart/Chart.h"
#include "platform/chart/PieMarks.h"
#include "tests/support/Outputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace {

const chart::Point months[] = {
    {3, "Gennaio", 0xFFFF0000}, {0, "Febbraio", 0xFF0000FF}, {7, "Marzo", 0xFFFFE4C4},
    {1, "Aprile", 0xFFFF00FF},  {0, "Maggio", 0xFFC0DCC0},   {2, "Giugno", 0xFFFFFF00},
    {9, "Luglio", 0xFF00FF00},  {4, "Agosto", 0xFFC0C0C0},   {0, "Settembre", 0xFFF0FBFF},
    {5, "Ottobre", 0xFF87CEEB}, {6, "Novembre", 0xFF800000}, {8, "Dicembre", 0xFF008000},
};

chart::Chart TwelveMonths() {
    chart::Chart c;
    for (const auto& p : months)
        c.Add(p.value, p.label, p.color);
    return c;
}

} // namespace

TEST(Chart, SwitchingKindKeepsThePointsInOrder) {
    chart::Chart c = TwelveMonths();
    int repaints = 0;
    c.onChanged = [&] { ++repaints; };
    const std::vector<chart::Point> expected(std::begin(months), std::end(months));

    c.SetKind(chart::SeriesKind::Pie);
    EXPECT_EQ(c.Kind(), chart::SeriesKind::Pie);
    EXPECT_EQ(c.Points(), expected);
    EXPECT_EQ(c.SeriesName(), "Series1");
    c.SetKind(chart::SeriesKind::Bar);
    EXPECT_EQ(c.Kind(), chart::SeriesKind::Bar);
    EXPECT_EQ(c.Points(), expected);
    EXPECT_EQ(repaints, 2);

    c.SetKind(chart::SeriesKind::Bar); // already bars: nothing changes
    EXPECT_EQ(repaints, 2);

    // Clear and add again, as a new count does: the kind stays.
    c.SetKind(chart::SeriesKind::Pie);
    c.Clear();
    EXPECT_TRUE(c.Points().empty());
    c.Add(1, "Gennaio", 0xFFFF0000);
    EXPECT_EQ(c.Kind(), chart::SeriesKind::Pie);
    ASSERT_EQ(c.Points().size(), 1u);
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
        const chart::PrintPlan p = chart::PlanCopies(c.asked, c.printerMakesCopies);
        EXPECT_EQ(p, c.plan) << c.asked << " " << c.printerMakesCopies;
        EXPECT_EQ(p.jobs * p.copiesPerJob, std::max(c.asked, 0));
    }
}

TEST(Chart, PrintSendsThePlannedJobsToThePrinter) {
    ts::HeadlessPrinter printer;
    chart::SetPrinter(&printer);
    chart::Chart c = TwelveMonths();
    c.SetKind(chart::SeriesKind::Pie);

    chart::Print(c, 3, false);
    ASSERT_EQ(printer.jobs.size(), 3u);
    for (const auto& job : printer.jobs) {
        EXPECT_EQ(job.copies, 1);
        EXPECT_EQ(job.kind, chart::SeriesKind::Pie);
        EXPECT_EQ(job.points.size(), 12u);
    }
    printer.jobs.clear();
    chart::Print(c, 3, true);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].copies, 3);
    printer.jobs.clear();
    chart::Print(c, 0, false);
    EXPECT_TRUE(printer.jobs.empty());
    chart::SetPrinter(nullptr);
    // Without an installed printer nothing "prints" with success.
    try {
        chart::Print(c, 1, false);
        ADD_FAILURE() << "no failure";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "chart: no printer installed to print into");
    }
}

namespace {

// A pie as the statistics window draws it: 3D, in a 945 x 340 area.
const chart::PieShape kPie{472.5, 160, 210, 126, 20};
const chart::Box kArea{0, 0, 945, 340};
constexpr double kGap = 10, kHeight = 13;

// Inside the pie's silhouette: top face, rim, bottom face.
bool InPie(double x, double y) {
    const double dx = (x - kPie.cx) / kPie.rx;
    auto inFace = [&](double cy) { return dx * dx + ((y - cy) / kPie.ry) * ((y - cy) / kPie.ry) < 0.999; };
    return inFace(kPie.cy) || inFace(kPie.cy + kPie.depth) ||
           (std::abs(dx) < 0.999 && y > kPie.cy && y < kPie.cy + kPie.depth);
}

std::string Describe(const std::vector<double>& v) {
    std::string s;
    for (double x : v)
        s += std::to_string(int(x)) + " ";
    return s;
}

} // namespace

// The marks of a pie: one per month with transits, none covering another or
// the pie, each on its slice's side, tied to its slice by a leader line that
// runs from the slice's edge to the mark without crossing the pie.
TEST(PieMarks, MarksKeepClearOfEachOtherAndOfThePie) {
    const std::vector<std::vector<double>> years = {
        {0, 0, 0, 0, 0, 0, 2, 1, 0, 0, 0, 0},   {30, 25, 40, 35, 28, 33, 2, 1, 31, 29, 27, 36},
        {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},   {0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0},
        {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},   {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 200},
        {200, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {300, 1, 2, 1, 3, 1, 250, 1, 1, 2, 1, 1},
        {0, 4, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& year : years) {
        const std::string name = Describe(year);
        std::vector<double> widths;
        for (std::size_t m = 0; m < year.size(); ++m)
            widths.push_back(60 + 5 * double(m % 4));
        const auto marks = chart::PlacePieMarks(year, widths, kHeight, kPie, kArea, kGap);
        const auto shown = std::count_if(year.begin(), year.end(), [](double v) { return v > 0; });
        ASSERT_EQ(std::ptrdiff_t(marks.size()), shown) << name;
        for (std::size_t i = 0; i < marks.size(); ++i) {
            const chart::PieMark& m = marks[i];
            const chart::Box& b = m.box;
            EXPECT_GT(year[m.point], 0) << name;
            EXPECT_EQ(b.width, widths[m.point]) << name;
            EXPECT_TRUE(b.x >= kArea.x && b.y >= kArea.y && b.Right() <= kArea.Right() &&
                        b.Bottom() <= kArea.Bottom())
                << name << "mark of month " << m.point + 1 << " outside the chart";
            for (std::size_t j = i + 1; j < marks.size(); ++j)
                EXPECT_FALSE(b.Intersects(marks[j].box))
                    << name << "months " << m.point + 1 << " and " << marks[j].point + 1 << " overlap";
            for (double fx : {0.0, 0.5, 1.0})
                for (double fy : {0.0, 0.5, 1.0})
                    EXPECT_FALSE(InPie(b.x + fx * b.width, b.y + fy * b.height))
                        << name << "mark of month " << m.point + 1 << " over the pie";
            // On the side of its slice's middle.
            const double a = chart::SliceMiddle(year, m.point) * std::numbers::pi / 180;
            EXPECT_EQ(std::cos(a) >= 0, b.x >= kPie.cx) << name << "month " << m.point + 1;
            // The leader line: from the slice's edge, at its middle, to the
            // mark's near side, never across the pie.
            ASSERT_GE(m.leader.size(), 2u);
            const chart::Spot first = m.leader.front(), last = m.leader.back();
            const double drop = std::sin(a) < 0 ? kPie.depth : 0;
            EXPECT_NEAR(first.x, kPie.cx + std::cos(a) * kPie.rx, 0.01) << name;
            EXPECT_NEAR(first.y, kPie.cy - std::sin(a) * kPie.ry + drop, 0.01) << name;
            EXPECT_NEAR(last.x, b.x >= kPie.cx ? b.x : b.Right(), 0.01) << name;
            EXPECT_NEAR(last.y, b.y + b.height / 2, 0.01) << name;
            for (std::size_t k = 1; k < m.leader.size(); ++k)
                for (double t = 0.05; t <= 1; t += 0.05) {
                    const double x = m.leader[k - 1].x + (m.leader[k].x - m.leader[k - 1].x) * t;
                    const double y = m.leader[k - 1].y + (m.leader[k].y - m.leader[k - 1].y) * t;
                    ASSERT_FALSE(InPie(x, y))
                        << name << "leader of month " << m.point + 1 << " crosses the pie";
                }
        }
    }
}

// More marks than a side can hold still never cover one another.
TEST(PieMarks, CrowdedMarksStayApart) {
    const std::vector<double> year(12, 1);
    const chart::Box low{0, 100, 945, 40};
    const auto marks = chart::PlacePieMarks(year, std::vector<double>(12, 70), kHeight, kPie, low, kGap);
    ASSERT_EQ(marks.size(), 12u);
    for (std::size_t i = 0; i < marks.size(); ++i)
        for (std::size_t j = i + 1; j < marks.size(); ++j)
            EXPECT_FALSE(marks[i].box.Intersects(marks[j].box)) << i << " " << j;
}

TEST(PieMarks, EmptyPieHasNoMarks) {
    EXPECT_TRUE(chart::PlacePieMarks(std::vector<double>(12, 0), std::vector<double>(12, 50), kHeight, kPie,
                                     kArea, kGap)
                    .empty());
}
