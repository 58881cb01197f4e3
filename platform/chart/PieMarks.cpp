#include "platform/chart/PieMarks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace chart {

bool Box::Intersects(const Box& o) const {
    return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
}

namespace {

constexpr double kDegree = std::numbers::pi / 180;

double Share(double v) {
    return std::max(0.0, v);
}

double Total(const std::vector<double>& values) {
    double t = 0;
    for (double v : values)
        t += Share(v);
    return t;
}

// The half width of the pie grown by `grow` at the height y: its top face
// above the centre, the straight rim down to the bottom face, the bottom face
// below; 0 above or below the pie.
double HalfWidth(const PieShape& pie, double grow, double y) {
    const double rx = pie.rx + grow, ry = pie.ry + grow;
    double dy = 0;
    if (y < pie.cy)
        dy = pie.cy - y;
    else if (y > pie.cy + pie.depth)
        dy = y - (pie.cy + pie.depth);
    if (dy >= ry) return 0;
    return rx * std::sqrt(1 - (dy / ry) * (dy / ry));
}

// The widest the grown pie gets over the heights top to bottom.
double WidestBetween(const PieShape& pie, double grow, double top, double bottom) {
    if (bottom < pie.cy) return HalfWidth(pie, grow, bottom);
    if (top > pie.cy + pie.depth) return HalfWidth(pie, grow, top);
    return pie.rx + grow;
}

// The point of the pie's outline, grown by `grow`, at the angle a (degrees
// counter-clockwise from three o'clock); the lower half is the bottom face's.
Spot OutlineAt(const PieShape& pie, double grow, double a) {
    const double c = std::cos(a * kDegree), s = std::sin(a * kDegree);
    return {pie.cx + c * (pie.rx + grow), pie.cy - s * (pie.ry + grow) + (s < 0 ? pie.depth : 0)};
}

// The angle of the outline, grown by `grow`, at the height y on the right
// (-90 to 90 degrees) or left side (90 to 270).
double OutlineAngleAt(const PieShape& pie, double grow, double y, bool right) {
    const double ry = pie.ry + grow;
    double a = 0;
    if (y < pie.cy)
        a = std::asin(std::min(1.0, (pie.cy - y) / ry)) / kDegree;
    else if (y > pie.cy + pie.depth)
        a = -std::asin(std::min(1.0, (y - pie.cy - pie.depth) / ry)) / kDegree;
    return right ? a : 180 - a;
}

// True when the spot lies on the pie (top face, rim or bottom face) grown by
// `grow` all round.
bool OnPie(const PieShape& pie, Spot s, double grow) {
    return std::abs(s.x - pie.cx) < HalfWidth(pie, grow, s.y);
}

bool CrossesPie(const PieShape& pie, Spot a, Spot b, double grow) {
    constexpr int kSteps = 32;
    for (int i = 1; i < kSteps; ++i) {
        const double t = double(i) / kSteps;
        if (OnPie(pie, {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}, grow)) return true;
    }
    return false;
}

// The leader line of a mark whose slice's middle is at the angle a: out from
// the rim, then straight to the mark, or, where that would cross the pie,
// round the pie's outline to the mark's height and across to the mark.
std::vector<Spot> LeaderLine(const PieShape& pie, double gap, double a, Spot end, bool right) {
    const double track = gap / 2;
    std::vector<Spot> line = {OutlineAt(pie, 0, a), OutlineAt(pie, track, a)};
    if (!CrossesPie(pie, line.back(), end, track / 2)) {
        line.push_back(end);
        return line;
    }
    // Both angles on the mark's side: -90 to 270 covers the right side as
    // -90 to 90 and the left as 90 to 270.
    double from = std::fmod(a + 360, 360);
    if (right && from > 180) from -= 360;
    const double to = OutlineAngleAt(pie, track, end.y, right);
    const int steps = std::max(1, int(std::ceil(std::abs(to - from) / 3)));
    for (int i = 1; i <= steps; ++i)
        line.push_back(OutlineAt(pie, track, from + (to - from) * i / steps));
    line.push_back(end);
    return line;
}

struct Pending {
    std::size_t mark; // index into the marks being placed
    double top;       // the box's top edge
};

// Moves the boxes of one side apart, in the order of their wished heights,
// so that they keep `space` between them and stay between top and bottom;
// when the side cannot hold them all, they keep apart and run past bottom.
void Spread(std::vector<Pending>& side, double height, double space, double top, double bottom) {
    if (side.empty()) return;
    std::stable_sort(side.begin(), side.end(),
                     [](const Pending& a, const Pending& b) { return a.top < b.top; });
    const std::size_t n = side.size();
    for (auto& p : side)
        p.top = std::clamp(p.top, top, std::max(top, bottom - height));
    for (std::size_t i = 1; i < n; ++i)
        side[i].top = std::max(side[i].top, side[i - 1].top + height + space);
    if (side[n - 1].top > bottom - height) {
        side[n - 1].top = bottom - height;
        for (std::size_t i = n - 1; i-- > 0;)
            side[i].top = std::min(side[i].top, side[i + 1].top - height - space);
    }
    if (side[0].top < top) {
        // Too many for the room at this spacing: close them up from the top.
        const double room = bottom - top - double(n) * height;
        const double tight = n > 1 ? std::clamp(room / double(n - 1), 0.0, space) : 0.0;
        side[0].top = top;
        for (std::size_t i = 1; i < n; ++i)
            side[i].top = side[i - 1].top + height + tight;
    }
}

} // namespace

double SliceMiddle(const std::vector<double>& values, std::size_t index) {
    const double all = Total(values);
    if (all <= 0 || index >= values.size()) return 90;
    double before = 0;
    for (std::size_t i = 0; i < index; ++i)
        before += Share(values[i]);
    return std::fmod(90 + (before + Share(values[index]) / 2) / all * 360, 360);
}

std::vector<PieMark> PlacePieMarks(const std::vector<double>& values, const std::vector<double>& widths,
                                   double height, const PieShape& pie, const Box& bounds, double gap) {
    std::vector<PieMark> marks;
    std::vector<double> angles;
    if (Total(values) <= 0) return marks;
    std::vector<Pending> left, right;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (Share(values[i]) <= 0) continue;
        const double a = SliceMiddle(values, i);
        PieMark m;
        m.point = i;
        m.box.width = i < widths.size() ? widths[i] : 0;
        m.box.height = height;
        const double wished = OutlineAt(pie, gap, a).y;
        (std::cos(a * kDegree) >= 0 ? right : left).push_back({marks.size(), wished - height / 2});
        marks.push_back(m);
        angles.push_back(a);
    }
    const double space = gap / 2;
    for (auto* side : {&left, &right}) {
        Spread(*side, height, space, bounds.y, bounds.Bottom());
        const bool onRight = side == &right;
        for (const Pending& p : *side) {
            PieMark& m = marks[p.mark];
            m.box.y = p.top;
            const double clear = WidestBetween(pie, gap, p.top, p.top + height);
            m.box.x = onRight ? pie.cx + clear : pie.cx - clear - m.box.width;
            const Spot end = {onRight ? m.box.x : m.box.Right(), p.top + height / 2};
            m.leader = LeaderLine(pie, gap, angles[p.mark], end, onRight);
        }
    }
    return marks;
}

} // namespace chart
