#include "tools/install/ManualPdf.h"

#include "platform/rtl/Files.h"

#include <algorithm>
#include <array>
#include <cairo-pdf.h>
#include <cairo.h>
#include <charconv>
#include <cstdio>
#include <memory>
#include <pango/pangocairo.h>
#include <stdexcept>

namespace install {

namespace {

// Page geometry in points: A4 with 25 mm margins, the text 160 mm wide.
constexpr double Mm = 72.0 / 25.4;
constexpr double PageWidth = 210 * Mm;
constexpr double PageHeight = 297 * Mm;
constexpr double Left = 25 * Mm;
constexpr double Top = 25 * Mm;
constexpr double Bottom = PageHeight - 25 * Mm; // where the text ends
constexpr double TextWidth = PageWidth - 2 * Left;
constexpr double FootBaseline = PageHeight - 13 * Mm;

// The contents: a sub-topic indented, the page numbers in a column of their
// own at the right margin.
constexpr double ContentsIndent = 16;
constexpr double NumberColumn = 36;

struct Rgb {
    double r, g, b;
};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb HeadingBlue{0.11, 0.23, 0.40};
constexpr Rgb Grey{0.40, 0.40, 0.40};

// A kind of text block: font, colour and the room around it. Lines are set
// flush left: without hyphenation, justified lines would gape.
struct Style {
    const char* font; // Pango font description
    Rgb colour;
    double lineSpacing; // factor of the font's height; 0: the font's own
    double spaceBefore; // not at the top of a page
    double spaceAfter;
};
const Style TitleStyle{"Liberation Sans Bold 24", HeadingBlue, 0, 0, 28};
const Style ChapterStyle{"Liberation Sans Bold 18", HeadingBlue, 0, 0, 16};
const Style TopicStyle{"Liberation Sans Bold 13", HeadingBlue, 0, 18, 8};
const Style BodyStyle{"Liberation Serif 11", Black, 1.25, 0, 7};
const Style ContentsMainStyle{"Liberation Sans Bold 11", Black, 0, 9, 0};
const Style ContentsSubStyle{"Liberation Serif 11", Black, 0, 3, 0};
const Style FootStyle{"Liberation Sans 9", Grey, 0, 0, 0};

// Ligatures off: a ligature glyph would copy and search as one character.
constexpr const char* NoLigatures = "liga=0,clig=0,dlig=0,hlig=0";

struct GObjectFree {
    void operator()(void* p) const { g_object_unref(p); }
};
template <class T> using GObjectPtr = std::unique_ptr<T, GObjectFree>;

// A number for cairo's attribute texts, with a dot whatever the locale.
std::string Num(double v) {
    std::array<char, 32> buf;
    auto end = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, 2).ptr;
    return std::string(buf.data(), end);
}

// One line of a block: its Pango line and where it lies within the block.
struct Line {
    PangoLayoutLine* line;
    double x;        // from the block's left edge
    double baseline; // from the block's top
    double top, bottom;
};

// A heading, a paragraph or a contents line, laid out at its width.
struct Block {
    const Style* style = nullptr;
    GObjectPtr<PangoLayout> layout;
    double indent = 0;
    std::vector<Line> lines;
    bool keepWithNext = false; // a heading never ends a page
    bool rule = false;         // a chapter heading: a rule below it
    int topic = -1;            // the topic a heading or contents line belongs to
    bool contents = false;     // a contents line (linked, with its page number)

    double Height(std::size_t from, std::size_t to) const { return lines[to - 1].bottom - lines[from].top; }
};

Block MakeBlock(PangoContext* context, const std::string& text, const Style& style, double width,
                double indent = 0) {
    Block b;
    b.style = &style;
    b.indent = indent;
    b.layout.reset(pango_layout_new(context));
    PangoLayout* layout = b.layout.get();
    PangoFontDescription* font = pango_font_description_from_string(style.font);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_font_features_new(NoLigatures));
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
    pango_layout_set_width(layout, pango_units_from_double(width));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    if (style.lineSpacing > 0) pango_layout_set_line_spacing(layout, float(style.lineSpacing));
    pango_layout_set_text(layout, text.c_str(), int(text.size()));

    PangoLayoutIter* it = pango_layout_get_iter(layout);
    do {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(it, nullptr, &logical);
        int y0 = 0, y1 = 0;
        pango_layout_iter_get_line_yrange(it, &y0, &y1);
        b.lines.push_back({pango_layout_iter_get_line_readonly(it), pango_units_to_double(logical.x),
                           pango_units_to_double(pango_layout_iter_get_baseline(it)),
                           pango_units_to_double(y0), pango_units_to_double(y1)});
    } while (pango_layout_iter_next_line(it));
    pango_layout_iter_free(it);
    return b;
}

// Lines [from, to) of a block placed on a page, their first line's top at y.
struct Placed {
    const Block* block;
    std::size_t from, to;
    double y;
};

// Breaks the blocks into pages: each chapter from a new page, a heading kept
// with the first lines of what follows it, a paragraph split between lines
// with at least two of them on either side when it has four or more.
class Pager {
public:
    std::vector<std::vector<Placed>> pages;

    void NewPage() {
        pages.emplace_back();
        y_ = Top;
    }

    void Place(const std::vector<Block>& blocks) {
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const Block& b = blocks[i];
            if (b.keepWithNext && !AtTop() && i + 1 < blocks.size()) {
                const Block& next = blocks[i + 1];
                const double need = b.style->spaceBefore + b.Height(0, b.lines.size()) + b.style->spaceAfter +
                                    next.style->spaceBefore +
                                    next.Height(0, std::min<std::size_t>(2, next.lines.size()));
                if (y_ + need > Bottom) NewPage();
            }
            PlaceLines(b);
        }
    }

private:
    bool AtTop() const { return pages.back().empty(); }

    void PlaceLines(const Block& b) {
        const std::size_t n = b.lines.size();
        std::size_t from = 0;
        while (from < n) {
            if (!AtTop()) y_ += b.style->spaceBefore * (from == 0);
            std::size_t to = from;
            while (to < n && y_ + b.Height(from, to + 1) <= Bottom)
                ++to;
            if (to < n && !AtTop()) {
                // No single line at the foot of a page, none alone at the top of the next.
                const std::size_t left = n - to;
                if (to - from < 2 || (left < 2 && to - from < 3))
                    to = from;
                else if (left < 2)
                    --to;
            }
            if (to == from) {
                if (AtTop()) {
                    ++to; // a line taller than the page still goes somewhere
                } else {
                    NewPage();
                    continue;
                }
            }
            pages.back().push_back({&b, from, to, y_});
            y_ += b.Height(from, to);
            from = to;
            if (from < n) NewPage();
        }
        y_ += b.style->spaceAfter;
    }

    double y_ = Top;
};

void SetColour(cairo_t* cr, const Rgb& c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

// Cairo (1.16) numbers a structure element for every link but writes none of
// them, while its cross-reference table lists each as in use at the offset of
// another object: a strict reader takes the file for damaged. An entry whose
// offset does not hold its object is made free, since the object does not
// exist (a reference to it reads as null), and chained into the free list
// from entry 0. Entries keep their 20 bytes, so no offset moves.
void FreeMissingObjects(std::string& pdf) {
    const std::size_t table = pdf.rfind("\nxref\n");
    if (table == std::string::npos) throw std::runtime_error("the manual's PDF has no cross-reference table");
    const std::size_t head = table + 6, headEnd = pdf.find('\n', head);
    std::size_t first = 0, count = 0;
    const char* p = pdf.data() + head;
    auto r = std::from_chars(p, pdf.data() + headEnd, first);
    if (r.ec == std::errc() && *r.ptr == ' ') r = std::from_chars(r.ptr + 1, pdf.data() + headEnd, count);
    constexpr std::size_t Entry = 20;
    const std::size_t entries = headEnd + 1;
    if (r.ec != std::errc() || first != 0 || entries + count * Entry > pdf.size())
        throw std::runtime_error("the manual's PDF has a cross-reference table of another form");
    auto at = [&](std::size_t n) { return entries + n * Entry; };
    std::vector<std::size_t> missing;
    for (std::size_t n = 1; n < count; ++n) {
        if (pdf[at(n) + 17] != 'n') continue;
        std::size_t offset = 0;
        std::from_chars(pdf.data() + at(n), pdf.data() + at(n) + 10, offset);
        const std::string object = std::to_string(n) + " 0 obj";
        const bool there = offset < table &&
                           (offset == 0 || pdf[offset - 1] == '\n' || pdf[offset - 1] == '\r') &&
                           pdf.compare(offset, object.size(), object) == 0;
        if (!there) missing.push_back(n);
    }
    auto write = [&](std::size_t n, std::size_t next, int generation) {
        std::array<char, Entry + 1> e;
        std::snprintf(e.data(), e.size(), "%010zu %05d f \n", next, generation);
        pdf.replace(at(n), Entry, e.data(), Entry);
    };
    std::size_t next = 0;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        write(*it, next, 1);
        next = *it;
    }
    write(0, next, 65535);
}

std::string DestName(int topic) {
    return "topic" + std::to_string(topic + 1);
}

void DrawLines(cairo_t* cr, const Placed& p) {
    const Block& b = *p.block;
    SetColour(cr, b.style->colour);
    const double origin = p.y - b.lines[p.from].top;
    for (std::size_t i = p.from; i < p.to; ++i) {
        cairo_move_to(cr, Left + b.indent + b.lines[i].x, origin + b.lines[i].baseline);
        pango_cairo_show_layout_line(cr, b.lines[i].line);
    }
}

// A text of one line whose right end lies at `right`; returns its width.
double DrawRightAligned(cairo_t* cr, PangoContext* context, const std::string& text, const Style& style,
                        double right, double baseline) {
    Block b = MakeBlock(context, text, style, NumberColumn);
    PangoRectangle logical;
    pango_layout_line_get_extents(b.lines[0].line, nullptr, &logical);
    const double width = pango_units_to_double(logical.width);
    SetColour(cr, style.colour);
    cairo_move_to(cr, right - width, baseline);
    pango_cairo_show_layout_line(cr, b.lines[0].line);
    return width;
}

} // namespace

std::vector<TopicPlace> WriteManualPdf(const std::string& title,
                                       const std::vector<std::vector<HelpTopic>>& chapters,
                                       const std::string& path) {
    GObjectPtr<PangoFontMap> fonts(pango_cairo_font_map_new());
    GObjectPtr<PangoContext> context(pango_font_map_create_context(fonts.get()));
    PangoContext* ctx = context.get();
    // Points as units, and glyph advances as the font draws them (no
    // rounding to a screen's pixels), so what is measured is what prints.
    pango_cairo_context_set_resolution(ctx, 72);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(ctx, options);
    cairo_font_options_destroy(options);
    pango_context_set_language(ctx, pango_language_from_string("it"));

    // The title page with the contents, then the chapters.
    std::vector<Block> front;
    front.push_back(MakeBlock(ctx, title, TitleStyle, TextWidth));
    front.push_back(MakeBlock(ctx, "Indice", ChapterStyle, TextWidth));
    front.back().rule = true;
    std::vector<std::vector<Block>> body;
    int topicCount = 0;
    for (const auto& chapter : chapters) {
        if (chapter.empty()) continue;
        body.emplace_back();
        for (std::size_t t = 0; t < chapter.size(); ++t) {
            const HelpTopic& topic = chapter[t];
            const bool first = t == 0;
            const double indent = first ? 0 : ContentsIndent;
            front.push_back(MakeBlock(ctx, topic.title, first ? ContentsMainStyle : ContentsSubStyle,
                                      TextWidth - indent - NumberColumn, indent));
            front.back().topic = topicCount;
            front.back().contents = true;
            Block heading = MakeBlock(ctx, topic.title, first ? ChapterStyle : TopicStyle, TextWidth);
            heading.keepWithNext = true;
            heading.rule = first;
            heading.topic = topicCount++;
            body.back().push_back(std::move(heading));
            for (const std::string& p : topic.paragraphs)
                body.back().push_back(MakeBlock(ctx, p, BodyStyle, TextWidth));
        }
    }

    Pager pager;
    pager.NewPage();
    pager.Place(front);
    for (const auto& chapter : body) {
        pager.NewPage();
        pager.Place(chapter);
    }

    std::vector<TopicPlace> places(topicCount);
    for (std::size_t page = 0; page < pager.pages.size(); ++page)
        for (const Placed& p : pager.pages[page])
            if (p.block->topic >= 0 && !p.block->contents && p.from == 0)
                places[p.block->topic] = {int(page) + 1, p.y};

    std::string pdf;
    cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(
        [](void* out, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &pdf, PageWidth, PageHeight);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Dorneval");
    cairo_t* cr = cairo_create(surface);

    const int pageCount = int(pager.pages.size());
    for (int page = 0; page < pageCount; ++page) {
        for (const Placed& p : pager.pages[page]) {
            const Block& b = *p.block;
            if (!b.contents) {
                if (b.topic >= 0 && p.from == 0) {
                    const std::string dest = "name='" + DestName(b.topic) + "' x=" + Num(Left) +
                                             " y=" + Num(std::max(0.0, p.y - 12));
                    cairo_tag_begin(cr, CAIRO_TAG_DEST, dest.c_str());
                    cairo_tag_end(cr, CAIRO_TAG_DEST);
                }
                DrawLines(cr, p);
                if (b.rule && p.to == b.lines.size()) {
                    const double y = p.y + b.Height(p.from, p.to) + 4;
                    SetColour(cr, HeadingBlue);
                    cairo_set_line_width(cr, 0.8);
                    cairo_move_to(cr, Left, y);
                    cairo_line_to(cr, Left + TextWidth, y);
                    cairo_stroke(cr);
                }
                continue;
            }
            // A contents line: the title, a dotted leader, the page number,
            // all of it a link to the topic's heading.
            const TopicPlace& target = places[b.topic];
            const double height = b.Height(p.from, p.to);
            const std::string link = "rect=[" + Num(Left + b.indent) + " " + Num(p.y) + " " +
                                     Num(TextWidth - b.indent) + " " + Num(height) + "] dest='" +
                                     DestName(b.topic) + "'";
            cairo_tag_begin(cr, CAIRO_TAG_LINK, link.c_str());
            DrawLines(cr, p);
            const Line& last = b.lines[p.to - 1];
            const double baseline = p.y - b.lines[p.from].top + last.baseline;
            const double right = Left + TextWidth;
            const double numberWidth =
                DrawRightAligned(cr, ctx, std::to_string(target.page), *b.style, right, baseline);
            PangoRectangle logical;
            pango_layout_line_get_extents(last.line, nullptr, &logical);
            const double leaderFrom = Left + b.indent + last.x + pango_units_to_double(logical.width) + 6;
            const double leaderTo = right - numberWidth - 6;
            if (leaderTo > leaderFrom) {
                const double dash[] = {0, 3};
                SetColour(cr, Grey);
                cairo_set_line_width(cr, 0.9);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                cairo_set_dash(cr, dash, 2, 0);
                cairo_move_to(cr, leaderFrom, baseline - 1);
                cairo_line_to(cr, leaderTo, baseline - 1);
                cairo_stroke(cr);
                cairo_set_dash(cr, nullptr, 0, 0);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
            }
            cairo_tag_end(cr, CAIRO_TAG_LINK);
        }
        Block foot = MakeBlock(ctx, "Pagina " + std::to_string(page + 1) + " di " + std::to_string(pageCount),
                               FootStyle, TextWidth);
        PangoRectangle logical;
        pango_layout_line_get_extents(foot.lines[0].line, nullptr, &logical);
        SetColour(cr, Grey);
        cairo_move_to(cr, Left + (TextWidth - pango_units_to_double(logical.width)) / 2, FootBaseline);
        pango_cairo_show_layout_line(cr, foot.lines[0].line);
        cairo_show_page(cr);
    }

    // The bookmarks: a chapter's first topic at the top level, open, its
    // other topics below it.
    int topic = 0;
    for (const auto& chapter : chapters) {
        int parent = CAIRO_PDF_OUTLINE_ROOT;
        for (std::size_t t = 0; t < chapter.size(); ++t, ++topic) {
            const std::string dest = "dest='" + DestName(topic) + "'";
            const int id = cairo_pdf_surface_add_outline(
                surface, t == 0 ? CAIRO_PDF_OUTLINE_ROOT : parent, chapter[t].title.c_str(), dest.c_str(),
                t == 0 && chapter.size() > 1 ? CAIRO_PDF_OUTLINE_FLAG_OPEN : cairo_pdf_outline_flags_t(0));
            if (t == 0) parent = id;
        }
    }

    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("cannot make the manual: ") + cairo_status_to_string(status));
    FreeMissingObjects(pdf);
    rtl::WriteWholeFile(path, pdf);
    return places;
}

} // namespace install
