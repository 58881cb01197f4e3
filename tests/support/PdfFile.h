#pragma once
// What a reader finds in a PDF file, read through poppler (the library of the
// desktop's PDF viewers): pages with their size as shown and their text, the
// bookmarks, the links and the fonts. The tests of the manual and of the
// print queue check the files they get with it.
#include <string>
#include <vector>

namespace ts::pdf {

// A rectangle on a page in points, from the page's top-left corner.
struct Area {
    double left = 0, top = 0, right = 0, bottom = 0;
};

struct Page {
    double width = 0, height = 0; // as shown, the page's rotation applied
    std::string text;             // UTF-8, in reading order
    std::vector<Area> chars;      // where each character of the text lies
    Area textExtent;              // the smallest area holding every visible character

    // Whether a text on the page runs along the page's longer side, as a
    // landscape print does: across a page that lies across, or up a page
    // that stands upright and was turned. False when the text is missing.
    bool RunsAlongLongSide(const std::string& s) const;
};

struct Bookmark {
    std::string title;
    int depth = 0;     // 0 at the top level
    int page = 0;      // target page, from 1 (0: none)
    double top = -1;   // target point from the top of the page (-1: none)
    bool open = false; // shown with its children unfolded
};

struct Link {
    int page = 0;       // the page that holds it, from 1
    Area area;          // where it lies on that page
    std::string text;   // the text under it
    int targetPage = 0; // an internal link's target page, from 1 (0: none)
    double targetTop = -1;
};

struct Document {
    std::vector<Page> pages;
    std::vector<Bookmark> outline; // in document order, children after their parent
    std::vector<Link> links;
    std::vector<std::string> fonts;            // every font used
    std::vector<std::string> fontsNotEmbedded; // those the reader must find itself
};

// Reads a PDF file; throws std::runtime_error when it cannot be read.
Document Read(const std::string& path);

// What a strict reader says of the file's structure: `qpdf --check`, its
// report and whether it found the file well formed (no error, no warning).
struct Check {
    bool wellFormed = false;
    std::string report;
};
Check StrictCheck(const std::string& path);

} // namespace ts::pdf
