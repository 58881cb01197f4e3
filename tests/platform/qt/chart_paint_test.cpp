#include "platform/qt/Paint.h"
#include "tests/platform/qt/QtApp.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace qtbackend;

namespace {

constexpr int kW = 945, kH = 486; // the size of the transit statistics' chart

QImage paint(const chart::Chart& c) {
    QImage img(kW, kH, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    paintChart(p, c, QRectF(0, 0, kW, kH));
    p.end();
    return img;
}

// Centre of the pixels of exactly one colour; (-1, -1) when there are none.
QPointF centreOf(const QImage& img, QRgb rgb) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF)) sx += x, sy += y, ++n;
    return n ? QPointF(sx / n, sy / n) : QPointF(-1, -1);
}

std::uint32_t monthColour(int m) {
    return 0xFF000000u | (std::uint32_t(10 + m * 17) << 16) | (std::uint32_t(200 - m * 9) << 8) | 77u;
}

} // namespace

// The legend is drawn where its model puts it. Twelve empty months in a pie
// leave the swatches as the only pixels of the months' colours.
TEST(ChartPaint, LegendLiesWhereItsPositionSays) {
    qtApp();
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
        c.setKind(chart::SeriesKind::Pie);
        c.setTitle({"Statistiche mensili", {"Verdana", 20, true, 0xFF000000}, true});
        c.setFoot({"Piede del grafico", {"Verdana", 11, true, 0xFF000000}, true});
        c.setLegend({true, k.pos, "Numero transiti veicoli:"});
        for (int m = 1; m <= 12; ++m)
            c.add(0, "Mese" + std::to_string(m), monthColour(m));
        const QImage img = paint(c);
        for (int m = 1; m <= 12; ++m) {
            const QPointF at = centreOf(img, monthColour(m));
            ASSERT_GE(at.x(), 0) << k.name << ": no swatch of month " << m;
            EXPECT_TRUE(k.where(at)) << k.name << ": month " << m << " at " << at.x() << ", " << at.y();
        }
    }
}

// A legend across the chart keeps its entries in order, row by row.
TEST(ChartPaint, BottomLegendRunsInRowsInPointOrder) {
    qtApp();
    chart::Chart c;
    c.setKind(chart::SeriesKind::Pie);
    c.setLegend({true, chart::LegendPosition::Bottom, "Numero transiti veicoli:"});
    for (int m = 1; m <= 12; ++m)
        c.add(0, "Settembre", monthColour(m));
    const QImage img = paint(c);
    const QPointF first = centreOf(img, monthColour(1)), second = centreOf(img, monthColour(2)),
                  last = centreOf(img, monthColour(12));
    EXPECT_NEAR(first.y(), second.y(), 1);
    EXPECT_GT(second.x(), first.x());
    EXPECT_GT(last.y(), first.y()); // more than one row
}

// Months with no transit draw no spoke into a pie, and neither does a slice
// that is the whole pie.
TEST(ChartPaint, PieOfOneMonthHasNoSpoke) {
    qtApp();
    chart::Chart c;
    c.setKind(chart::SeriesKind::Pie);
    c.setMarksVisible(false);
    c.setLegend({false, chart::LegendPosition::Bottom, ""});
    const std::uint32_t green = 0xFF008000;
    for (int m = 1; m <= 11; ++m)
        c.add(0, "Mese", monthColour(m));
    c.add(3, "Dicembre", green);
    const QImage img = paint(c);
    for (int y = kH / 2 - 60; y < kH / 2 - 20; ++y)
        for (int x = kW / 2 - 2; x <= kW / 2 + 2; ++x)
            ASSERT_EQ(img.pixel(x, y) & 0xFFFFFF, green & 0xFFFFFF) << x << ", " << y;
}
