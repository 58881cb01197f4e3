#include "platform/qt/Paint.h"
#include "tests/platform/qt/QtApp.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace qtbackend;

namespace {

constexpr int kW = 945, kH = 486; // the size of the transit statistics' chart

QImage Paint(const chart::Chart& c) {
    QImage img(kW, kH, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PaintChart(p, c, QRectF(0, 0, kW, kH));
    p.end();
    return img;
}

// Centre of the pixels of exactly one colour; (-1, -1) when there are none.
QPointF CentreOf(const QImage& img, QRgb rgb) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF)) sx += x, sy += y, ++n;
    return n ? QPointF(sx / n, sy / n) : QPointF(-1, -1);
}

std::uint32_t MonthColour(int m) {
    return 0xFF000000u | (std::uint32_t(10 + m * 17) << 16) | (std::uint32_t(200 - m * 9) << 8) | 77u;
}

} // namespace

// The legend is drawn where its model puts it. Twelve empty months in a pie
// leave the swatches as the only pixels of the months' colours.
TEST(ChartPaint, LegendLiesWhereItsPositionSays) {
    QtApplication();
    struct Case {
        chart::LegendPosition pos;
        const char* name;
        bool (*where)(QPointF);
    };
    const Case cases[] = {
        {chart::LegendPosition::Bottom, "bottom", [](QPointF c) { return c.y() > kH * 0.7; }},
        {chart::LegendPosition::Top, "top", [](QPointF c) { return c.y() < kH * 0.3; }},
        {chart::LegendPosition::Left, "left", [](QPointF c) { return c.x() < kW * 0.3; }},
        {chart::LegendPosition::Right, "right", [](QPointF c) { return c.x() > kW * 0.7; }},
    };
    for (const auto& k : cases) {
        chart::Chart c;
        c.SetKind(chart::SeriesKind::Pie);
        c.SetTitle({"Statistiche mensili", {"Verdana", 20, true, 0xFF000000}, true});
        c.SetFoot({"Piede del grafico", {"Verdana", 11, true, 0xFF000000}, true});
        c.SetLegend({true, k.pos, "Numero transiti veicoli:"});
        for (int m = 1; m <= 12; ++m)
            c.Add(0, "Mese" + std::to_string(m), MonthColour(m));
        const QImage img = Paint(c);
        for (int m = 1; m <= 12; ++m) {
            const QPointF at = CentreOf(img, MonthColour(m));
            ASSERT_GE(at.x(), 0) << k.name << ": no swatch of month " << m;
            EXPECT_TRUE(k.where(at)) << k.name << ": month " << m << " at " << at.x() << ", " << at.y();
        }
    }
}

// A legend across the chart keeps its entries in order, row by row.
TEST(ChartPaint, BottomLegendRunsInRowsInPointOrder) {
    QtApplication();
    chart::Chart c;
    c.SetKind(chart::SeriesKind::Pie);
    c.SetLegend({true, chart::LegendPosition::Bottom, "Numero transiti veicoli:"});
    for (int m = 1; m <= 12; ++m)
        c.Add(0, "Settembre", MonthColour(m));
    const QImage img = Paint(c);
    const QPointF first = CentreOf(img, MonthColour(1)), second = CentreOf(img, MonthColour(2)),
                  last = CentreOf(img, MonthColour(12));
    EXPECT_NEAR(first.y(), second.y(), 1);
    EXPECT_GT(second.x(), first.x());
    EXPECT_GT(last.y(), first.y()); // more than one row
}

// Months with no transit draw no spoke into a pie, and neither does a slice
// that is the whole pie.
TEST(ChartPaint, PieOfOneMonthHasNoSpoke) {
    QtApplication();
    chart::Chart c;
    c.SetKind(chart::SeriesKind::Pie);
    c.SetMarksVisible(false);
    c.SetLegend({false, chart::LegendPosition::Bottom, ""});
    const std::uint32_t green = 0xFF008000;
    for (int m = 1; m <= 11; ++m)
        c.Add(0, "Mese", MonthColour(m));
    c.Add(3, "Dicembre", green);
    const QImage img = Paint(c);
    for (int y = kH / 2 - 60; y < kH / 2 - 20; ++y)
        for (int x = kW / 2 - 2; x <= kW / 2 + 2; ++x)
            ASSERT_EQ(img.pixel(x, y) & 0xFFFFFF, green & 0xFFFFFF) << x << ", " << y;
}

namespace {

// The transit statistics' chart as a pie of the given monthly counts.
chart::Chart StatisticsPie(const std::vector<double>& months) {
    static const char* names[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                  "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
    chart::Chart c;
    c.SetKind(chart::SeriesKind::Pie);
    c.SetTitle(
        {"Statistiche mensili ingressi e uscite veicoli", {"Verdana", 20.0843, true, 0xFFD04498}, true});
    c.SetFoot({"Le statistiche si basano sui transiti effettivamente registrati per tutti i veicoli.",
               {"Verdana", 10.9277, true, 0xFF7294F9},
               true});
    c.SetLegend({true, chart::LegendPosition::Bottom, "Numero transiti veicoli:"});
    for (std::size_t m = 0; m < months.size(); ++m)
        c.Add(months[m], names[m], MonthColour(int(m) + 1));
    return c;
}

} // namespace

// The marks of a pie never cover one another, also where neighbouring months
// are small, and each lies inside the chart.
TEST(ChartPaint, PieMarksNeverCoverOneAnother) {
    QtApplication();
    const std::vector<std::vector<double>> years = {
        {0, 0, 0, 0, 0, 0, 2, 1, 0, 0, 0, 0},           // July 2, August 1
        {30, 25, 40, 35, 28, 33, 2, 1, 31, 29, 27, 36}, // two small among large ones
        {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},           // one month alone
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7},           // one month alone, at the end
        {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},           // twelve equal
        {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 200},         // eleven slivers in a row
        {300, 1, 2, 1, 3, 1, 250, 1, 1, 2, 1, 1},       // slivers on both sides
        {1000, 1000, 1000, 1000, 1000, 1000, 1, 1, 1, 1, 1, 1000},
    };
    for (const auto& year : years) {
        const chart::Chart c = StatisticsPie(year);
        QImage img(kW, kH, QImage::Format_ARGB32);
        QPainter p(&img);
        const std::vector<QRectF> marks = PaintChart(p, c, QRectF(0, 0, kW, kH));
        p.end();
        std::string name;
        for (double v : year)
            name += std::to_string(int(v)) + " ";
        const auto shown = std::count_if(year.begin(), year.end(), [](double v) { return v > 0; });
        EXPECT_EQ(std::ptrdiff_t(marks.size()), shown) << name;
        for (std::size_t i = 0; i < marks.size(); ++i) {
            EXPECT_TRUE(QRectF(0, 0, kW, kH).contains(marks[i])) << name << "mark " << i;
            for (std::size_t j = i + 1; j < marks.size(); ++j)
                EXPECT_FALSE(marks[i].intersects(marks[j])) << name << "marks " << i << " and " << j;
        }
    }
}

// A year without transits draws the pie as a plain, clearly visible outline
// with no slice in it, and the legend of the twelve months.
TEST(ChartPaint, EmptyPieIsAnOutlineWithItsLegend) {
    QtApplication();
    const chart::Chart c = StatisticsPie(std::vector<double>(12, 0));
    QImage img(kW, kH, QImage::Format_ARGB32);
    QPainter p(&img);
    EXPECT_TRUE(PaintChart(p, c, QRectF(0, 0, kW, kH)).empty()); // no mark
    p.end();
    // The legend: every month's swatch, below the pie.
    double legendTop = kH;
    for (int m = 1; m <= 12; ++m) {
        const QPointF at = CentreOf(img, MonthColour(m));
        ASSERT_GE(at.x(), 0) << "no swatch of month " << m;
        legendTop = std::min(legendTop, at.y() - 10);
    }
    // Down the middle, between the title and the legend: dark outline lines
    // (the top face's far and near edge, the bottom's) and white between them.
    auto dark = [&](int x, int y) { return qGray(img.pixel(x, y)) < 128; };
    auto white = [&](int x, int y) { return (img.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; };
    std::vector<int> edges;
    for (int y = 60; y < legendTop; ++y)
        if (dark(kW / 2, y) && !dark(kW / 2, y - 1)) edges.push_back(y);
    ASSERT_GE(edges.size(), 2u) << "no outline down the middle";
    for (int y = edges[0] + 3; y < edges[1] - 3; ++y)
        ASSERT_TRUE(white(kW / 2, y)) << "filled at " << y;
    // Across the middle of the top face: the outline on both sides, white between.
    const int y = (edges[0] + edges[1]) / 2;
    int left = -1, right = -1;
    for (int x = kW / 2; x > 0 && left < 0; --x)
        if (dark(x, y)) left = x;
    for (int x = kW / 2; x < kW && right < 0; ++x)
        if (dark(x, y)) right = x;
    ASSERT_GT(left, 0);
    ASSERT_GT(right, 0);
    EXPECT_GT(right - left, kW / 4); // a pie, not a dot
    for (int x = left + 3; x < right - 3; ++x)
        ASSERT_TRUE(white(x, y)) << "filled at " << x;
}
