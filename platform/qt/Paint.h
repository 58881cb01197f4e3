#pragma once
// Painting of the plain data models (report pages, charts, bitmaps) with a
// QPainter: the same code draws on screen, on a printer and into a PDF.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <vector>

#include "platform/chart/Chart.h"
#include "platform/image/Bitmap.h"
#include "platform/report/Page.h"

namespace qtbackend {

// 0xAARRGGBB as a Qt colour.
inline QColor ToQColor(std::uint32_t argb) {
    return QColor::fromRgba(argb);
}

// A deep copy of a bitmap as an image (null image for an empty bitmap).
QImage ToImage(const img::Bitmap& bitmap);

// Paints one page of a report, paper corner at the painter's origin, with
// `pxPerMm` device pixels per millimetre.
void PaintPage(QPainter& p, const report::Page& page, double pxPerMm);

// Paints a chart (title, series as 3D bars or pie, marks, legend, foot) into
// the area. Returns the frames of the marks it drew, in point order.
std::vector<QRectF> PaintChart(QPainter& p, const chart::Chart& chart, const QRectF& area);

} // namespace qtbackend
