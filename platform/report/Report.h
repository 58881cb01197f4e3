#pragma once
// Report templates and the report engine.
//
// A template is a text file kept beside the window that prints it and
// embedded at build time; Report::FromResource("gate/StampaVisita.report")
// loads it. The code then finds objects by name, fills them, and Prepare()
// lays the report out into a page model (platform/report/Page.h), which the
// backend previews, prints or writes as PDF.
//
// ---------------------------------------------------------------------------
// Template format
// ---------------------------------------------------------------------------
// One statement per line; blank lines and lines starting with '#' are ignored.
// A line is a keyword followed by blank-separated words. Words of the form
// key=value set attributes; a value with blanks is written in double quotes,
// where \" is a quote, \\ a backslash and \n a line break.
//
// Lengths are millimetres; a number with the suffix "px" is in 1/96 inch
// (3.77953 per millimetre), "pt" in points (1/72 inch). Font sizes are points;
// "px" is accepted there too (10.6667px = 8pt). Colours are #AARRGGBB, #RRGGBB
// or one of the names black, white, gold, beige, bisque, silver, gray,
// slategray, steelblue, lightsteelblue, royalblue, slateblue, none.
//
//   report name="Riepilogo dati"
//       The report's name (the document's title).
//
//   page size=A4 orientation=landscape margins=10
//       Paper: size=A4 (210 x 297) or width=.. height=.. (portrait figures);
//       orientation=portrait|landscape; margins=all or left,top,right,bottom.
//
//   band <Name> kind=<kind> height=<length> [split]
//       Starts a band; the objects that follow belong to it, with positions
//       relative to the band's top-left corner. Kinds:
//         title       printed once, at the top of the first page
//         header      printed at the top of every page
//         data        printed once, after the title; with `split` it may
//                     continue on the next pages, cut between text lines
//         footer      printed once, right after the data band
//         pagefooter  printed at the bottom of every page
//       Bands of the same kind print in template order. Objects written
//       before the first band lie on the page itself, relative to the
//       top-left corner of the printable area (inside the margins), and
//       appear on every page.
//
//   memo <Name> <x> <y> <w> <h> [attributes] [text="..."]
//       A text box. Attributes: font="Courier New" size=8pt bold italic
//       underline color=<c> fill=<c> frame=<c> framewidth=<len>
//       halign=left|center|right valign=top|center|bottom wrap (word wrap;
//       off by default: long lines are clipped at the box). The text's line
//       breaks make its lines. The template's own text may hold [DATE], which
//       prepare() replaces with the date of printing as dd/mm/yyyy; text set
//       by code is printed literally.
//   rect <Name> <x> <y> <w> <h> fill=<c> frame=<c> framewidth=<len>
//   line <Name> <x> <y> <w> <h> color=<c> width=<len> arrows=start|end|both
//       A line from (x, y) to (x + w, y + h).
//   picture <Name> <x> <y> <w> <h> [frame=<c>] [resource="folder/File.png"]
//       A picture view: its picture is scaled to fit the box, proportions
//       kept, and centred.
//   A name may be "-" for an object that code never looks up. Names are
//   unique in a report.
//
//   repeat dx=<len> dy=<len> labels=<l1>,<l2>,...
//   ...
//   end
//       The objects between repeat and end are laid down once per label,
//       the k-th time (k from 0) moved by k*dx, k*dy, with the label appended
//       to every name: the two copies of a card on one sheet are
//       "repeat dy=108 labels=_A,_B" around the objects of one copy (txtTarga
//       becomes txtTarga_A and txtTarga_B). Repeats nest; outer labels come
//       first in the name.
//
// Errors in a template throw report::Error naming the template and the line.
// ---------------------------------------------------------------------------
//
// Text measuring uses a fixed, deterministic font metric (see textWidth and
// lineHeight below) so that word wrap and page breaks are the same on every
// machine; the painter draws with real fonts inside the same boxes.
#include "platform/image/Bitmap.h"
#include "platform/report/Page.h"

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace report {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Length conversions, for code that gives figures in 1/96 inch or points.
constexpr double Px(double v) {
    return v * 25.4 / 96.0;
}
constexpr double Pt(double v) {
    return v * 25.4 / 72.0;
}

// The font metric of the engine, in millimetres.
double LineHeight(const Font& font);
double TextWidth(const Font& font, std::string_view text);

enum class BandKind { Title, Header, Data, Footer, PageFooter };

class Band;

class Object {
public:
    virtual ~Object() = default;
    const std::string& Name() const { return name_; }
    Box box; // relative to its band, or to the printable area
    bool visible = true;
    void SetHeight(double mm) { box.height = mm; }
    double Height() const { return box.height; }
    Band* GetBand() const { return band_; }

protected:
    std::string name_;
    Band* band_ = nullptr;
    friend class Report;
};

class Memo : public Object {
public:
    Font font;
    std::uint32_t fill = 0;
    std::uint32_t frame = 0;
    double frameWidth = 0.2;
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Top;
    bool wordWrap = false;

    // Set by code: printed literally. A text's line breaks (LF, CR LF or CR)
    // separate its lines.
    void SetText(std::string_view text);
    void SetLines(std::vector<std::string> lines);
    void ClearLines();
    void AddLine(std::string line);
    std::string Text() const; // lines joined by LF
    const std::vector<std::string>& Lines() const { return lines_; }
    // True while the memo holds the template's own text (whose [DATE] is
    // expanded); false once code has set its text or lines.
    bool TemplateText() const { return expandDate_; }

private:
    std::vector<std::string> lines_;
    bool expandDate_ = false; // only the template's own text
    friend class Report;
};

class RectShape : public Object {
public:
    std::uint32_t fill = 0;
    std::uint32_t frame = 0xFF000000;
    double frameWidth = 0.2;
};

class LineShape : public Object {
public:
    std::uint32_t color = 0xFF000000;
    double width = 0.2;
    bool arrowStart = false;
    bool arrowEnd = false;
};

class PictureView : public Object {
public:
    std::uint32_t frame = 0;
    void SetPicture(img::Bitmap bitmap);
    void SetPicture(std::shared_ptr<const img::Bitmap> bitmap);
    const std::shared_ptr<const img::Bitmap>& Picture() const { return picture_; }

private:
    std::shared_ptr<const img::Bitmap> picture_;
};

class Band {
public:
    const std::string& Name() const { return name_; }
    BandKind Kind() const { return kind_; }
    double height = 0;
    bool split = false;
    bool visible = true;
    void SetHeight(double mm) { height = mm; }
    const std::vector<Object*>& Objects() const { return objects_; }

private:
    std::string name_;
    BandKind kind_ = BandKind::Data;
    std::vector<Object*> objects_;
    friend class Report;
};

class Report {
public:
    // Throws report::Error (with the source name and line) on a bad template.
    static Report FromText(std::string_view text, std::string_view sourceName = "template");
    // Throws report::Error when the resource is missing or bad.
    static Report FromResource(std::string_view resourceName);

    Report();
    Report(Report&&) noexcept;
    Report& operator=(Report&&) noexcept;
    ~Report();

    const std::string& Name() const { return name_; }

    // Page setup. Paper sizes are portrait figures; orientation swaps them.
    Orientation GetOrientation() const { return orientation_; }
    void SetOrientation(Orientation o) { orientation_ = o; }
    double PaperWidth() const; // as oriented
    double PaperHeight() const;
    double marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;

    // Lookup by name. A missing name, or an object of another kind, throws
    // report::Error whose text names the object.
    Object& GetObject(std::string_view name);
    Memo& GetMemo(std::string_view name);
    RectShape& Rect(std::string_view name);
    LineShape& Line(std::string_view name);
    PictureView& Picture(std::string_view name);
    Band& GetBand(std::string_view name);
    bool Has(std::string_view name) const;

    // Lays the report out; any earlier result is discarded. The date of
    // printing for [DATE] is taken from the program's clock at this moment.
    const Document& Prepare();
    const Document& Prepared() const { return document_; }

    // Print through the installed output (shows the print dialog); returns
    // false when the user cancels. Preview shows the modal preview window.
    // Both prepare the report anew first, so they show what is filled now.
    bool Print();
    void Preview();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string name_;
    Orientation orientation_ = Orientation::Portrait;
    double paperW_ = 210, paperH_ = 297;
    Document document_;
};

// Where prepared reports go: the Qt backend installs its own (print dialog,
// preview window), the tests a headless one. A print or a preview with none
// installed is a fault of the program, never a silent success: it throws
// std::logic_error.
class Output {
public:
    virtual ~Output() = default;
    // Shows the print dialog and prints; false when the user cancels;
    // report::Error when the chosen printer cannot take the document.
    virtual bool Print(const Document& document) = 0;
    // Shows the modal preview window; returns when it is closed.
    virtual void Preview(const Document& document) = 0;
};

// Installs an output (nullptr: none) and returns the one it replaces.
Output* SetOutput(Output* output);
// The output installed; throws std::logic_error when there is none.
Output& GetOutput();

} // namespace report
