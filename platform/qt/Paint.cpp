#include "platform/qt/Paint.h"

#include "platform/chart/PieMarks.h"
#include "platform/qt/FontMap.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace qtbackend {

QImage ToImage(const img::Bitmap& bitmap) {
    if (bitmap.empty() || bitmap.rgba.size() < std::size_t(bitmap.width) * bitmap.height * 4) return {};
    QImage view(bitmap.rgba.data(), bitmap.width, bitmap.height, bitmap.width * 4, QImage::Format_RGBA8888);
    return view.copy();
}

namespace {

QFont ReportFont(const report::Font& f, double pxPerMm) {
    // Report sizes are points; the painter works in device pixels.
    QFont font = MakeFont(QString::fromStdString(f.family), 1, f.bold, f.italic, f.underline);
    font.setPixelSize(std::max(1, int(std::lround(f.size * 25.4 / 72.0 * pxPerMm))));
    return font;
}

QRectF ToRect(const report::Box& b, double s) {
    return {b.x * s, b.y * s, b.width * s, b.height * s};
}

void ArrowHead(QPainter& p, QPointF tip, QPointF from, double size) {
    const double angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
    const QPointF a = tip - QPointF(std::cos(angle - 0.4) * size, std::sin(angle - 0.4) * size);
    const QPointF b = tip - QPointF(std::cos(angle + 0.4) * size, std::sin(angle + 0.4) * size);
    p.drawPolygon(QPolygonF({tip, a, b}));
}

struct ItemPainter {
    QPainter& p;
    double s;

    void operator()(const report::RectItem& r) const {
        p.save();
        p.setBrush(r.fill ? QBrush(ToQColor(r.fill)) : Qt::NoBrush);
        p.setPen(r.frame ? QPen(ToQColor(r.frame), std::max(1.0, r.frameWidth * s)) : QPen(Qt::NoPen));
        p.drawRect(ToRect(r.box, s));
        p.restore();
    }
    void operator()(const report::LineItem& l) const {
        p.save();
        const QColor c = ToQColor(l.color);
        p.setPen(QPen(c, std::max(1.0, l.width * s)));
        const QPointF a(l.x1 * s, l.y1 * s), b(l.x2 * s, l.y2 * s);
        p.drawLine(a, b);
        p.setBrush(c);
        if (l.arrowStart) ArrowHead(p, a, b, 2.0 * s);
        if (l.arrowEnd) ArrowHead(p, b, a, 2.0 * s);
        p.restore();
    }
    void operator()(const report::TextItem& t) const {
        p.save();
        p.setClipRect(ToRect(t.clip, s), Qt::IntersectClip);
        p.setFont(ReportFont(t.font, s));
        p.setPen(ToQColor(t.font.color));
        int align = Qt::AlignVCenter;
        switch (t.align) {
        case report::HAlign::Left:
            align |= Qt::AlignLeft;
            break;
        case report::HAlign::Center:
            align |= Qt::AlignHCenter;
            break;
        case report::HAlign::Right:
            align |= Qt::AlignRight;
            break;
        }
        // The engine has already cut the text into lines: draw it literally.
        p.drawText(ToRect(t.box, s), align | Qt::TextSingleLine, QString::fromStdString(t.text));
        p.restore();
    }
    void operator()(const report::PictureItem& pic) const {
        if (!pic.bitmap) return;
        const QImage image = ToImage(*pic.bitmap);
        if (image.isNull()) return;
        p.save();
        p.setClipRect(ToRect(pic.clip, s), Qt::IntersectClip);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(ToRect(pic.box, s), image);
        p.restore();
    }
};

} // namespace

void PaintPage(QPainter& p, const report::Page& page, double pxPerMm) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(QRectF(0, 0, page.width * pxPerMm, page.height * pxPerMm), Qt::white);
    const ItemPainter painter{p, pxPerMm};
    for (const auto& item : page.items)
        std::visit(painter, item);
    p.restore();
}

// ---------------------------------------------------------------------------
// Charts

namespace {

QFont ChartFont(const chart::TextStyle& t, double scale) {
    QFont font = MakeFont(QString::fromStdString(t.family), 1, t.bold, false, false);
    font.setPixelSize(std::max(1, int(std::lround(t.size * 96.0 / 72.0 * scale))));
    return font;
}

QString MarkText(double v) {
    if (std::fabs(v - std::round(v)) < 1e-9) return QString::number(static_cast<long long>(std::llround(v)));
    return QString::number(v, 'f', 2).replace('.', ',');
}

// A mark: the point's text in a light yellow frame.
void PaintMark(QPainter& p, const QRectF& frame, const QString& text) {
    p.setBrush(QColor(0xFF, 0xFF, 0xE0));
    p.setPen(QPen(Qt::gray, 1));
    p.drawRect(frame);
    p.setPen(Qt::black);
    p.drawText(frame, Qt::AlignCenter, text);
}

// One step of the axis scale: 1, 2 or 5 times a power of ten, about 5 steps.
double NiceStep(double max) {
    if (max <= 0) return 1;
    const double raw = max / 5;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * mag) return std::max(1.0, m * mag);
    return std::max(1.0, 10 * mag);
}

std::vector<QRectF> PaintBars(QPainter& p, const chart::Chart& c, const QRectF& area, double scale) {
    const auto& pts = c.Points();
    const bool depth = c.View3D();
    const double d = depth ? std::min(18.0 * scale, area.width() / 40) : 0; // 3D depth
    QFont labelFont = ChartFont({"Verdana", 8, false, 0xFF000000}, scale);
    const QFontMetricsF fm(labelFont);
    double maxV = 0;
    for (const auto& pt : pts)
        maxV = std::max(maxV, pt.value);
    const double step = NiceStep(maxV);
    const double top = std::max(step, std::ceil(maxV / step) * step);
    const double axisW = fm.horizontalAdvance(MarkText(top)) + 8 * scale;
    const QRectF plot(area.left() + axisW, area.top() + d + fm.height(), area.width() - axisW - d,
                      area.height() - d - 2.5 * fm.height());
    if (plot.width() <= 0 || plot.height() <= 0) return {};
    p.setFont(labelFont);
    // Back wall and floor, with the scale lines: grid silver, axes and ticks dark grey.
    const QPen grid(QColor(0xC0, 0xC0, 0xC0), 1), axis(QColor(0xA9, 0xA9, 0xA9), 1);
    for (double v = 0; v <= top + 1e-9; v += step) {
        const double y = plot.bottom() - v / top * plot.height();
        p.setPen(grid);
        p.drawLine(QPointF(plot.left() + d, y - d), QPointF(plot.right() + d, y - d));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.left() + d, y - d));
        p.setPen(axis);
        p.drawLine(QPointF(plot.left() - 4 * scale, y), QPointF(plot.left(), y));
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawText(QRectF(area.left(), y - fm.height() / 2, axisW - 6 * scale, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, MarkText(v));
    }
    p.setPen(axis);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    std::vector<QRectF> frames;
    if (pts.empty()) return frames;
    const double slot = plot.width() / pts.size();
    const double barW = slot * 0.6;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const auto& pt = pts[i];
        const double h = std::max(0.0, pt.value) / top * plot.height();
        const QRectF front(plot.left() + i * slot + (slot - barW) / 2, plot.bottom() - h, barW, h);
        const QColor col = ToQColor(pt.color);
        p.setPen(QPen(col.darker(160), 1));
        if (depth) {
            const QPolygonF topFace({front.topLeft(), front.topLeft() + QPointF(d, -d),
                                     front.topRight() + QPointF(d, -d), front.topRight()});
            const QPolygonF side({front.topRight(), front.topRight() + QPointF(d, -d),
                                  front.bottomRight() + QPointF(d, -d), front.bottomRight()});
            p.setBrush(col.lighter(130));
            p.drawPolygon(topFace);
            p.setBrush(col.darker(140));
            p.drawPolygon(side);
        }
        p.setBrush(col);
        p.drawRect(front);
        p.setPen(Qt::black);
        const QRectF labelBox(plot.left() + i * slot, plot.bottom() + 2 * scale, slot, fm.height());
        p.drawText(labelBox, Qt::AlignHCenter | Qt::AlignTop,
                   fm.elidedText(QString::fromStdString(pt.label), Qt::ElideRight, slot));
        if (c.MarksVisible()) {
            const QRectF mark(front.left() - slot / 4, front.top() - d - fm.height() - 2 * scale,
                              barW + slot / 2, fm.height());
            const double w = fm.horizontalAdvance(MarkText(pt.value)) + 6 * scale;
            frames.emplace_back(mark.center().x() - w / 2, mark.top(), w, mark.height());
            PaintMark(p, frames.back(), MarkText(pt.value));
        }
    }
    return frames;
}

QRectF ToQRect(const chart::Box& b) {
    return {b.x, b.y, b.width, b.height};
}

// The pie of a year without transits: the outline of an empty dish, no slice.
void PaintEmptyPie(QPainter& p, const QRectF& top, double depth, double scale) {
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), std::max(1.0, 1.5 * scale)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(top);
    if (depth <= 0) return;
    const double y = top.center().y();
    p.drawLine(QPointF(top.left(), y), QPointF(top.left(), y + depth));
    p.drawLine(QPointF(top.right(), y), QPointF(top.right(), y + depth));
    p.drawArc(top.translated(0, depth), 180 * 16, 180 * 16);
}

std::vector<QRectF> PaintPie(QPainter& p, const chart::Chart& c, const QRectF& area, double scale) {
    const auto& pts = c.Points();
    double total = 0;
    std::vector<double> values;
    for (const auto& pt : pts) {
        values.push_back(pt.value);
        total += std::max(0.0, pt.value);
    }
    QFont labelFont = ChartFont({"Verdana", 8, false, 0xFF000000}, scale);
    const QFontMetricsF fm(labelFont);
    p.setFont(labelFont);
    const bool marks = c.MarksVisible() && total > 0;
    std::vector<QString> texts;
    std::vector<double> widths;
    double widest = 0;
    for (const auto& pt : pts) {
        texts.push_back(QString::fromStdString(pt.label) + " " + MarkText(pt.value));
        widths.push_back(fm.horizontalAdvance(texts.back()) + 6 * scale);
        if (pt.value > 0) widest = std::max(widest, widths.back());
    }
    // Room for the marks beside the pie and above and below it.
    const double gap = fm.height() * 0.8;
    const double beside = marks ? widest + 2 * gap : fm.height();
    const double over = marks ? fm.height() + 2 * gap : fm.height();
    const double depth = c.View3D() ? std::min(area.height() / 12, 20 * scale) : 0;
    const double ratio = c.View3D() ? 0.6 : 1.0; // height to width of the top face
    const double h =
        std::max(0.0, std::min((area.width() - 2 * beside) * ratio, area.height() - 2 * over - depth));
    const double w = h / ratio; // a low area keeps the pie round, not squashed flat
    const QRectF ellipse(area.center().x() - w / 2, area.top() + (area.height() - h - depth) / 2, w, h);
    if (w <= 0 || h <= 0) return {};
    if (total <= 0) {
        PaintEmptyPie(p, ellipse, depth, scale);
        return {};
    }
    // The rim of the 3D pie, then the top face.
    for (double k = depth; k > 0; k -= 1) {
        double start = 90 * 16;
        for (const auto& pt : pts) {
            const double span = std::max(0.0, pt.value) / total * 360 * 16;
            if (span <= 0) continue; // an empty slice would draw a spoke
            p.setPen(Qt::NoPen);
            p.setBrush(ToQColor(pt.color).darker(150));
            p.drawPie(ellipse.translated(0, k), int(start), int(std::ceil(span)));
            start += span;
        }
    }
    double start = 90 * 16;
    for (const auto& pt : pts) {
        const double span = std::max(0.0, pt.value) / total * 360 * 16;
        if (span <= 0) continue; // an empty slice would draw a spoke from the centre
        p.setPen(QPen(ToQColor(pt.color).darker(160), 1));
        p.setBrush(ToQColor(pt.color));
        if (span >= 360 * 16 - 0.5)
            p.drawEllipse(ellipse); // the whole pie: no spoke
        else
            p.drawPie(ellipse, int(start), int(std::ceil(span)));
        start += span;
    }
    if (!marks) return {};
    const chart::PieShape shape{ellipse.center().x(), ellipse.center().y(), w / 2, h / 2, depth};
    const chart::Box bounds{area.left(), area.top(), area.width(), area.height()};
    std::vector<QRectF> frames;
    for (const chart::PieMark& m : chart::PlacePieMarks(values, widths, fm.height(), shape, bounds, gap)) {
        p.setPen(QPen(Qt::black, 1));
        QPolygonF leader;
        for (const chart::Spot& s : m.leader)
            leader << QPointF(s.x, s.y);
        p.drawPolyline(leader);
        frames.push_back(ToQRect(m.box));
        PaintMark(p, frames.back(), texts[m.point]);
    }
    return frames;
}

// The legend: a framed box with its title and one swatch and text per point.
// At the left or right it is one column beside the chart; at the top or bottom
// the entries run in rows across the chart's width. The area left to the
// series shrinks by the box and a gap.
void PaintLegend(QPainter& p, const chart::Chart& c, QRectF& rest, double scale) {
    const auto& legend = c.GetLegend();
    const QFont f = ChartFont({"Verdana", 9, false, 0xFF000000}, scale);
    const QFontMetricsF fm(f);
    const QString title = QString::fromStdString(legend.title);
    std::vector<QString> texts;
    double textW = 0;
    for (const auto& pt : c.Points()) {
        texts.push_back(QString::fromStdString(pt.label) + "  " + MarkText(pt.value));
        textW = std::max(textW, fm.horizontalAdvance(texts.back()));
    }
    const double pad = 5 * scale, gap = 10 * scale, lineH = fm.height() * 1.2;
    const double entryW = fm.height() * 0.7 + pad + textW + 2 * pad; // swatch, gap, text, spacing
    const bool across =
        legend.position == chart::LegendPosition::Bottom || legend.position == chart::LegendPosition::Top;
    const std::size_t n = texts.size();
    std::size_t cols = 1;
    if (across) {
        const double room = rest.width() - 2 * pad;
        cols = std::clamp<std::size_t>(static_cast<std::size_t>(room / entryW), 1, n);
        // Rows as even as they can be: 12 entries in two rows of six, not 10 and 2.
        const std::size_t rowsNeeded = (n + cols - 1) / cols;
        cols = (n + rowsNeeded - 1) / rowsNeeded;
    }
    const std::size_t rows = (n + cols - 1) / cols;
    double boxW = std::max(cols * entryW, fm.horizontalAdvance(title) + 2 * pad) + 2 * pad;
    boxW = std::min(boxW, rest.width());
    const double boxH = (rows + (title.isEmpty() ? 0 : 1)) * lineH + 2 * pad;
    QRectF box;
    switch (legend.position) {
    case chart::LegendPosition::Bottom:
        box =
            QRectF(rest.center().x() - boxW / 2, rest.bottom() - boxH - pad, boxW, boxH); // clear of the foot
        rest.setBottom(box.top() - gap);
        break;
    case chart::LegendPosition::Top:
        box = QRectF(rest.center().x() - boxW / 2, rest.top() + pad, boxW, boxH); // clear of the title
        rest.setTop(box.bottom() + gap);
        break;
    case chart::LegendPosition::Left:
        box = QRectF(rest.left(), rest.center().y() - boxH / 2, boxW, boxH);
        rest.setLeft(box.right() + gap);
        break;
    case chart::LegendPosition::Right:
        box = QRectF(rest.right() - boxW, rest.center().y() - boxH / 2, boxW, boxH);
        rest.setRight(box.left() - gap);
        break;
    }
    p.setPen(QPen(Qt::gray, 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.setFont(f);
    double y = box.top() + pad;
    if (!title.isEmpty()) {
        p.setPen(Qt::black);
        p.drawText(QRectF(box.left(), y, box.width(), fm.height()), Qt::AlignCenter, title);
        y += lineH;
    }
    const double left = box.left() + (box.width() - cols * entryW) / 2 + pad;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = left + (i % cols) * entryW, ey = y + (i / cols) * lineH;
        const QRectF swatch(x, ey + fm.height() * 0.15, fm.height() * 0.7, fm.height() * 0.7);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(ToQColor(c.Points()[i].color));
        p.drawRect(swatch);
        p.drawText(QRectF(swatch.right() + pad, ey, textW + pad, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, texts[i]);
    }
}

} // namespace

std::vector<QRectF> PaintChart(QPainter& p, const chart::Chart& c, const QRectF& area) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area, Qt::IntersectClip);
    p.fillRect(area, Qt::white);
    // Sizes are laid out for a chart about 945 pixels wide and scale with it.
    const double scale = std::max(0.3, area.width() / 945.0);
    QRectF rest = area.adjusted(8 * scale, 8 * scale, -8 * scale, -8 * scale);
    auto caption = [&](const chart::Caption& cap, bool atTop) {
        if (!cap.visible || cap.text.empty()) return;
        const QFont f = ChartFont(cap.font, scale);
        const double lh = QFontMetricsF(f).height() * 1.3;
        const QRectF box = atTop ? QRectF(rest.left(), rest.top(), rest.width(), lh)
                                 : QRectF(rest.left(), rest.bottom() - lh, rest.width(), lh);
        p.setFont(f);
        p.setPen(ToQColor(cap.font.color));
        p.drawText(box, Qt::AlignCenter, QString::fromStdString(cap.text));
        if (atTop)
            rest.setTop(box.bottom());
        else
            rest.setBottom(box.top());
    };
    caption(c.Title(), true);
    caption(c.Foot(), false);
    const auto& legend = c.GetLegend();
    if (legend.visible && !c.Points().empty()) PaintLegend(p, c, rest, scale);
    std::vector<QRectF> marks =
        c.Kind() == chart::SeriesKind::Bar ? PaintBars(p, c, rest, scale) : PaintPie(p, c, rest, scale);
    p.restore();
    return marks;
}

} // namespace qtbackend
