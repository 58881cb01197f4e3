#include "platform/ui/Control.h"

#include <algorithm>
#include <stdexcept>

#include "platform/image/Image.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Internal.h"

namespace ui {

namespace detail {

std::u32string Decode(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();)
        out.push_back(rtl::Utf8Next(s, pos));
    return out;
}

std::string Encode(char32_t c) {
    std::string out;
    rtl::Utf8Append(out, c);
    return out;
}

std::string Encode(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s)
        rtl::Utf8Append(out, c);
    return out;
}

} // namespace detail

const char* KindName(ControlKind k) {
    switch (k) {
    case ControlKind::Label:
        return "label";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::Button:
        return "button";
    case ControlKind::Picture:
        return "picture";
    case ControlKind::Rectangle:
        return "rectangle";
    case ControlKind::Panel:
        return "panel";
    case ControlKind::GroupBox:
        return "groupbox";
    case ControlKind::Layout:
        return "layout";
    case ControlKind::ListBox:
        return "listbox";
    case ControlKind::ComboEdit:
        return "combo";
    case ControlKind::CheckBox:
        return "checkbox";
    case ControlKind::Calendar:
        return "calendar";
    case ControlKind::Memo:
        return "memo";
    case ControlKind::StringGrid:
        return "grid";
    case ControlKind::Timer:
        return "timer";
    case ControlKind::Chart:
        return "chart";
    }
    return "?";
}

// --- Control ----------------------------------------------------------------

Control::Control(Form& form, Control* parent, std::string name, ControlKind kind)
    : form_(form), parent_(parent), name_(std::move(name)), kind_(kind) {
    if (parent_ && &parent_->form_ != &form_)
        throw std::logic_error("control " + name_ + ": parent belongs to another window");
    font_ = form.GetFont();
}

Control::~Control() = default;

void Control::Changed(Property p) {
    if (Backend* b = form_.App().GetBackend()) b->PropertyChanged(*this, p);
}

void Control::SetBounds(int left, int top, int width, int height) {
    if (dock_ != Dock::None) {
        const int pw = parent_ ? parent_->width_ : form_.ClientWidth();
        const int ph = parent_ ? parent_->height_ : form_.ClientHeight();
        if (dock_ == Dock::Client) {
            left = top = 0;
            width = pw;
            height = ph;
        } else {
            left = std::max(0, (pw - width) / 2);
            top = std::max(0, (ph - height) / 2);
        }
    }
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Changed(Property::Bounds);
    if (resized)
        for (Control* c : children_)
            c->ApplyDock();
}

void Control::SetDock(Dock d) {
    if (d == dock_) return;
    dock_ = d;
    ApplyDock();
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    Changed(Property::Visible);
}

bool Control::IsShowing() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void Control::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    Changed(Property::Enabled);
}

bool Control::IsEnabled() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->enabled_) return false;
    return true;
}

void Control::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    Changed(Property::Text);
}

void Control::SetFont(const Font& f) {
    if (f == font_) return;
    font_ = f;
    Changed(Property::Font);
}

void Control::SetFontColor(Color c) {
    Font f = font_;
    f.color = c;
    SetFont(f);
}

void Control::SetFill(const Brush& b) {
    if (b == fill_) return;
    fill_ = b;
    Changed(Property::Fill);
}

void Control::SetHint(const std::string& h) {
    if (h == hint_) return;
    hint_ = h;
    Changed(Property::Hint);
}

void Control::SetCursor(Cursor c) {
    if (c == cursor_) return;
    cursor_ = c;
    Changed(Property::Cursor);
}

void Control::SetTabOrder(int order) {
    if (order == tabOrder_) return;
    tabOrder_ = order;
    Changed(Property::TabOrder);
}

bool Control::IsFocused() const {
    return form_.Focused() == this;
}

void Control::SetFocus() {
    if (!Focusable() || !IsEnabled()) return;
    bool accept = true;
    if (OnCanFocus) OnCanFocus(accept);
    if (!accept) return;
    form_.MoveFocus(this);
}

void Control::SetFocusByMouse() {
    form_.mouseFocus_ = true;
    try {
        SetFocus();
    } catch (...) {
        // The flag is reset whatever a focus handler threw; the failure goes on.
        form_.mouseFocus_ = false;
        throw;
    }
    form_.mouseFocus_ = false;
}

// --- Label ------------------------------------------------------------------

Label::Label(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::Label) {}

void Label::SetAlign(TextAlign a) {
    if (a == align_) return;
    align_ = a;
    Changed(Property::Other);
}

void Label::SetWordWrap(bool w) {
    if (w == wordWrap_) return;
    wordWrap_ = w;
    Changed(Property::Other);
}

// --- Edit -------------------------------------------------------------------

Edit::Edit(Form& f, Control* parent, std::string name)
    : Edit(f, parent, std::move(name), ControlKind::Edit) {}

Edit::Edit(Form& f, Control* parent, std::string name, ControlKind kind)
    : Control(f, parent, std::move(name), kind) {}

std::size_t Edit::Length() const {
    return detail::Decode(Text()).size();
}

void Edit::StoreText(const std::string& text) {
    if (text == Text()) return;
    if (typingDepth_ > 0) {
        // A handler rewriting what the user types (upper case, trimming):
        // the caret stays where it was as far as the new text allows.
        const int len = int(detail::Decode(text).size());
        caret_ = std::min(caret_, len);
        selStart_ = std::min(selStart_, len);
        selLength_ = std::min(selLength_, len - selStart_);
    } else {
        // A text set by the program (a record shown, a field cleared) is
        // shown from its start, with nothing selected, whatever the caret
        // was in the text before.
        caret_ = selStart_ = selLength_ = 0;
    }
    Control::SetText(text);
}

void Edit::SetText(const std::string& text) {
    if (text == Text()) return;
    StoreText(text);
    if (typingDepth_ == 0 && OnChange) OnChange();
}

void Edit::SetReadOnly(bool r) {
    if (r == readOnly_) return;
    readOnly_ = r;
    Changed(Property::ReadOnly);
}

void Edit::SetPassword(bool p) {
    if (p == password_) return;
    password_ = p;
    Changed(Property::Password);
}

void Edit::SetMaxLength(int n) {
    if (n == maxLength_) return;
    maxLength_ = std::max(0, n);
    Changed(Property::MaxLength);
}

void Edit::SetAlign(TextAlign a) {
    if (a == align_) return;
    align_ = a;
    Changed(Property::Other);
}

void Edit::SetCaretPosition(int pos) {
    pos = std::clamp(pos, 0, int(Length()));
    if (pos == caret_ && selLength_ == 0) return;
    caret_ = pos;
    selStart_ = pos;
    selLength_ = 0;
    Changed(Property::Caret);
}

void Edit::SetSelection(int start, int length) {
    int len = int(Length());
    start = std::clamp(start, 0, len);
    length = std::clamp(length, 0, len - start);
    selStart_ = start;
    selLength_ = length;
    caret_ = start + length;
    Changed(Property::Caret);
}

StyleElement* Edit::FindStyleResource(const std::string& name) {
    if (background_ && background_->name == name) return background_.get();
    return nullptr;
}

void Edit::ApplyStyle() {
    background_ = std::make_unique<StyleElement>();
    background_->name = "background";
    ++styleApplications_;
    if (OnApplyStyleLookup) OnApplyStyleLookup();
    Changed(Property::Style);
}

void Edit::SetStyleRectFill(StyleRect& rect, Color fill) {
    if (rect.fill == fill) return;
    rect.fill = fill;
    Changed(Property::Style);
}

// Ends a change typed by the user: the text is stored, OnTyping runs (it may
// rewrite the text), then OnChange fires once if the text differs from what
// it was before the key.
static void FinishTyped(Edit& e, const std::string& before, const std::function<void()>& onTyping,
                        const std::function<void()>& onChange, int& depth) {
    ++depth;
    try {
        if (onTyping) onTyping();
    } catch (...) {
        // The depth is restored whatever the handler threw; the failure goes on.
        --depth;
        throw;
    }
    --depth;
    if (e.Text() != before && onChange) onChange();
}

bool Edit::TakesCharacter(char32_t c) const {
    if (c == U'\n') return Kind() == ControlKind::Memo;
    if (password_) return c >= 0x20 && c != 0x7F;
    return rtl::IsCp1252Text(c);
}

bool Edit::InsertTyped(const std::string& utf8) {
    if (readOnly_) return false;
    std::u32string text = detail::Decode(Text());
    std::u32string add = detail::Decode(utf8);
    std::erase_if(add, [this](char32_t c) { return !TakesCharacter(c); });
    std::size_t remaining = text.size() - std::size_t(selLength_);
    if (maxLength_ > 0) {
        if (remaining >= std::size_t(maxLength_)) return false;
        add.resize(std::min(add.size(), std::size_t(maxLength_) - remaining));
    }
    if (add.empty()) return false;
    std::string before = Text();
    int at = selLength_ > 0 ? selStart_ : caret_;
    text.erase(std::size_t(at), std::size_t(selLength_));
    text.insert(std::size_t(at), add);
    selLength_ = 0;
    Control::SetText(detail::Encode(text));
    caret_ = at + int(add.size());
    selStart_ = caret_;
    Changed(Property::Caret);
    FinishTyped(*this, before, OnTyping, OnChange, typingDepth_);
    return true;
}

bool Edit::EditKey(std::uint16_t key, Mod) {
    std::u32string text = detail::Decode(Text());
    int len = int(text.size());
    switch (key) {
    case vk::Left:
        SetCaretPosition(selLength_ > 0 ? selStart_ : caret_ - 1);
        return false;
    case vk::Right:
        SetCaretPosition(selLength_ > 0 ? selStart_ + selLength_ : caret_ + 1);
        return false;
    case vk::Home:
        SetCaretPosition(0);
        return false;
    case vk::End:
        SetCaretPosition(len);
        return false;
    case vk::Back:
    case vk::Delete: {
        if (readOnly_) return false;
        int from = selStart_, count = selLength_;
        if (count == 0) {
            if (key == vk::Back) {
                if (caret_ == 0) return false;
                from = caret_ - 1;
            } else {
                if (caret_ >= len) return false;
                from = caret_;
            }
            count = 1;
        }
        std::string before = Text();
        text.erase(std::size_t(from), std::size_t(count));
        selLength_ = 0;
        Control::SetText(detail::Encode(text));
        caret_ = from;
        selStart_ = from;
        Changed(Property::Caret);
        FinishTyped(*this, before, OnTyping, OnChange, typingDepth_);
        return true;
    }
    default:
        return false;
    }
}

// --- Button, Picture, Rectangle, Panel ---------------------------------------

Button::Button(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::Button) {}

Picture::Picture(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::Picture) {}

BitmapPtr Picture::Bitmap() const {
    if (!bitmap_ && !resource_.empty()) {
        try {
            bitmap_ = std::make_shared<const img::Bitmap>(img::LoadResource(resource_));
        } catch (const img::Error&) {
            // An undecodable picture shows nothing; its name stays for the record.
        }
    }
    return bitmap_;
}

void Picture::SetBitmap(BitmapPtr b) {
    // Pictures are never changed in place: the same one again changes nothing
    // (the card shows its placeholder at every record without a photo).
    if (b == bitmap_ && resource_.empty()) return;
    bitmap_ = std::move(b);
    resource_.clear();
    Changed(Property::Bitmap);
}

void Picture::SetResourceName(const std::string& name) {
    resource_ = name;
    bitmap_.reset();
    Changed(Property::Bitmap);
}

void Picture::SetWrapMode(Wrap w) {
    if (w == wrap_) return;
    wrap_ = w;
    Changed(Property::Other);
}

Rectangle::Rectangle(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::Rectangle) {
    SetFill(Brush::Solid(colors::White));
}

void Rectangle::SetStroke(const Brush& b) {
    if (b == stroke_) return;
    stroke_ = b;
    Changed(Property::Stroke);
}

void Rectangle::SetStrokeThickness(int t) {
    if (t == strokeThickness_) return;
    strokeThickness_ = t;
    Changed(Property::Stroke);
}

void Rectangle::SetCornerRadius(int r) {
    if (r == radius_) return;
    radius_ = r;
    Changed(Property::Stroke);
}

Panel::Panel(Form& f, Control* parent, std::string name, ControlKind kind)
    : Control(f, parent, std::move(name), kind) {}

// --- ListBox ------------------------------------------------------------------

ListBox::ListBox(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::ListBox) {}

void ListBox::ItemsChanged() {
    Changed(Property::Items);
}

int ListBox::AddItem(std::string_view text) {
    items_.push_back(text);
    ItemsChanged();
    return int(items_.size()) - 1;
}

void ListBox::AddItems(std::vector<std::string> texts) {
    std::size_t bytes = 0;
    for (const std::string& t : texts)
        bytes += t.size();
    items_.reserve(items_.size() + texts.size(), bytes);
    for (const std::string& t : texts)
        items_.push_back(t);
    ItemsChanged();
}

void ListBox::SetItems(std::vector<std::string> texts) {
    TakeItems(ListItems(texts));
}

void ListBox::TakeItems(ListItems items) {
    styles_.clear();
    items_ = std::move(items);
    if (itemIndex_ >= int(items_.size())) itemIndex_ = -1;
    ItemsChanged();
}

void ListBox::InsertItem(std::size_t at, std::string_view text) {
    if (at > items_.size()) throw std::out_of_range("ListBox::InsertItem");
    items_.insert(at, text);
    std::map<std::size_t, ItemStyle> moved;
    for (auto& [i, s] : styles_)
        moved[i >= at ? i + 1 : i] = s;
    styles_.swap(moved);
    if (itemIndex_ >= int(at)) ++itemIndex_;
    ItemsChanged();
}

void ListBox::DeleteItem(std::size_t i) {
    if (i >= items_.size()) throw std::out_of_range("ListBox::DeleteItem");
    items_.erase(i);
    std::map<std::size_t, ItemStyle> moved;
    for (auto& [k, s] : styles_)
        if (k != i) moved[k > i ? k - 1 : k] = s;
    styles_.swap(moved);
    ItemsChanged();
    if (itemIndex_ == int(i))
        SetItemIndex(-1);
    else if (itemIndex_ > int(i))
        --itemIndex_;
}

void ListBox::Clear() {
    items_.clear();
    styles_.clear();
    ItemsChanged();
    SetItemIndex(-1);
}

void ListBox::SetItemIndex(int i) {
    if (i < -1 || i >= int(items_.size())) i = -1;
    if (i == itemIndex_) return;
    itemIndex_ = i;
    Changed(Property::ItemIndex);
    if (OnChange) OnChange();
}

const std::string* ListBox::SelectedText() const {
    if (itemIndex_ < 0) return nullptr;
    selected_ = items_[std::size_t(itemIndex_)];
    return &selected_;
}

void ListBox::SetItemFont(const Font& f) {
    if (f == itemFont_) return;
    itemFont_ = f;
    Changed(Property::ItemStyle);
}

const ItemStyle* ListBox::ItemStyleAt(std::size_t i) const {
    auto it = styles_.find(i);
    return it == styles_.end() ? nullptr : &it->second;
}

void ListBox::SetItemStyle(std::size_t i, const ItemStyle& s) {
    if (i >= items_.size()) throw std::out_of_range("ListBox::SetItemStyle");
    styles_[i] = s;
    Changed(Property::ItemStyle);
}

const Font& ListBox::FontOfItem(std::size_t i) const {
    const ItemStyle* s = ItemStyleAt(i);
    return s && s->font ? *s->font : itemFont_;
}

void ListBox::SetItemWidth(int w) {
    if (w == itemWidth_) return;
    itemWidth_ = w;
    Changed(Property::ItemStyle);
}

void ListBox::SetItemHeight(int h) {
    if (h == itemHeight_) return;
    itemHeight_ = h;
    Changed(Property::ItemStyle);
}

void ListBox::SetShowScrollBars(bool s) {
    if (s == scrollBars_) return;
    scrollBars_ = s;
    Changed(Property::Other);
}

// --- ComboEdit, CheckBox, Calendar, Memo ---------------------------------------

ComboEdit::ComboEdit(Form& f, Control* parent, std::string name)
    : Edit(f, parent, std::move(name), ControlKind::ComboEdit) {}

void ComboEdit::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (itemIndex_ >= int(items_.size())) itemIndex_ = -1;
    Changed(Property::Items);
}

void ComboEdit::AddItem(const std::string& text) {
    items_.push_back(text);
    Changed(Property::Items);
}

void ComboEdit::SetItemIndex(int i) {
    if (i < -1 || i >= int(items_.size())) i = -1;
    if (i != itemIndex_) {
        itemIndex_ = i;
        Changed(Property::ItemIndex);
    }
    if (i >= 0) SetText(items_[std::size_t(i)]);
}

int ComboEdit::CurrentItem() const {
    if (itemIndex_ >= 0 && items_[std::size_t(itemIndex_)] == Text()) return itemIndex_;
    const auto it = std::find(items_.begin(), items_.end(), Text());
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void ComboEdit::SetDroppedDown(bool d) {
    if (d == droppedDown_) return;
    droppedDown_ = d;
    highlighted_ = d ? CurrentItem() : -1;
    Changed(Property::DropDown);
}

void ComboEdit::SetHighlighted(int i) {
    if (droppedDown_ && i >= 0 && i < int(items_.size())) highlighted_ = i;
}

namespace {
// Letters compared without their case (ASCII and Latin-1).
char32_t Folded(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 32 : c;
}
} // namespace

int ComboEdit::FindTyped(char32_t ch, int from) {
    const int n = int(items_.size());
    auto begins = [this](int i) {
        const std::u32string item = detail::Decode(items_[std::size_t(i)]);
        if (item.size() < typed_.size()) return false;
        for (std::size_t k = 0; k < typed_.size(); ++k)
            if (Folded(item[k]) != Folded(typed_[k])) return false;
        return true;
    };
    if (!typed_.empty()) {
        typed_ += ch;
        for (int k = 0; k < n; ++k)
            if (const int i = (std::max(from, 0) + k) % n; begins(i)) return i;
    }
    typed_.assign(1, ch);
    for (int k = 1; k <= n; ++k)
        if (const int i = ((from + k) % n + n) % n; begins(i)) return i;
    typed_.clear();
    return -1;
}

CheckBox::CheckBox(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::CheckBox) {}

void CheckBox::SetChecked(bool c) {
    if (c == checked_) return;
    checked_ = c;
    Changed(Property::Checked);
    if (OnChange) OnChange();
}

Calendar::Calendar(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::Calendar), date_(rtl::Today()) {}

void Calendar::SetDate(rtl::Date d) {
    if (d == date_) return;
    date_ = d;
    Changed(Property::Date);
    if (OnChange) OnChange();
}

Memo::Memo(Form& f, Control* parent, std::string name)
    : Edit(f, parent, std::move(name), ControlKind::Memo) {}

std::vector<std::string> Memo::Lines() const {
    std::vector<std::string> lines;
    const std::string& t = Text();
    if (t.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t nl = t.find('\n', start);
        if (nl == std::string::npos) {
            lines.push_back(t.substr(start));
            break;
        }
        lines.push_back(t.substr(start, nl - start));
        start = nl + 1;
    }
    return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
    std::string t;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) t += '\n';
        t += lines[i];
    }
    SetText(t);
}

void Memo::AddLine(const std::string& line) {
    auto lines = Lines();
    lines.push_back(line);
    SetLines(lines);
}

void Memo::SetWordWrap(bool w) {
    if (w == wordWrap_) return;
    wordWrap_ = w;
    Changed(Property::Other);
}

// --- StringGrid ----------------------------------------------------------------

StringGrid::StringGrid(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::StringGrid) {}

void StringGrid::AddColumn(const GridColumn& c) {
    columns_.push_back(c);
    Relayout(columns_.size());
    Changed(Property::Columns);
}

void StringGrid::SetColumns(std::vector<GridColumn> cols) {
    columns_ = std::move(cols);
    Relayout(columns_.size());
    Changed(Property::Columns);
}

int StringGrid::ColumnIndex(const std::string& name) const {
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].name == name) return int(i);
    return -1;
}

// Lays the cells out with `stride` columns per row, keeping those that fit.
void StringGrid::Relayout(std::size_t stride) {
    if (stride == stride_) return;
    if (source_) {
        sourceCols_ = std::min(sourceCols_, stride);
        std::erase_if(set_, [stride](const auto& cell) { return (cell.first & 0xFFFFFFFFu) >= stride; });
    }
    const std::size_t rows = stride_ ? cells_.size() / stride_ : 0;
    std::vector<Span> cells(rows * stride);
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < stride_; ++c) {
            const Span s = cells_[r * stride_ + c];
            if (c < stride)
                cells[r * stride + c] = s;
            else
                stale_ += s.length;
        }
    cells_ = std::move(cells);
    stride_ = stride;
    if (stale_ > texts_.size() / 2) Compact();
}

void StringGrid::Compact() {
    std::string texts;
    texts.reserve(texts_.size() - stale_);
    for (Span& s : cells_) {
        const std::size_t start = texts.size();
        texts.append(texts_, s.start, s.length);
        s.start = std::uint32_t(start);
    }
    texts_ = std::move(texts);
    stale_ = 0;
}

void StringGrid::SetRowCount(int n) {
    n = std::max(0, n);
    if (n == rowCount_) return;
    rowCount_ = n;
    if (source_) {
        sourceRows_ = std::min(sourceRows_, n);
        set_.erase(set_.lower_bound(std::uint64_t(n) << 32), set_.end());
        if (rowsSet_.size() > std::size_t(n)) rowsSet_.resize(std::size_t(n));
    }
    // Room for the cells of every row (memory not yet written costs nothing),
    // at least doubled: a grid grown one row at a time would otherwise move
    // all its cells at every row.
    const std::size_t cells = std::size_t(n) * stride_;
    if (!source_ && cells > cells_.capacity()) cells_.reserve(std::max(cells, cells_.capacity() * 2));
    if (cells_.size() > std::size_t(n) * stride_) {
        for (std::size_t i = std::size_t(n) * stride_; i < cells_.size(); ++i)
            stale_ += cells_[i].length;
        cells_.resize(std::size_t(n) * stride_);
        if (stale_ > texts_.size() / 2) Compact();
    }
    if (row_ >= n) row_ = n - 1;
    Changed(Property::RowCount);
}

std::string_view StringGrid::CellView(int col, int row) const {
    if (source_) {
        if (row < 0 || col < 0 || std::size_t(col) >= stride_ || row >= rowCount_) return {};
        if (const std::string* s = SetOverSource(col, row)) return *s;
        if (row < sourceRows_ && std::size_t(col) < sourceCols_) return source_->Cell(col, row, scratch_);
        return {};
    }
    if (row < 0 || col < 0 || std::size_t(col) >= stride_ ||
        std::size_t(row) * stride_ + std::size_t(col) >= cells_.size())
        return {};
    const Span s = cells_[std::size_t(row) * stride_ + std::size_t(col)];
    return std::string_view(texts_).substr(s.start, s.length);
}

void StringGrid::SetCell(int col, int row, std::string_view text) {
    if (col < 0 || col >= ColumnCount() || row < 0 || row >= rowCount_)
        throw std::out_of_range("grid " + Name() + ": no cell " + std::to_string(col) + "," +
                                std::to_string(row));
    if (source_) {
        // A copy first: the text may be a view of a cell made for reading.
        std::string owned(text);
        if (CellView(col, row) == owned) return;
        set_[std::uint64_t(row) << 32 | std::uint32_t(col)] = std::move(owned);
        if (rowsSet_.size() < std::size_t(rowCount_)) rowsSet_.resize(std::size_t(rowCount_));
        rowsSet_[std::size_t(row)] = true;
        NoteCells();
        return;
    }
    if (CellView(col, row) == text) return;
    const std::size_t at = std::size_t(row) * stride_ + std::size_t(col);
    if (cells_.size() <= at) cells_.resize((std::size_t(row) + 1) * stride_);
    if (texts_.size() + text.size() > UINT32_MAX) {
        Compact();
        if (texts_.size() + text.size() > UINT32_MAX)
            throw std::length_error("grid " + Name() + ": too much text");
    }
    Span& s = cells_[at];
    stale_ += s.length;
    s = {std::uint32_t(text.empty() ? 0 : texts_.size()), std::uint32_t(text.size())};
    texts_.append(text);
    if (stale_ > (std::size_t(1) << 20) && stale_ > texts_.size() / 2) Compact();
    NoteCells();
}

void StringGrid::NoteCells() {
    Changed(Property::Cells);
}

void StringGrid::SetSource(std::shared_ptr<const GridSource> source, int rows) {
    source_ = std::move(source);
    texts_ = std::string();
    cells_ = std::vector<Span>();
    stale_ = 0;
    set_.clear();
    rowsSet_ = std::vector<bool>();
    sourceCols_ = stride_;
    const int n = std::max(0, rows);
    sourceRows_ = source_ ? n : 0;
    if (n != rowCount_) {
        rowCount_ = n;
        if (row_ >= n) row_ = n - 1;
        Changed(Property::RowCount);
    }
    NoteCells();
}

const std::string* StringGrid::FindSetCell(int col, int row) const {
    const auto it = set_.find(std::uint64_t(row) << 32 | std::uint32_t(col));
    return it == set_.end() ? nullptr : &it->second;
}

void StringGrid::SetReadOnly(bool r) {
    if (r == readOnly_) return;
    readOnly_ = r;
    Changed(Property::ReadOnly);
}

void StringGrid::SetRowHeight(int h) {
    if (h == rowHeight_) return;
    rowHeight_ = h;
    Changed(Property::Other);
}

void StringGrid::SetAlternatingRows(bool a) {
    if (a == alternating_) return;
    alternating_ = a;
    Changed(Property::Other);
}

void StringGrid::SelectCell(int col, int row) {
    if (col < -1 || col >= ColumnCount() || row < -1 || row >= rowCount_) return;
    if (col == col_ && row == row_) return;
    col_ = col;
    row_ = row;
    editing_ = false;
    Changed(Property::Selection);
    if (OnSelChanged) OnSelChanged();
}

// --- Timer ---------------------------------------------------------------------

Timer::Timer(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::Timer) {
    SetVisible(false);
    SetTabStop(false);
    due_ = f.App().Now() + interval_;
    f.App().AddTimer(*this);
}

Timer::~Timer() {
    GetForm().App().RemoveTimer(*this);
}

void Timer::SetInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    due_ = GetForm().App().Now() + interval_;
    Changed(Property::Timer);
}

void Timer::SetEnabled(bool e) {
    if (e == Enabled()) return;
    Control::SetEnabled(e);
    if (e) due_ = GetForm().App().Now() + interval_;
    Changed(Property::Timer);
}

// --- ChartView --------------------------------------------------------------

ChartView::ChartView(Form& f, Control* parent, std::string name)
    : Control(f, parent, std::move(name), ControlKind::Chart) {
    chart_.onChanged = [this] { Changed(Property::Other); };
}

ChartView::~ChartView() {
    chart_.onChanged = nullptr;
}

} // namespace ui
