#include "platform/report/Report.h"

#include "platform/image/Image.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>
#include <utility>

namespace report {

// ---------------------------------------------------------------------------
// Font metric
// ---------------------------------------------------------------------------

namespace {

std::string Lower(std::string_view s) {
    return rtl::LowerAscii(s);
}

std::size_t Characters(std::string_view s) {
    return rtl::Utf8Length(s);
}

// Average character width of a family, in em.
double AverageWidth(const Font& font) {
    const std::string f = Lower(font.family);
    if (f.find("courier") != std::string::npos || f.find("mono") != std::string::npos) return 0.6;
    double em = 0.5;
    if (f.find("verdana") != std::string::npos)
        em = 0.58;
    else if (f.find("tahoma") != std::string::npos)
        em = 0.5;
    return font.bold ? em * 1.05 : em;
}

} // namespace

double LineHeight(const Font& font) {
    return Pt(font.size * 1.2);
}

double TextWidth(const Font& font, std::string_view text) {
    return double(Characters(text)) * AverageWidth(font) * Pt(font.size);
}

// ---------------------------------------------------------------------------
// Objects
// ---------------------------------------------------------------------------

namespace {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> out;
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.push_back(std::move(cur));
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    out.push_back(std::move(cur));
    return out;
}

} // namespace

void Memo::SetText(std::string_view text) {
    expandDate_ = false;
    if (text.empty()) {
        lines_.clear();
        return;
    }
    // Like a list of lines: a final line break ends the last line, it does
    // not start an empty one.
    if (text.back() == '\n') text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    lines_ = SplitLines(text);
}

void Memo::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    expandDate_ = false;
}

void Memo::ClearLines() {
    lines_.clear();
    expandDate_ = false;
}

void Memo::AddLine(std::string line) {
    lines_.push_back(std::move(line));
    expandDate_ = false;
}

std::string Memo::Text() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i) out += '\n';
        out += lines_[i];
    }
    return out;
}

void PictureView::SetPicture(img::Bitmap bitmap) {
    picture_ = std::make_shared<const img::Bitmap>(std::move(bitmap));
}

void PictureView::SetPicture(std::shared_ptr<const img::Bitmap> bitmap) {
    picture_ = std::move(bitmap);
}

// ---------------------------------------------------------------------------
// Report storage
// ---------------------------------------------------------------------------

struct Report::Impl {
    std::vector<std::unique_ptr<Object>> objects; // every object, in template order
    std::vector<Object*> pageObjects;             // objects outside bands
    std::vector<std::unique_ptr<Band>> bands;
    std::map<std::string, Object*, std::less<>> byName;
    std::map<std::string, Band*, std::less<>> bandByName;
};

Report::Report() : impl_(std::make_unique<Impl>()) {}
Report::Report(Report&&) noexcept = default;
Report& Report::operator=(Report&&) noexcept = default;
Report::~Report() = default;

double Report::PaperWidth() const {
    return orientation_ == Orientation::Portrait ? paperW_ : paperH_;
}
double Report::PaperHeight() const {
    return orientation_ == Orientation::Portrait ? paperH_ : paperW_;
}

namespace {

template <class T> const char* KindName() {
    if constexpr (std::is_same_v<T, Memo>)
        return "memo";
    else if constexpr (std::is_same_v<T, RectShape>)
        return "rectangle";
    else if constexpr (std::is_same_v<T, LineShape>)
        return "line";
    else if constexpr (std::is_same_v<T, PictureView>)
        return "picture";
    else
        return "object";
}

template <class T> T& Typed(Object& o, std::string_view name) {
    if (auto* t = dynamic_cast<T*>(&o)) return *t;
    throw Error("Report object '" + std::string(name) + "' is not a " + KindName<T>());
}

} // namespace

Object& Report::GetObject(std::string_view name) {
    auto it = impl_->byName.find(name);
    if (it == impl_->byName.end())
        throw Error("Report object not found: '" + std::string(name) + "' in report '" + name_ + "'");
    return *it->second;
}

Memo& Report::GetMemo(std::string_view name) {
    return Typed<Memo>(GetObject(name), name);
}
RectShape& Report::Rect(std::string_view name) {
    return Typed<RectShape>(GetObject(name), name);
}
LineShape& Report::Line(std::string_view name) {
    return Typed<LineShape>(GetObject(name), name);
}
PictureView& Report::Picture(std::string_view name) {
    return Typed<PictureView>(GetObject(name), name);
}

Band& Report::GetBand(std::string_view name) {
    auto it = impl_->bandByName.find(name);
    if (it == impl_->bandByName.end())
        throw Error("Report band not found: '" + std::string(name) + "' in report '" + name_ + "'");
    return *it->second;
}

bool Report::Has(std::string_view name) const {
    return impl_->byName.count(name) || impl_->bandByName.count(name);
}

// ---------------------------------------------------------------------------
// Template parsing
// ---------------------------------------------------------------------------

namespace {

struct Statement {
    int line = 0;
    std::vector<std::string> words;
};

class Parser {
public:
    Parser(std::string_view source) : source_(source) {}

    [[noreturn]] void Fail(int line, const std::string& what) const {
        throw Error("Report template " + std::string(source_) + ", line " + std::to_string(line) + ": " +
                    what);
    }

    std::vector<std::string> Tokenize(std::string_view text, int line) const {
        std::vector<std::string> out;
        std::size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
                ++i;
            if (i >= text.size()) break;
            std::string word;
            bool any = false;
            while (i < text.size() && text[i] != ' ' && text[i] != '\t') {
                if (text[i] == '"') {
                    ++i;
                    bool closed = false;
                    while (i < text.size()) {
                        char c = text[i++];
                        if (c == '"') {
                            closed = true;
                            break;
                        }
                        if (c == '\\' && i < text.size()) {
                            const char e = text[i++];
                            c = e == 'n' ? '\n' : e;
                        }
                        word += c;
                    }
                    if (!closed) Fail(line, "unterminated quoted text");
                } else {
                    word += text[i++];
                }
                any = true;
            }
            if (any) out.push_back(std::move(word));
        }
        return out;
    }

    double Number(std::string_view s, int line) const {
        double v = 0;
        const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || p != s.data() + s.size() || !std::isfinite(v))
            Fail(line, "bad number '" + std::string(s) + "'");
        return v;
    }

    // Millimetres; "px" = 1/96 inch, "pt" = 1/72 inch, "mm" optional.
    double Length(std::string_view s, int line) const {
        auto ends = [&](std::string_view suf) {
            return s.size() > suf.size() && s.substr(s.size() - suf.size()) == suf;
        };
        if (ends("px")) return Px(Number(s.substr(0, s.size() - 2), line));
        if (ends("pt")) return Pt(Number(s.substr(0, s.size() - 2), line));
        if (ends("mm")) return Number(s.substr(0, s.size() - 2), line);
        return Number(s, line);
    }

    // Points; "px" = 1/96 inch.
    double FontSize(std::string_view s, int line) const {
        auto ends = [&](std::string_view suf) {
            return s.size() > suf.size() && s.substr(s.size() - suf.size()) == suf;
        };
        double v;
        if (ends("px"))
            v = Number(s.substr(0, s.size() - 2), line) * 72.0 / 96.0;
        else if (ends("pt"))
            v = Number(s.substr(0, s.size() - 2), line);
        else
            v = Number(s, line);
        if (v <= 0) Fail(line, "bad font size '" + std::string(s) + "'");
        return v;
    }

    std::uint32_t Colour(std::string_view s, int line) const {
        static const std::map<std::string, std::uint32_t, std::less<>> names = {
            {"none", 0},
            {"black", 0xFF000000},
            {"white", 0xFFFFFFFF},
            {"gold", 0xFFFFD700},
            {"beige", 0xFFF5F5DC},
            {"bisque", 0xFFFFE4C4},
            {"silver", 0xFFC0C0C0},
            {"gray", 0xFF808080},
            {"slategray", 0xFF708090},
            {"steelblue", 0xFF4682B4},
            {"lightsteelblue", 0xFFB0C4DE},
            {"royalblue", 0xFF4169E1},
            {"slateblue", 0xFF6A5ACD},
        };
        if (!s.empty() && s[0] == '#' && (s.size() == 7 || s.size() == 9)) {
            std::uint32_t v = 0;
            const auto [p, ec] = std::from_chars(s.data() + 1, s.data() + s.size(), v, 16);
            if (ec == std::errc() && p == s.data() + s.size()) return s.size() == 7 ? (0xFF000000 | v) : v;
        }
        auto it = names.find(Lower(s));
        if (it == names.end()) Fail(line, "bad colour '" + std::string(s) + "'");
        return it->second;
    }

private:
    std::string_view source_;
};

struct Attr {
    std::string key;
    std::string value;
    bool flag = false; // a bare word, no '='
};

std::vector<Attr> Attributes(const std::vector<std::string>& words, std::size_t from) {
    std::vector<Attr> out;
    for (std::size_t i = from; i < words.size(); ++i) {
        const auto eq = words[i].find('=');
        if (eq == std::string::npos)
            out.push_back({words[i], "", true});
        else
            out.push_back({words[i].substr(0, eq), words[i].substr(eq + 1), false});
    }
    return out;
}

std::vector<std::string> SplitCommas(const std::string& s) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        const auto c = s.find(',', start);
        out.push_back(s.substr(start, c == std::string::npos ? std::string::npos : c - start));
        if (c == std::string::npos) break;
        start = c + 1;
    }
    return out;
}

} // namespace

Report Report::FromResource(std::string_view resourceName) {
    const auto data = res::Find(resourceName);
    if (!data) throw Error("Report template not found: " + std::string(resourceName));
    return FromText(*data, resourceName);
}

Report Report::FromText(std::string_view text, std::string_view sourceName) {
    Parser p(sourceName);
    Report r;
    Impl& impl = *r.impl_;

    std::vector<Statement> statements;
    {
        int lineNo = 0;
        for (const std::string& raw : SplitLines(text)) {
            ++lineNo;
            std::string_view l(raw);
            while (!l.empty() && (l.front() == ' ' || l.front() == '\t'))
                l.remove_prefix(1);
            if (l.empty() || l.front() == '#') continue;
            statements.push_back({lineNo, p.Tokenize(l, lineNo)});
        }
    }

    Band* currentBand = nullptr;
    int pageLine = 0;                             // where the page is set up (0: the defaults)
    std::vector<std::pair<Band*, int>> bandLines; // each band and where it starts

    auto addObject = [&](const Statement& st, double dx, double dy, const std::string& suffix) {
        const auto& w = st.words;
        const std::string& kind = w[0];
        if (w.size() < 6) p.Fail(st.line, kind + " needs a name, x, y, width and height");
        std::unique_ptr<Object> obj;
        if (kind == "memo")
            obj = std::make_unique<Memo>();
        else if (kind == "rect")
            obj = std::make_unique<RectShape>();
        else if (kind == "line")
            obj = std::make_unique<LineShape>();
        else
            obj = std::make_unique<PictureView>();
        const std::string name = w[1] == "-" ? std::string() : w[1] + suffix;
        obj->name_ = name;
        obj->box = {p.Length(w[2], st.line) + dx, p.Length(w[3], st.line) + dy, p.Length(w[4], st.line),
                    p.Length(w[5], st.line)};
        if (kind != "line" && (obj->box.width < 0 || obj->box.height < 0)) p.Fail(st.line, "negative size");
        for (const Attr& a : Attributes(w, 6)) {
            bool known = true;
            if (auto* m = dynamic_cast<Memo*>(obj.get())) {
                if (a.key == "font" && !a.flag)
                    m->font.family = a.value;
                else if (a.key == "size" && !a.flag)
                    m->font.size = p.FontSize(a.value, st.line);
                else if (a.key == "bold" && a.flag)
                    m->font.bold = true;
                else if (a.key == "italic" && a.flag)
                    m->font.italic = true;
                else if (a.key == "underline" && a.flag)
                    m->font.underline = true;
                else if (a.key == "color" && !a.flag)
                    m->font.color = p.Colour(a.value, st.line);
                else if (a.key == "fill" && !a.flag)
                    m->fill = p.Colour(a.value, st.line);
                else if (a.key == "frame" && !a.flag)
                    m->frame = p.Colour(a.value, st.line);
                else if (a.key == "framewidth" && !a.flag)
                    m->frameWidth = p.Length(a.value, st.line);
                else if (a.key == "wrap" && a.flag)
                    m->wordWrap = true;
                else if (a.key == "halign" && !a.flag) {
                    if (a.value == "left")
                        m->halign = HAlign::Left;
                    else if (a.value == "center")
                        m->halign = HAlign::Center;
                    else if (a.value == "right")
                        m->halign = HAlign::Right;
                    else
                        p.Fail(st.line, "bad halign '" + a.value + "'");
                } else if (a.key == "valign" && !a.flag) {
                    if (a.value == "top")
                        m->valign = VAlign::Top;
                    else if (a.value == "center")
                        m->valign = VAlign::Center;
                    else if (a.value == "bottom")
                        m->valign = VAlign::Bottom;
                    else
                        p.Fail(st.line, "bad valign '" + a.value + "'");
                } else if (a.key == "text" && !a.flag) {
                    m->SetText(a.value);
                    m->expandDate_ = true;
                } else
                    known = false;
            } else if (auto* rc = dynamic_cast<RectShape*>(obj.get())) {
                if (a.key == "fill" && !a.flag)
                    rc->fill = p.Colour(a.value, st.line);
                else if (a.key == "frame" && !a.flag)
                    rc->frame = p.Colour(a.value, st.line);
                else if (a.key == "framewidth" && !a.flag)
                    rc->frameWidth = p.Length(a.value, st.line);
                else
                    known = false;
            } else if (auto* ln = dynamic_cast<LineShape*>(obj.get())) {
                if (a.key == "color" && !a.flag)
                    ln->color = p.Colour(a.value, st.line);
                else if (a.key == "width" && !a.flag)
                    ln->width = p.Length(a.value, st.line);
                else if (a.key == "arrows" && !a.flag) {
                    if (a.value == "start" || a.value == "both") ln->arrowStart = true;
                    if (a.value == "end" || a.value == "both") ln->arrowEnd = true;
                    if (!ln->arrowStart && !ln->arrowEnd) p.Fail(st.line, "bad arrows '" + a.value + "'");
                } else
                    known = false;
            } else if (auto* pv = dynamic_cast<PictureView*>(obj.get())) {
                if (a.key == "frame" && !a.flag)
                    pv->frame = p.Colour(a.value, st.line);
                else if (a.key == "resource" && !a.flag) {
                    try {
                        pv->SetPicture(img::LoadResource(a.value));
                    } catch (const img::Error& e) {
                        p.Fail(st.line, e.what());
                    }
                } else
                    known = false;
            }
            if (!known) p.Fail(st.line, "unknown attribute '" + a.key + "' for " + kind);
        }
        if (!name.empty()) {
            if (impl.byName.count(name) || impl.bandByName.count(name))
                p.Fail(st.line, "duplicate name '" + name + "'");
            impl.byName.emplace(name, obj.get());
        }
        obj->band_ = currentBand;
        if (currentBand)
            currentBand->objects_.push_back(obj.get());
        else
            impl.pageObjects.push_back(obj.get());
        impl.objects.push_back(std::move(obj));
    };

    // Index of the `end` matching the `repeat` at i.
    auto matchingEnd = [&](std::size_t i) {
        int depth = 0;
        for (std::size_t j = i; j < statements.size(); ++j) {
            if (statements[j].words[0] == "repeat")
                ++depth;
            else if (statements[j].words[0] == "end" && --depth == 0)
                return j;
        }
        p.Fail(statements[i].line, "repeat without end");
    };

    std::function<void(std::size_t, std::size_t, double, double, const std::string&, bool)> run;
    run = [&](std::size_t from, std::size_t to, double dx, double dy, const std::string& suffix,
              bool inRepeat) {
        for (std::size_t i = from; i < to; ++i) {
            const Statement& st = statements[i];
            const auto& w = st.words;
            const std::string& kw = w[0];
            if (kw == "memo" || kw == "rect" || kw == "line" || kw == "picture") {
                addObject(st, dx, dy, suffix);
            } else if (kw == "repeat") {
                const std::size_t end = matchingEnd(i);
                double rdx = 0, rdy = 0;
                std::vector<std::string> labels;
                for (const Attr& a : Attributes(w, 1)) {
                    if (a.key == "dx" && !a.flag)
                        rdx = p.Length(a.value, st.line);
                    else if (a.key == "dy" && !a.flag)
                        rdy = p.Length(a.value, st.line);
                    else if (a.key == "labels" && !a.flag)
                        labels = SplitCommas(a.value);
                    else
                        p.Fail(st.line, "unknown attribute '" + a.key + "' for repeat");
                }
                if (labels.empty()) p.Fail(st.line, "repeat needs labels");
                for (std::size_t k = 0; k < labels.size(); ++k)
                    run(i + 1, end, dx + double(k) * rdx, dy + double(k) * rdy, suffix + labels[k], true);
                i = end;
            } else if (kw == "end") {
                p.Fail(st.line, "end without repeat");
            } else if (inRepeat) {
                p.Fail(st.line, "only objects may be repeated");
            } else if (kw == "report") {
                for (const Attr& a : Attributes(w, 1)) {
                    if (a.key == "name" && !a.flag)
                        r.name_ = a.value;
                    else
                        p.Fail(st.line, "unknown attribute '" + a.key + "' for report");
                }
            } else if (kw == "page") {
                pageLine = st.line;
                for (const Attr& a : Attributes(w, 1)) {
                    if (a.key == "size" && !a.flag) {
                        if (Lower(a.value) != "a4") p.Fail(st.line, "unknown paper size '" + a.value + "'");
                        r.paperW_ = 210;
                        r.paperH_ = 297;
                    } else if (a.key == "width" && !a.flag)
                        r.paperW_ = p.Length(a.value, st.line);
                    else if (a.key == "height" && !a.flag)
                        r.paperH_ = p.Length(a.value, st.line);
                    else if (a.key == "orientation" && !a.flag) {
                        if (a.value == "portrait")
                            r.orientation_ = Orientation::Portrait;
                        else if (a.value == "landscape")
                            r.orientation_ = Orientation::Landscape;
                        else
                            p.Fail(st.line, "bad orientation '" + a.value + "'");
                    } else if (a.key == "margins" && !a.flag) {
                        const auto parts = SplitCommas(a.value);
                        if (parts.size() == 1) {
                            r.marginLeft = r.marginTop = r.marginRight = r.marginBottom =
                                p.Length(parts[0], st.line);
                        } else if (parts.size() == 4) {
                            r.marginLeft = p.Length(parts[0], st.line);
                            r.marginTop = p.Length(parts[1], st.line);
                            r.marginRight = p.Length(parts[2], st.line);
                            r.marginBottom = p.Length(parts[3], st.line);
                        } else
                            p.Fail(st.line, "margins take one or four lengths");
                    } else
                        p.Fail(st.line, "unknown attribute '" + a.key + "' for page");
                }
                if (r.paperW_ <= 0 || r.paperH_ <= 0) p.Fail(st.line, "bad paper size");
            } else if (kw == "band") {
                if (w.size() < 2) p.Fail(st.line, "band needs a name");
                auto band = std::make_unique<Band>();
                band->name_ = w[1];
                bool kindGiven = false;
                for (const Attr& a : Attributes(w, 2)) {
                    if (a.key == "kind" && !a.flag) {
                        kindGiven = true;
                        if (a.value == "title")
                            band->kind_ = BandKind::Title;
                        else if (a.value == "header")
                            band->kind_ = BandKind::Header;
                        else if (a.value == "data")
                            band->kind_ = BandKind::Data;
                        else if (a.value == "footer")
                            band->kind_ = BandKind::Footer;
                        else if (a.value == "pagefooter")
                            band->kind_ = BandKind::PageFooter;
                        else
                            p.Fail(st.line, "bad band kind '" + a.value + "'");
                    } else if (a.key == "height" && !a.flag)
                        band->height = p.Length(a.value, st.line);
                    else if (a.key == "split" && a.flag)
                        band->split = true;
                    else
                        p.Fail(st.line, "unknown attribute '" + a.key + "' for band");
                }
                if (!kindGiven) p.Fail(st.line, "band needs kind=");
                if (band->height < 0) p.Fail(st.line, "negative band height");
                if (impl.byName.count(band->name_) || impl.bandByName.count(band->name_))
                    p.Fail(st.line, "duplicate name '" + band->name_ + "'");
                currentBand = band.get();
                bandLines.emplace_back(band.get(), st.line);
                impl.bandByName.emplace(band->name_, band.get());
                impl.bands.push_back(std::move(band));
            } else {
                p.Fail(st.line, "unknown statement '" + kw + "'");
            }
        }
    };
    run(0, statements.size(), 0, 0, "", false);

    // A page that leaves no room refuses the template now, not at print
    // time: the margins must leave some of the paper, and the page headers
    // and footers, on every page, some of that for the bands that run down
    // the pages.
    const double across = r.PaperWidth() - r.marginLeft - r.marginRight;
    const double down = r.PaperHeight() - r.marginTop - r.marginBottom;
    if (!(across > 0 && down > 0)) p.Fail(pageLine, "the margins leave no room on the page");
    double everyPage = 0;
    for (const auto& [band, line] : bandLines)
        if (band->kind_ == BandKind::Header || band->kind_ == BandKind::PageFooter) everyPage += band->height;
    for (const auto& [band, line] : bandLines)
        if ((band->kind_ == BandKind::Data || band->kind_ == BandKind::Footer) && !(down - everyPage > 0))
            p.Fail(line, "the page leaves no room for band " + band->name_ +
                             " below the page headers and above the page footers");
    return r;
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

namespace {

constexpr double eps = 1e-6;
constexpr double inf = std::numeric_limits<double>::infinity();

// The date of printing, dd/mm/yyyy, from the program's clock.
std::string TodayText() {
    return rtl::FormatDate(rtl::Today());
}

std::string ExpandDate(std::string line, const std::string& date) {
    static const std::string tag = "[DATE]";
    for (std::size_t pos = line.find(tag); pos != std::string::npos; pos = line.find(tag, pos + date.size()))
        line.replace(pos, tag.size(), date);
    return line;
}

// Greedy word wrap at blanks; a word wider than the box is broken between
// characters.
std::vector<std::string> WrapLine(const std::string& line, const Font& font, double width) {
    std::vector<std::string> out;
    if (TextWidth(font, line) <= width + eps) {
        out.push_back(line);
        return out;
    }
    const double charW = TextWidth(font, "x");
    const std::size_t perLine = std::max<std::size_t>(1, std::size_t((width + eps) / charW));
    std::string cur;
    std::size_t curChars = 0;
    std::size_t i = 0;
    auto flush = [&] {
        while (!cur.empty() && cur.back() == ' ') {
            cur.pop_back();
            --curChars;
        }
        out.push_back(cur);
        cur.clear();
        curChars = 0;
    };
    while (i < line.size()) {
        std::size_t j = line.find(' ', i);
        if (j == std::string::npos) j = line.size();
        std::string word = line.substr(i, j - i);
        std::size_t wordChars = Characters(word);
        if (curChars && curChars + 1 + wordChars > perLine) flush();
        if (curChars) {
            cur += ' ';
            ++curChars;
        }
        while (wordChars > perLine - curChars && wordChars > 0) {
            // Break a long word at a character boundary.
            std::size_t take = perLine - curChars, bytes = 0, n = 0;
            while (bytes < word.size() && n < take) {
                ++bytes;
                while (bytes < word.size() && (static_cast<unsigned char>(word[bytes]) & 0xC0) == 0x80)
                    ++bytes;
                ++n;
            }
            cur += word.substr(0, bytes);
            curChars += n;
            word.erase(0, bytes);
            wordChars -= n;
            flush();
        }
        cur += word;
        curChars += wordChars;
        i = j + 1;
    }
    if (!cur.empty() || out.empty()) flush();
    return out;
}

// A memo's lines as they will print, with the position of the first line
// relative to the memo's top.
struct MemoText {
    std::vector<std::string> lines;
    double first = 0;
    double step = 0;
};

MemoText LayoutMemo(const Memo& m, bool expand, const std::string& date) {
    MemoText t;
    t.step = LineHeight(m.font);
    for (const std::string& l : m.Lines()) {
        std::string line = expand ? ExpandDate(l, date) : l;
        if (m.wordWrap) {
            for (auto& w : WrapLine(line, m.font, m.box.width))
                t.lines.push_back(std::move(w));
        } else {
            t.lines.push_back(std::move(line));
        }
    }
    const double total = double(t.lines.size()) * t.step;
    if (m.valign == VAlign::Center)
        t.first = (m.box.height - total) / 2;
    else if (m.valign == VAlign::Bottom)
        t.first = m.box.height - total;
    return t;
}

class Layout {
public:
    Layout(const Report& r, Document& doc, const std::string& date) : r_(r), doc_(doc), date_(date) {}

    double Left() const { return r_.marginLeft; }
    double Top() const { return r_.marginTop; }
    double Bottom() const { return r_.PaperHeight() - r_.marginBottom; }

    Page& NewPage() {
        Page p;
        p.width = r_.PaperWidth();
        p.height = r_.PaperHeight();
        p.orientation = r_.GetOrientation();
        doc_.pages.push_back(std::move(p));
        return doc_.pages.back();
    }

    // Puts the part of a set of objects that lies in [from, to) of their own
    // coordinates onto the page, with their coordinate `from` at page y `at`
    // (x shifted by the left margin). Text lines are placed by their top,
    // so each line lands in exactly one slice.
    void Place(Page& page, const std::vector<Object*>& objects, double from, double to, double at, bool first,
               bool last) {
        const double sliceFrom = first ? -inf : from;
        const double sliceTo = last ? inf : to;
        const double shift = at - from;
        for (Object* o : objects) {
            if (!o->visible) continue;
            const Box& b = o->box;
            auto pageBox = [&](double y0, double y1) {
                return Box{Left() + b.x, y0 + shift, b.width, y1 - y0};
            };
            const double y0 = std::max(b.y, from), y1 = std::min(b.Bottom(), to);
            const bool boxHere =
                first && last ? true
                              : (y1 > y0 + eps || (b.height <= eps && b.y >= sliceFrom && b.y < sliceTo));
            if (auto* m = dynamic_cast<Memo*>(o)) {
                const Box clip = first && last ? pageBox(b.y, b.Bottom()) : pageBox(y0, std::max(y0, y1));
                if (boxHere && (m->fill || m->frame))
                    page.items.push_back(RectItem{clip, m->fill, m->frame, m->frameWidth});
                const MemoText& t = Text(*m);
                if (t.lines.empty() || t.step <= 0) continue;
                const double base = b.y + t.first;
                // Lines whose top lies in the slice and inside the memo's box.
                const double lo = std::max(sliceFrom, first ? -inf : from);
                const double hi = std::min(sliceTo, b.Bottom() - eps);
                std::size_t i =
                    lo == -inf ? 0 : std::size_t(std::max(0.0, std::ceil((lo - base) / t.step - 1e-9)));
                for (; i < t.lines.size(); ++i) {
                    const double y = base + double(i) * t.step;
                    if (y >= hi) break;
                    if (y < lo - 1e-9) continue;
                    page.items.push_back(TextItem{m->Name(), t.lines[i],
                                                  Box{Left() + b.x, y + shift, b.width, t.step}, clip,
                                                  m->font, m->halign});
                }
            } else if (auto* rc = dynamic_cast<RectShape*>(o)) {
                if (boxHere)
                    page.items.push_back(
                        RectItem{pageBox(y0, std::max(y0, y1)), rc->fill, rc->frame, rc->frameWidth});
            } else if (auto* ln = dynamic_cast<LineShape*>(o)) {
                const double ytop = std::min(b.y, b.y + b.height);
                if (ytop >= sliceFrom && ytop < sliceTo)
                    page.items.push_back(LineItem{Left() + b.x, b.y + shift, Left() + b.x + b.width,
                                                  b.y + b.height + shift, ln->color, ln->width,
                                                  ln->arrowStart, ln->arrowEnd});
            } else if (auto* pv = dynamic_cast<PictureView*>(o)) {
                if (b.y < sliceFrom || b.y >= sliceTo) continue;
                const Box area{Left() + b.x, b.y + shift, b.width, b.height};
                if (pv->frame) page.items.push_back(RectItem{area, 0, pv->frame, 0.2});
                const auto& bmp = pv->Picture();
                if (!bmp || bmp->empty()) continue;
                const img::SizeF s = img::FitSize(double(bmp->width), double(bmp->height), b.width, b.height);
                page.items.push_back(
                    PictureItem{pv->Name(),
                                Box{area.x + (area.width - s.width) / 2,
                                    area.y + (area.height - s.height) / 2, s.width, s.height},
                                area, bmp});
            }
        }
    }

    const MemoText& Text(const Memo& m) {
        auto it = texts_.find(&m);
        if (it == texts_.end()) it = texts_.emplace(&m, LayoutMemo(m, m.TemplateText(), date_)).first;
        return it->second;
    }

    // Where a split band may be cut at or before `cut` without cutting a text
    // line: the top of the first line of any memo that would not fit.
    double SafeCut(const Band& band, double from, double cut) {
        double best = cut;
        for (Object* o : band.Objects()) {
            auto* m = dynamic_cast<Memo*>(o);
            if (!m || !m->visible) continue;
            if (m->box.y >= cut || m->box.Bottom() <= cut) continue;
            const MemoText& t = Text(*m);
            if (t.lines.empty() || t.step <= 0) continue;
            const double base = m->box.y + t.first;
            // k: the first line that does not end by the cut.
            const double fit = std::floor((cut + eps - base) / t.step);
            if (!std::isfinite(fit) || fit >= double(t.lines.size())) continue;
            const std::size_t k = fit < 0 ? 0 : std::size_t(fit);
            const double lineTop = base + double(k) * t.step;
            if (lineTop < cut && lineTop < m->box.Bottom() - eps)
                best = std::min(best, std::max(lineTop, from));
        }
        return best;
    }

    // A band's height as laid out: a negative or undefined height counts as 0.
    static double H(const Band* b) { return std::isfinite(b->height) ? std::max(b->height, 0.0) : 0.0; }

    // Where the last object of a band ends.
    static double ContentEnd(const Band& band) {
        double end = 0;
        for (const Object* o : band.Objects())
            if (o->visible) end = std::max({end, o->box.y, o->box.y + o->box.height});
        return end;
    }

    void Run(const std::vector<Object*>& pageObjects, const std::vector<Band*>& bands) {
        std::vector<Band*> titles, headers, data, footers, pageFooters;
        for (Band* b : bands) {
            if (!b->visible) continue;
            switch (b->Kind()) {
            case BandKind::Title:
                titles.push_back(b);
                break;
            case BandKind::Header:
                headers.push_back(b);
                break;
            case BandKind::Data:
                data.push_back(b);
                break;
            case BandKind::Footer:
                footers.push_back(b);
                break;
            case BandKind::PageFooter:
                pageFooters.push_back(b);
                break;
            }
        }
        double footerHeight = 0;
        for (Band* b : pageFooters)
            footerHeight += H(b);
        const double limit = Bottom() - footerHeight;

        Page* page = nullptr;
        double y = 0;
        double contentTop = 0;
        auto startPage = [&](bool firstPage) {
            if (page) FinishPage(*page, pageFooters, limit);
            page = &NewPage();
            Place(*page, pageObjects, 0, inf, Top(), true, true);
            y = Top();
            if (firstPage)
                for (Band* b : titles) {
                    Place(*page, b->Objects(), 0, H(b), y, true, true);
                    y += H(b);
                }
            for (Band* b : headers) {
                Place(*page, b->Objects(), 0, H(b), y, true, true);
                y += H(b);
            }
            contentTop = y;
        };
        startPage(true);

        auto putWhole = [&](Band* b) {
            if (y + H(b) > limit + eps && y > contentTop + eps) startPage(false);
            Place(*page, b->Objects(), 0, H(b), y, true, true);
            y += H(b);
        };

        for (Band* b : data) {
            if (!b->split) {
                putWhole(b);
                continue;
            }
            double done = 0;
            bool firstSlice = true;
            while (true) {
                const double room = limit - y;
                // What is left of the band fits; a band whose height is all
                // placed ends here even on a page without room (what hangs
                // below it goes with this last slice).
                if (H(b) - done <= std::max(room, 0.0) + eps) {
                    Place(*page, b->Objects(), done, H(b), y, firstSlice, true);
                    y += H(b) - done;
                    break;
                }
                if (ContentEnd(*b) <= done + std::max(room, 0.0) + eps) {
                    // What is left of the content fits; the blank rest of the
                    // band fills this page.
                    Place(*page, b->Objects(), done, H(b), y, firstSlice, true);
                    y = std::max(y, limit);
                    break;
                }
                double cut = SafeCut(*b, done, done + std::max(room, 0.0));
                if (cut <= done + eps) {
                    if (y > contentTop + eps) {
                        startPage(false);
                        continue;
                    }
                    cut = done + std::max(room, 0.0);  // a line taller than a page
                    if (cut <= done + eps) cut = H(b); // no room at all: give up splitting
                }
                Place(*page, b->Objects(), done, cut, y, firstSlice, false);
                firstSlice = false;
                done = cut;
                startPage(false);
            }
        }
        for (Band* b : footers)
            putWhole(b);
        FinishPage(*page, pageFooters, limit);
    }

    void FinishPage(Page& page, const std::vector<Band*>& pageFooters, double limit) {
        double y = limit;
        for (Band* b : pageFooters) {
            Place(page, b->Objects(), 0, H(b), y, true, true);
            y += H(b);
        }
    }

private:
    const Report& r_;
    Document& doc_;
    const std::string& date_;
    std::map<const Memo*, MemoText> texts_;
};

} // namespace

const Document& Report::Prepare() {
    document_ = Document{};
    document_.name = name_;
    std::vector<Band*> bands;
    for (auto& b : impl_->bands)
        bands.push_back(b.get());
    const std::string date = TodayText();
    Layout(*this, document_, date).Run(impl_->pageObjects, bands);
    return document_;
}

bool Report::Print() {
    Prepare();
    return GetOutput().Print(document_);
}

void Report::Preview() {
    Prepare();
    GetOutput().Preview(document_);
}

// ---------------------------------------------------------------------------
// Output
// ---------------------------------------------------------------------------

namespace {
Output* installed = nullptr;
}

Output* SetOutput(Output* o) {
    return std::exchange(installed, o);
}

Output& GetOutput() {
    if (!installed) throw std::logic_error("report: no output installed to print or preview into");
    return *installed;
}

} // namespace report
