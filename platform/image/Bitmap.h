#pragma once
// A picture in memory: width x height pixels, 8-bit RGBA, row by row from the top.
#include <cstdint>
#include <vector>

namespace img {

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // width * height * 4 bytes

    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const Bitmap&) const = default;
};

} // namespace img
