#pragma once
// The page model: what a prepared report is made of. Plain data that a painter
// walks page by page, item by item, in order (later items paint over earlier
// ones). All coordinates are millimetres from the top-left corner of the
// paper (margins included); colours are 0xAARRGGBB, 0 meaning "none".
#include "platform/image/Bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace report {

enum class Orientation { Portrait, Landscape };
enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

struct Font {
    std::string family = "Arial";
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint32_t color = 0xFF000000;
    bool operator==(const Font&) const = default;
};

struct Box {
    double x = 0, y = 0, width = 0, height = 0;
    double Right() const { return x + width; }
    double Bottom() const { return y + height; }
    bool operator==(const Box&) const = default;
};

// A filled and/or framed rectangle (also the fill and frame of a memo).
struct RectItem {
    Box box;
    std::uint32_t fill = 0;  // 0: not filled
    std::uint32_t frame = 0; // 0: no frame
    double frameWidth = 0.2; // millimetres
};

struct LineItem {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint32_t color = 0xFF000000;
    double width = 0.2;      // millimetres
    bool arrowStart = false; // arrow head at (x1, y1)
    bool arrowEnd = false;   // arrow head at (x2, y2)
};

// One line of text. The engine has already wrapped, split and vertically
// placed it: `box` is the line's own box (one line high, the memo's width);
// the painter aligns the text horizontally inside it and clips everything
// to `clip` (the memo's box on this page). Text is drawn literally.
struct TextItem {
    std::string object; // name of the memo it comes from ("" for anonymous)
    std::string text;
    Box box;
    Box clip;
    Font font;
    HAlign align = HAlign::Left;
};

// A picture scaled to exactly `box` (already fitted and centred by the engine).
struct PictureItem {
    std::string object;
    Box box;
    Box clip;
    std::shared_ptr<const img::Bitmap> bitmap;
};

using Item = std::variant<RectItem, LineItem, TextItem, PictureItem>;

struct Page {
    double width = 210; // paper size in millimetres, as oriented
    double height = 297;
    Orientation orientation = Orientation::Portrait;
    std::vector<Item> items;
};

// A prepared report: its name (shown as the print job's title) and its pages.
struct Document {
    std::string name;
    std::vector<Page> pages;
};

} // namespace report
