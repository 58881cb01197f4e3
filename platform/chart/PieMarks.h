#pragma once
// Where the marks of a pie's slices go. Each mark stands beside the pie at the
// height of its slice's middle, on the slice's side; where slices are small
// and their marks would cover one another, the marks of that side move apart
// up and down, keep clear of the pie and are tied to their slices by a leader
// line. Plain geometry, so that the painter and the tests share it.
#include <cstddef>
#include <vector>

namespace chart {

struct Box {
    double x = 0, y = 0, width = 0, height = 0;
    double Right() const { return x + width; }
    double Bottom() const { return y + height; }
    // True when the two boxes share some area (touching edges do not count).
    bool Intersects(const Box& o) const;
};

struct Spot {
    double x = 0, y = 0;
};

// The pie as drawn: the centre and radii of its top face and the height of its
// rim below it (0 for a flat pie).
struct PieShape {
    double cx = 0, cy = 0, rx = 0, ry = 0, depth = 0;
};

struct PieMark {
    std::size_t point = 0; // the index of the point (slice) it belongs to
    Box box;               // the mark's frame
    // The leader line, from the middle of the slice's edge to the mark's near
    // side; where a straight line would cross the pie, it runs round it.
    std::vector<Spot> leader;
};

// The middle of slice `index` in degrees, counter-clockwise from three
// o'clock, for slices drawn from twelve o'clock counter-clockwise in point
// order, each as large as its share of the positive values.
double SliceMiddle(const std::vector<double>& values, std::size_t index);

// One mark for each point of positive value, in point order. `widths` holds
// each point's mark width, `height` the common mark height; `gap` is the room
// kept between the pie and the marks and between marks. The marks stay inside
// `bounds` when there is room for them.
std::vector<PieMark> PlacePieMarks(const std::vector<double>& values, const std::vector<double>& widths,
                                   double height, const PieShape& pie, const Box& bounds, double gap);

} // namespace chart
