#include "platform/ui/Layout.h"

#include <charconv>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/rtl/Resources.h"
#include "platform/ui/LayoutSyntax.h"

namespace ui {

namespace {

class Parser {
public:
    Parser(Form& f, std::string_view source) : f_(f), source_(source) {}

    void Run(std::string_view text) {
        auto lines = SplitLayoutLines(text, source_);
        bool formSeen = false;
        for (auto& l : lines) {
            line_ = l.number;
            const std::string& kind = l.tokens[0].value;
            if (!l.tokens[0].key.empty()) Fail("a line starts with its kind");
            if (kind == "form") {
                if (formSeen) Fail("second form line");
                formSeen = true;
                FormLine(l.tokens);
            } else if (kind == "item") {
                ItemLine(l.tokens);
            } else if (kind == "column") {
                ColumnLine(l.tokens);
            } else {
                ControlLine(kind, l.tokens);
            }
        }
    }

private:
    [[noreturn]] void Fail(const std::string& what) const { FailLayout(source_, line_, what); }

    bool Bool(const std::string& v) const {
        if (v == "yes" || v == "true" || v == "1") return true;
        if (v == "no" || v == "false" || v == "0") return false;
        Fail("not a yes/no value: " + v);
    }

    int Int(const std::string& v) const {
        int n = 0;
        auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
        if (ec != std::errc() || p != v.data() + v.size()) Fail("not a number: " + v);
        return n;
    }

    double Real(const std::string& v) const {
        // Sizes are whole numbers or have one decimal point: parsed by hand,
        // independent of the locale.
        std::size_t dot = v.find('.');
        double whole = Int(v.substr(0, dot));
        if (dot == std::string::npos) return whole;
        std::string frac = v.substr(dot + 1);
        if (frac.empty()) Fail("not a number: " + v);
        double f = Int(frac);
        for (std::size_t i = 0; i < frac.size(); ++i)
            f /= 10;
        return whole + f;
    }

    std::vector<int> Ints(const std::string& v, std::size_t count, char sep) const {
        std::vector<int> out;
        std::size_t start = 0;
        for (;;) {
            std::size_t p = v.find(sep, start);
            out.push_back(Int(v.substr(start, p == std::string::npos ? std::string::npos : p - start)));
            if (p == std::string::npos) break;
            start = p + 1;
        }
        if (out.size() != count) Fail("expected " + std::to_string(count) + " numbers: " + v);
        return out;
    }

    Color Col(const std::string& v) const {
        try {
            return ParseColor(v);
        } catch (const LayoutError&) {
            Fail("not a colour: " + v);
        }
    }

    Brush BrushOf(const std::string& v) const {
        if (v == "none") return Brush::None();
        if (v.rfind("gradient:", 0) == 0) {
            std::string rest = v.substr(9);
            std::size_t c = rest.find(':');
            if (c == std::string::npos) Fail("a gradient needs two colours: " + v);
            return Brush::Gradient(Col(rest.substr(0, c)), Col(rest.substr(c + 1)));
        }
        return Brush::Solid(Col(v));
    }

    TextAlign AlignOf(const std::string& v) const {
        if (v == "leading" || v == "left") return TextAlign::Leading;
        if (v == "center") return TextAlign::Center;
        if (v == "trailing" || v == "right") return TextAlign::Trailing;
        Fail("unknown alignment: " + v);
    }

    // Applies a font attribute; false when the key is not one.
    bool FontAttr(Font& font, const LayoutToken& t) const {
        if (t.key == "font")
            font.family = t.value;
        else if (t.key == "size")
            font.size = Real(t.value);
        else if (t.key == "bold")
            font.bold = Bool(t.value);
        else if (t.key == "italic")
            font.italic = Bool(t.value);
        else if (t.key == "underline")
            font.underline = Bool(t.value);
        else if (t.key == "fontcolor")
            font.color = Col(t.value);
        else
            return false;
        return true;
    }

    void FormLine(const std::vector<LayoutToken>& tokens) {
        if (tokens.size() < 2 || !tokens[1].key.empty()) Fail("form line without a class name");
        f_.SetClassName(tokens[1].value);
        Font font = f_.GetFont();
        for (std::size_t i = 2; i < tokens.size(); ++i) {
            const LayoutToken& t = tokens[i];
            if (FontAttr(font, t)) continue;
            if (t.key == "caption")
                f_.SetCaption(t.value);
            else if (t.key == "client") {
                auto wh = Ints(t.value, 2, 'x');
                f_.SetClientSize(wh[0], wh[1]);
            } else if (t.key == "border") {
                if (t.value == "none")
                    f_.SetBorderStyle(BorderStyle::None);
                else if (t.value == "single")
                    f_.SetBorderStyle(BorderStyle::Single);
                else if (t.value == "sizeable")
                    f_.SetBorderStyle(BorderStyle::Sizeable);
                else
                    Fail("unknown border: " + t.value);
            } else if (t.key == "closebox")
                f_.SetCloseBox(Bool(t.value));
            else if (t.key == "state") {
                if (t.value == "normal")
                    f_.SetWindowState(WindowState::Normal);
                else if (t.value == "maximized")
                    f_.SetWindowState(WindowState::Maximized);
                else
                    Fail("unknown window state: " + t.value);
            } else if (t.key == "position") {
                if (t.value == "default")
                    f_.SetFormPosition(FormPosition::Default);
                else if (t.value == "screencenter")
                    f_.SetFormPosition(FormPosition::ScreenCenter);
                else if (t.value == "ownercenter")
                    f_.SetFormPosition(FormPosition::OwnerFormCenter);
                else if (t.value == "mainformcenter")
                    f_.SetFormPosition(FormPosition::MainFormCenter);
                else
                    Fail("unknown position: " + t.value);
            } else if (t.key == "fill")
                f_.SetFill(BrushOf(t.value));
            else
                Fail("unknown form attribute: " + (t.key.empty() ? t.value : t.key));
        }
        f_.SetFont(font);
    }

    Control& Create(const std::string& kind, const std::string& name, Control* parent) {
        if (kind == "label") return f_.Add<Label>(name, parent);
        if (kind == "edit") return f_.Add<Edit>(name, parent);
        if (kind == "button") return f_.Add<Button>(name, parent);
        if (kind == "picture") return f_.Add<Picture>(name, parent);
        if (kind == "rectangle") return f_.Add<Rectangle>(name, parent);
        if (kind == "panel") return f_.Add<Panel>(name, parent);
        if (kind == "groupbox") return f_.Add<Panel>(name, parent, ControlKind::GroupBox);
        if (kind == "layout") return f_.Add<Panel>(name, parent, ControlKind::Layout);
        if (kind == "listbox") return f_.Add<ListBox>(name, parent);
        if (kind == "combo") return f_.Add<ComboEdit>(name, parent);
        if (kind == "checkbox") return f_.Add<CheckBox>(name, parent);
        if (kind == "calendar") return f_.Add<Calendar>(name, parent);
        if (kind == "memo") return f_.Add<Memo>(name, parent);
        if (kind == "grid") return f_.Add<StringGrid>(name, parent);
        if (kind == "timer") return f_.Add<Timer>(name, parent);
        if (kind == "chart") return f_.Add<ChartView>(name, parent);
        Fail("unknown kind: " + kind);
    }

    void ControlLine(const std::string& kind, const std::vector<LayoutToken>& tokens) {
        if (tokens.size() < 2 || !tokens[1].key.empty()) Fail(kind + " without a name");
        const std::string& name = tokens[1].value;
        if (f_.FindControl(name)) Fail("duplicate control name: " + name);
        Control* parent = nullptr;
        for (std::size_t i = 2; i < tokens.size(); ++i)
            if (tokens[i].key == "parent") {
                parent = f_.FindControl(tokens[i].value);
                if (!parent) Fail("unknown parent: " + tokens[i].value);
            }
        Control& c = Create(kind, name, parent);
        Font font = c.GetFont();
        Font itemFont;
        bool itemFontSet = false;
        for (std::size_t i = 2; i < tokens.size(); ++i) {
            const LayoutToken& t = tokens[i];
            if (t.key == "parent") continue;
            if (FontAttr(font, t)) continue;
            if (!Attr(c, t, itemFont, itemFontSet))
                Fail("unknown attribute for " + kind + ": " + (t.key.empty() ? t.value : t.key));
        }
        c.SetFont(font);
        if (itemFontSet) static_cast<ListBox&>(c).SetItemFont(itemFont);
    }

    bool Attr(Control& c, const LayoutToken& t, Font& itemFont, bool& itemFontSet) {
        const std::string& k = t.key;
        const std::string& v = t.value;
        if (k == "bounds") {
            auto b = Ints(v, 4, ',');
            c.SetBounds(b[0], b[1], b[2], b[3]);
        } else if (k == "dock") {
            if (v == "none")
                c.SetDock(Dock::None);
            else if (v == "client")
                c.SetDock(Dock::Client);
            else if (v == "center")
                c.SetDock(Dock::Center);
            else
                Fail("unknown dock: " + v);
        } else if (k == "visible")
            c.SetVisible(Bool(v));
        else if (k == "enabled")
            c.SetEnabled(Bool(v));
        else if (k == "text") {
            if (auto* e = dynamic_cast<Edit*>(&c))
                e->SetText(v);
            else
                c.SetText(v);
        } else if (k == "hint")
            c.SetHint(v);
        else if (k == "fill")
            c.SetFill(BrushOf(v));
        else if (k == "cursor") {
            if (v == "default")
                c.SetCursor(Cursor::Default);
            else if (v == "arrow")
                c.SetCursor(Cursor::Arrow);
            else if (v == "hand")
                c.SetCursor(Cursor::Hand);
            else if (v == "ibeam")
                c.SetCursor(Cursor::IBeam);
            else if (v == "wait")
                c.SetCursor(Cursor::Wait);
            else
                Fail("unknown cursor: " + v);
        } else if (k == "taborder")
            c.SetTabOrder(Int(v));
        else if (k == "tabstop")
            c.SetTabStop(Bool(v));
        else if (k == "tag")
            c.SetTag(Int(v));
        else if (k == "hittest")
            c.SetHitTest(Bool(v));
        else if (k == "default")
            c.SetDefault(Bool(v));
        else if (k == "cancel")
            c.SetCancel(Bool(v));
        else if (auto* e = dynamic_cast<Edit*>(&c); e && k == "readonly")
            e->SetReadOnly(Bool(v));
        else if (e && k == "password")
            e->SetPassword(Bool(v));
        else if (e && k == "maxlength")
            e->SetMaxLength(Int(v));
        else if (e && k == "align")
            e->SetAlign(AlignOf(v));
        else if (auto* m = dynamic_cast<Memo*>(&c); m && k == "wordwrap")
            m->SetWordWrap(Bool(v));
        else if (auto* co = dynamic_cast<ComboEdit*>(&c); co && k == "itemindex")
            co->SetItemIndex(Int(v));
        else if (auto* l = dynamic_cast<Label*>(&c); l && k == "align")
            l->SetAlign(AlignOf(v));
        else if (l && k == "wordwrap")
            l->SetWordWrap(Bool(v));
        else if (auto* b = dynamic_cast<Button*>(&c); b && k == "modalresult")
            b->SetModalResult(ModalOf(v));
        else if (auto* p = dynamic_cast<Picture*>(&c); p && k == "picture") {
            if (!res::Find(v)) Fail("no embedded picture " + v);
            p->SetResourceName(v);
        } else if (p && k == "wrap") {
            if (v == "fit")
                p->SetWrapMode(Picture::Wrap::Fit);
            else if (v == "stretch")
                p->SetWrapMode(Picture::Wrap::Stretch);
            else if (v == "original")
                p->SetWrapMode(Picture::Wrap::Original);
            else if (v == "center")
                p->SetWrapMode(Picture::Wrap::Center);
            else
                Fail("unknown wrap mode: " + v);
        } else if (auto* r = dynamic_cast<Rectangle*>(&c); r && k == "stroke")
            r->SetStroke(BrushOf(v));
        else if (r && k == "strokewidth")
            r->SetStrokeThickness(Int(v));
        else if (r && k == "radius")
            r->SetCornerRadius(Int(v));
        else if (auto* lb = dynamic_cast<ListBox*>(&c); lb && k == "itemwidth")
            lb->SetItemWidth(Int(v));
        else if (lb && k == "itemheight")
            lb->SetItemHeight(Int(v));
        else if (lb && (k == "itemfont" || k == "itemsize" || k == "itembold" || k == "itemcolor")) {
            if (!itemFontSet) itemFont = lb->ItemFont();
            itemFontSet = true;
            if (k == "itemfont")
                itemFont.family = v;
            else if (k == "itemsize")
                itemFont.size = Real(v);
            else if (k == "itembold")
                itemFont.bold = Bool(v);
            else
                itemFont.color = Col(v);
        } else if (auto* cb = dynamic_cast<CheckBox*>(&c); cb && k == "checked")
            cb->SetChecked(Bool(v));
        else if (auto* g = dynamic_cast<StringGrid*>(&c); g && k == "rows")
            g->SetRowCount(Int(v));
        else if (g && k == "rowheight")
            g->SetRowHeight(Int(v));
        else if (g && k == "alternating")
            g->SetAlternatingRows(Bool(v));
        else if (g && k == "readonly")
            g->SetReadOnly(Bool(v));
        else if (auto* tm = dynamic_cast<Timer*>(&c); tm && k == "interval")
            tm->SetInterval(Int(v));
        else if (auto* ch = dynamic_cast<ChartView*>(&c))
            return ChartAttr(ch->Chart(), k, v);
        else
            return false;
        return true;
    }

    // Chart attributes: the series, the view, the title and foot with their
    // fonts, the legend and the axis titles.
    bool ChartAttr(chart::Chart& ch, const std::string& k, const std::string& v) const {
        auto caption = [&](const chart::Caption& now,
                           const std::string& sub) -> std::optional<chart::Caption> {
            chart::Caption c = now;
            if (sub.empty())
                c.text = v;
            else if (sub == "font")
                c.font.family = v;
            else if (sub == "size")
                c.font.size = Real(v);
            else if (sub == "bold")
                c.font.bold = Bool(v);
            else if (sub == "color")
                c.font.color = Col(v);
            else if (sub == "visible")
                c.visible = Bool(v);
            else
                return std::nullopt;
            return c;
        };
        if (k == "series")
            ch.SetSeriesName(v);
        else if (k == "kind") {
            if (v == "bar")
                ch.SetKind(chart::SeriesKind::Bar);
            else if (v == "pie")
                ch.SetKind(chart::SeriesKind::Pie);
            else
                Fail("unknown chart kind: " + v);
        } else if (k == "marks")
            ch.SetMarksVisible(Bool(v));
        else if (k == "view3d")
            ch.SetView3D(Bool(v));
        else if (k == "orthogonal")
            ch.SetOrthogonal(Bool(v));
        else if (k.rfind("title", 0) == 0) {
            auto c = caption(ch.Title(), k.substr(5));
            if (!c) return false;
            ch.SetTitle(*c);
        } else if (k.rfind("foot", 0) == 0) {
            auto c = caption(ch.Foot(), k.substr(4));
            if (!c) return false;
            ch.SetFoot(*c);
        } else if (k == "legend" || k == "legendtitle" || k == "legendpos") {
            chart::Legend l = ch.GetLegend();
            if (k == "legend")
                l.visible = Bool(v);
            else if (k == "legendtitle")
                l.title = v;
            else if (v == "bottom")
                l.position = chart::LegendPosition::Bottom;
            else if (v == "top")
                l.position = chart::LegendPosition::Top;
            else if (v == "left")
                l.position = chart::LegendPosition::Left;
            else if (v == "right")
                l.position = chart::LegendPosition::Right;
            else
                Fail("unknown legend position: " + v);
            ch.SetLegend(l);
        } else if (k == "bottomaxis")
            ch.SetAxisTitles(v, ch.LeftAxisTitle());
        else if (k == "leftaxis")
            ch.SetAxisTitles(ch.BottomAxisTitle(), v);
        else
            return false;
        return true;
    }

    ModalResult ModalOf(const std::string& v) const {
        static const std::map<std::string, ModalResult> names = {
            {"none", ModalResult::None},   {"ok", ModalResult::OK},       {"cancel", ModalResult::Cancel},
            {"abort", ModalResult::Abort}, {"retry", ModalResult::Retry}, {"ignore", ModalResult::Ignore},
            {"yes", ModalResult::Yes},     {"no", ModalResult::No},       {"close", ModalResult::Close}};
        auto it = names.find(v);
        if (it == names.end()) Fail("unknown modal result: " + v);
        return it->second;
    }

    void ItemLine(const std::vector<LayoutToken>& tokens) {
        if (tokens.size() != 3 || !tokens[1].key.empty() || !tokens[2].key.empty())
            Fail("item line: item <control> <text>");
        Control* c = f_.FindControl(tokens[1].value);
        if (auto* l = dynamic_cast<ListBox*>(c))
            l->AddItem(tokens[2].value);
        else if (auto* co = dynamic_cast<ComboEdit*>(c))
            co->AddItem(tokens[2].value);
        else if (auto* m = dynamic_cast<Memo*>(c))
            m->AddLine(tokens[2].value);
        else
            Fail("item for an unknown list, combo or memo: " + tokens[1].value);
    }

    void ColumnLine(const std::vector<LayoutToken>& tokens) {
        if (tokens.size() < 4 || !tokens[1].key.empty() || !tokens[2].key.empty() || !tokens[3].key.empty())
            Fail("column line: column <grid> <name> <header> [width=] [readonly=]");
        auto* g = dynamic_cast<StringGrid*>(f_.FindControl(tokens[1].value));
        if (!g) Fail("column for an unknown grid: " + tokens[1].value);
        GridColumn col;
        col.name = tokens[2].value;
        col.header = tokens[3].value;
        for (std::size_t i = 4; i < tokens.size(); ++i) {
            if (tokens[i].key == "width")
                col.width = Int(tokens[i].value);
            else if (tokens[i].key == "readonly")
                col.readOnly = Bool(tokens[i].value);
            else
                Fail("unknown column attribute: " + tokens[i].key);
        }
        g->AddColumn(col);
    }

    Form& f_;
    std::string_view source_;
    int line_ = 0;
};

} // namespace

Color ParseColor(std::string_view s) {
    if ((s.size() != 9 && s.size() != 7) || s[0] != '#') throw LayoutError("not a colour: " + std::string(s));
    std::uint32_t v = 0;
    auto [p, ec] = std::from_chars(s.data() + 1, s.data() + s.size(), v, 16);
    if (ec != std::errc() || p != s.data() + s.size()) throw LayoutError("not a colour: " + std::string(s));
    return s.size() == 7 ? (0xFF000000u | v) : v;
}

void LoadLayout(Form& f, std::string_view text, std::string_view source) {
    Parser(f, source).Run(text);
}

void LoadLayoutResource(Form& f, std::string_view resourceName) {
    auto text = res::Find(resourceName);
    if (!text) throw LayoutError("no embedded layout " + std::string(resourceName));
    LoadLayout(f, *text, resourceName);
}

} // namespace ui
