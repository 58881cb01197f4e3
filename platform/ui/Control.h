#pragma once
// The controls of a form. Every control belongs to one form, which owns it;
// a window class keeps references to the controls it fetches by name from its
// layout (Form::Get<ui::Edit>("txtPassword")).
//
// Properties are read with Name(), Text(), Visible() ... and written with
// SetText(), SetVisible() ...; every write that changes something tells the
// form's backend (when there is one), so a real window follows the model.
//
// Events are plain std::function members bound by the window's constructor:
//   cmdOK.OnClick = [this] { cmdOKClick(); };
//   txtPassword.OnKeyDown = [this](ui::KeyEvent& k) { txtPasswordKeyDown(k); };
// What a user does (typing, clicks, focus moves by mouse or Tab) enters the
// model through the functions of platform/ui/Input.h, used alike by the Qt
// backend and by the tests.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/chart/Chart.h"
#include "platform/image/Bitmap.h"
#include "platform/rtl/Date.h"
#include "platform/ui/ListItems.h"
#include "platform/ui/Types.h"

namespace ui {

class Form;

enum class ControlKind {
    Label,
    Edit,
    Button,
    Picture,
    Rectangle,
    Panel,
    GroupBox,
    Layout,
    ListBox,
    ComboEdit,
    CheckBox,
    Calendar,
    Memo,
    StringGrid,
    Timer,
    Chart
};

// The kind as the layout files write it ("edit", "combo", ...).
const char* KindName(ControlKind k);

// What changed, for the backend.
enum class Property {
    Bounds,
    Visible,
    Enabled,
    Text,
    Font,
    Fill,
    Stroke,
    Hint,
    Cursor,
    TabOrder,
    ReadOnly,
    Password,
    MaxLength,
    Caret,
    Style,
    Items,
    ItemIndex,
    DropDown,
    ItemStyle,
    Checked,
    Date,
    Columns,
    Cells,
    RowCount,
    Selection,
    Bitmap,
    Timer,
    Other
};

using Notify = std::function<void()>;
using KeyHandler = std::function<void(KeyEvent&)>;
using MouseHandler = std::function<void(MouseEvent&)>;
using CanFocusHandler = std::function<void(bool& accept)>;

class Control {
public:
    Control(Form& form, Control* parent, std::string name, ControlKind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    Form& GetForm() const { return form_; }
    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Children() const { return children_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // A docked control keeps its dock whatever bounds it is given: Client
    // fills its parent (or the form's client area), Center keeps its size
    // centred in it (never above or left of its parent's corner).
    void SetBounds(int left, int top, int width, int height);
    void SetPosition(int left, int top) { SetBounds(left, top, width_, height_); }
    void SetSize(int width, int height) { SetBounds(left_, top_, width, height); }
    Dock GetDock() const { return dock_; }
    void SetDock(Dock d);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible together with every parent (the form's own visibility aside).
    bool IsShowing() const;

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool e);
    // Enabled together with every parent.
    bool IsEnabled() const;

    // Label text, button and check box caption, edit text, group box title.
    const std::string& Text() const { return text_; }
    virtual void SetText(const std::string& text);

    const Font& GetFont() const { return font_; }
    void SetFont(const Font& f);
    void SetFontColor(Color c);

    // Fill of rectangles and panels; background of the other kinds.
    const Brush& Fill() const { return fill_; }
    void SetFill(const Brush& b);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& h);
    Cursor GetCursor() const { return cursor_; }
    void SetCursor(Cursor c);

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool t) { tabStop_ = t; }
    int Tag() const { return tag_; }
    void SetTag(int t) { tag_ = t; }
    // Whether the mouse reaches the control (rectangles used as decoration
    // often let it through to what lies below).
    bool HitTest() const { return hitTest_; }
    void SetHitTest(bool h) { hitTest_ = h; }
    // The window's default and cancel commands: Enter and Escape press them
    // (see Form::DefaultCommand). A window marks them in its layout.
    bool IsDefault() const { return default_; }
    void SetDefault(bool d) { default_ = d; }
    bool IsCancel() const { return cancel_; }
    void SetCancel(bool c) { cancel_ = c; }

    // Focus. Only edits, buttons, lists, combos, check boxes, calendars,
    // memos and grids can hold it; SetFocus also works on a hidden control.
    virtual bool Focusable() const { return false; }
    bool IsFocused() const;
    void SetFocus();
    // The focus given by a mouse press (an edit keeps its caret where clicked).
    void SetFocusByMouse();

    Notify OnClick;
    Notify OnDblClick;
    Notify OnEnter;
    Notify OnExit;
    KeyHandler OnKeyDown;
    KeyHandler OnKeyUp;
    MouseHandler OnMouseDown;
    MouseHandler OnMouseUp;
    MouseHandler OnMouseMove;
    CanFocusHandler OnCanFocus;

protected:
    // Tells the backend that a property changed.
    void Changed(Property p);

private:
    friend class Form;
    // Places the control again after its parent's size changed.
    void ApplyDock() { SetBounds(left_, top_, width_, height_); }
    Form& form_;
    Control* parent_;
    std::string name_;
    ControlKind kind_;
    std::vector<Control*> children_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Dock dock_ = Dock::None;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    Font font_;
    Brush fill_;
    std::string hint_;
    Cursor cursor_ = Cursor::Default;
    int tabOrder_ = -1;
    bool tabStop_ = true;
    int tag_ = 0;
    bool hitTest_ = true;
    bool default_ = false;
    bool cancel_ = false;
};

class Label : public Control {
public:
    Label(Form& f, Control* parent, std::string name);
    TextAlign Align() const { return align_; }
    void SetAlign(TextAlign a);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool w);

private:
    TextAlign align_ = TextAlign::Leading;
    bool wordWrap_ = false;
};

// A rectangle drawn inside an edit's style element (the field highlight).
struct StyleRect {
    Color fill = colors::Null;
    Color stroke = colors::Null;
    bool hitTest = false;
    bool fillParent = true; // aligned to cover the whole element
};

// A part of an edit's look that a window can reach by name ("background"):
// its margins and the rectangles a window adds to it.
struct StyleElement {
    std::string name;
    int marginLeft = 2, marginTop = 2, marginRight = 2, marginBottom = 2;
    std::vector<std::unique_ptr<StyleRect>> children;

    void SetMargins(int all) { marginLeft = marginTop = marginRight = marginBottom = all; }
    StyleRect& AddRect() {
        children.push_back(std::make_unique<StyleRect>());
        return *children.back();
    }
};

class Edit : public Control {
public:
    Edit(Form& f, Control* parent, std::string name);
    bool Focusable() const override { return true; }

    // Set by code: never cut to MaxLength; fires OnChange when it changes.
    void SetText(const std::string& text) override;

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool r);
    bool Password() const { return password_; }
    void SetPassword(bool p);
    // Most characters a user can type or paste; 0 for no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    TextAlign Align() const { return align_; }
    void SetAlign(TextAlign a);

    // Caret and selection, counted in characters.
    int CaretPosition() const { return caret_; }
    void SetCaretPosition(int pos);
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SetSelection(int start, int length);
    void SelectAll() { SetSelection(0, int(Length())); }
    std::size_t Length() const; // in characters

    // The style element of that name, or null before the style is applied.
    StyleElement* FindStyleResource(const std::string& name);
    // (Re)applies the style: a fresh "background" element replaces the old one
    // (with its rectangles), OnApplyStyleLookup fires, then the backend hears
    // of the new element with what the handler put in it.
    void ApplyStyle();
    // Fills a rectangle of this edit's style element and tells the backend,
    // so a real window repaints the edit at once.
    void SetStyleRectFill(StyleRect& rect, Color fill);
    int StyleApplications() const { return styleApplications_; }

    Notify OnChange;           // the text really changed, typed or by code
    Notify OnTyping;           // after every change typed by the user
    Notify OnApplyStyleLookup; // the style was (re)applied

    // Whether typing or pasting puts the character into the text. What an
    // edit holds goes to files written in windows-1252, so an edit takes only
    // the text that code page holds (rtl::IsCp1252Text), a memo also its line
    // breaks: what the card shows is then what is stored. A password edit
    // takes every character but the controls; its window tells what the
    // password store cannot keep.
    bool TakesCharacter(char32_t c) const;

    // Editing as a user does it, at the caret (used by the input layer); the
    // characters the edit does not take are left out. Returns whether the
    // text changed.
    bool InsertTyped(const std::string& utf8);
    bool EditKey(std::uint16_t key, Mod mods);

protected:
    Edit(Form& f, Control* parent, std::string name, ControlKind kind);
    // Sets the text without firing events (for subclasses and the input layer).
    void StoreText(const std::string& text);

private:
    friend struct EditAccess;
    bool readOnly_ = false;
    bool password_ = false;
    int maxLength_ = 0;
    TextAlign align_ = TextAlign::Leading;
    int caret_ = 0;
    int selStart_ = 0, selLength_ = 0;
    std::unique_ptr<StyleElement> background_;
    int styleApplications_ = 0;
    int typingDepth_ = 0; // inside a typed change: OnChange is fired once, at its end
};

class Button : public Control {
public:
    Button(Form& f, Control* parent, std::string name);
    bool Focusable() const override { return true; }
    ModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(ModalResult r) { modalResult_ = r; }

private:
    ModalResult modalResult_ = ModalResult::None;
};

using BitmapPtr = std::shared_ptr<const img::Bitmap>;

class Picture : public Control {
public:
    enum class Wrap { Fit, Stretch, Original, Center };
    Picture(Form& f, Control* parent, std::string name);

    // The bitmap shown; a picture named by its layout is decoded on first use
    // (null when it cannot be decoded).
    BitmapPtr Bitmap() const;
    void SetBitmap(BitmapPtr b);
    void Clear() { SetBitmap(nullptr); }
    // The embedded resource the layout names ("shell/Logo.png"), if any.
    void SetResourceName(const std::string& name);
    Wrap WrapMode() const { return wrap_; }
    void SetWrapMode(Wrap w);

private:
    mutable BitmapPtr bitmap_;
    std::string resource_;
    Wrap wrap_ = Wrap::Fit;
};

class Rectangle : public Control {
public:
    Rectangle(Form& f, Control* parent, std::string name);
    // Stroke; a second colour makes it fade from the first to the second.
    const Brush& Stroke() const { return stroke_; }
    void SetStroke(const Brush& b);
    int StrokeThickness() const { return strokeThickness_; }
    void SetStrokeThickness(int t);
    int CornerRadius() const { return radius_; }
    void SetCornerRadius(int r);

private:
    Brush stroke_ = Brush::Solid(colors::Black);
    int strokeThickness_ = 1;
    int radius_ = 0;
};

// Container: a panel (filled), a group box (framed, titled by its Text) or a
// bare layout (invisible).
class Panel : public Control {
public:
    Panel(Form& f, Control* parent, std::string name, ControlKind kind = ControlKind::Panel);
};

struct ItemStyle {
    std::optional<Font> font; // the list's ItemFont when empty
    std::optional<Color> background;
    bool operator==(const ItemStyle&) const = default;
};

// A list of text lines. Holds its items as strings, with styles kept only for
// the items that have one, so that a list of 100,000 lines stays small.
class ListBox : public Control {
public:
    ListBox(Form& f, Control* parent, std::string name);
    bool Focusable() const override { return true; }

    // The items live in one text buffer (see ListItems); an item's text is
    // a view into it, valid until the items change.
    std::size_t Count() const { return items_.size(); }
    ItemText Item(std::size_t i) const { return items_.at(i); }
    const ListItems& Items() const { return items_; }
    int AddItem(std::string_view text);
    void AddItems(std::vector<std::string> texts);
    void SetItems(std::vector<std::string> texts);
    // The same with items already in one buffer, taken as they are.
    void TakeItems(ListItems items);
    void InsertItem(std::size_t at, std::string_view text);
    void DeleteItem(std::size_t i);
    void Clear();

    // -1 for no selection. Setting it fires OnChange when it changes.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int i);
    // A copy of the selected item's text (valid until the next call), or
    // null when no item is selected.
    const std::string* SelectedText() const;

    // Font of every item without a style of its own.
    const Font& ItemFont() const { return itemFont_; }
    void SetItemFont(const Font& f);
    const ItemStyle* ItemStyleAt(std::size_t i) const;
    void SetItemStyle(std::size_t i, const ItemStyle& s);
    // The font an item is drawn with.
    const Font& FontOfItem(std::size_t i) const;

    int ItemWidth() const { return itemWidth_; } // 0: as wide as the box
    void SetItemWidth(int w);
    int ItemHeight() const { return itemHeight_; } // 0: from the font
    void SetItemHeight(int h);
    bool ShowScrollBars() const { return scrollBars_; }
    void SetShowScrollBars(bool s);

    Notify OnChange; // the selection changed

private:
    void ItemsChanged();
    ListItems items_;
    mutable std::string selected_;
    std::map<std::size_t, ItemStyle> styles_;
    Font itemFont_;
    int itemIndex_ = -1;
    int itemWidth_ = 0;
    int itemHeight_ = 0;
    bool scrollBars_ = true;
};

// An edit with a drop-down list of items. Not editable = ReadOnly: the value
// is then only picked from the list (the keys of a combo are in
// platform/ui/Input.h).
class ComboEdit : public Edit {
public:
    ComboEdit(Form& f, Control* parent, std::string name);
    bool Focusable() const override { return true; }

    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items);
    void AddItem(const std::string& text);
    // -1 for no item. Setting an index >= 0 also sets the text to that item.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int i);
    // The item the combo shows: its item index while the text is that item's,
    // or else the first item equal to the text; -1 for none (an emptied
    // combo keeps its item index).
    int CurrentItem() const;

    // The drop-down list, open or closed; opened, it highlights the current
    // item, and Enter picks the highlighted one.
    bool DroppedDown() const { return droppedDown_; }
    void SetDroppedDown(bool d);
    int Highlighted() const { return highlighted_; }
    void SetHighlighted(int i);

    // The item that the letters typed one after the other begin (letter case
    // ignored), looked for from `from` on. A first letter, or one that begins
    // no item together with those before it, counts alone and is looked for
    // after `from`: typing the same letter again steps through the items it
    // begins. -1 when no item begins with it. ForgetTyped starts anew.
    int FindTyped(char32_t ch, int from);
    void ForgetTyped() { typed_.clear(); }

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    bool droppedDown_ = false;
    int highlighted_ = -1;
    std::u32string typed_;
};

class CheckBox : public Control {
public:
    CheckBox(Form& f, Control* parent, std::string name);
    bool Focusable() const override { return true; }
    bool Checked() const { return checked_; }
    void SetChecked(bool c); // fires OnChange when it changes
    Notify OnChange;

private:
    bool checked_ = false;
};

// A month calendar; it starts on today's date.
class Calendar : public Control {
public:
    Calendar(Form& f, Control* parent, std::string name);
    bool Focusable() const override { return true; }
    rtl::Date Date() const { return date_; }
    void SetDate(rtl::Date d); // fires OnChange when it changes
    Notify OnChange;

private:
    rtl::Date date_;
};

// Several lines of text; Text() holds them joined by "\n".
class Memo : public Edit {
public:
    Memo(Form& f, Control* parent, std::string name);
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    void AddLine(const std::string& line);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool w);

private:
    bool wordWrap_ = true;
};

struct GridColumn {
    std::string name; // e.g. "colNum"
    std::string header;
    int width = 64;
    bool readOnly = false;
    bool operator==(const GridColumn&) const = default;
};

// Cells produced on demand instead of kept as texts: a grid showing a whole
// archive reads them from the records' own bytes.
class GridSource {
public:
    virtual ~GridSource() = default;
    // The text (UTF-8) of a cell: a view of the source's own bytes, or of
    // `scratch` when the text has to be made.
    virtual std::string_view Cell(int col, int row, std::string& scratch) const = 0;
};

class StringGrid : public Control {
public:
    StringGrid(Form& f, Control* parent, std::string name);
    bool Focusable() const override { return true; }

    const std::vector<GridColumn>& Columns() const { return columns_; }
    int ColumnCount() const { return int(columns_.size()); }
    void AddColumn(const GridColumn& c);
    void SetColumns(std::vector<GridColumn> cols);
    // The index of the column of that name, or -1.
    int ColumnIndex(const std::string& name) const;

    int RowCount() const { return rowCount_; }
    void SetRowCount(int n); // cells of removed rows are dropped
    // Empty for a cell never set; out of range reads empty, writes throw.
    std::string Cell(int col, int row) const { return std::string(CellView(col, row)); }
    // The same text without a copy: valid until the grid next changes or the
    // next CellView (a cell of a source may be made for the call).
    std::string_view CellView(int col, int row) const;
    void SetCell(int col, int row, std::string_view text);

    // The grid becomes `rows` rows whose cells the source gives, for the
    // columns there are now: the texts held so far are dropped, and a cell
    // set from now on is kept aside and read instead of the source's.
    // Removing rows or columns drops their cells from the source too.
    void SetSource(std::shared_ptr<const GridSource> source, int rows);
    const GridSource* Source() const { return source_.get(); }
    // The rows that read from the source: the first ones of the grid.
    int SourceRows() const { return sourceRows_; }
    // The text of a cell set over the source, or null for a cell that the
    // source gives (or when there is no source).
    const std::string* SetOverSource(int col, int row) const {
        // Most rows hold no such cell: told without a lookup.
        if (row < 0 || std::size_t(row) >= rowsSet_.size() || !rowsSet_[std::size_t(row)]) return nullptr;
        return FindSetCell(col, row);
    }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool r);
    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int h);
    bool AlternatingRows() const { return alternating_; }
    void SetAlternatingRows(bool a);

    // The selected cell, -1 for none. Selecting another cell ends its editing.
    int Col() const { return col_; }
    int Row() const { return row_; }
    void SelectCell(int col, int row);
    // Whether the selected cell is being edited by keys: the first character
    // typed into a cell replaces its text and starts the editing, the next
    // ones add to it (see platform/ui/Input.h).
    bool Editing() const { return editing_; }
    void SetEditing(bool e) { editing_ = e; }

    Notify OnSelChanged;
    std::function<void(int col, int row)> OnCellEdited; // by the user

private:
    void Relayout(std::size_t stride);
    void Compact();
    void NoteCells(); // cells changed: tells the backend
    const std::string* FindSetCell(int col, int row) const;

    std::vector<GridColumn> columns_;
    int rowCount_ = 0;
    // The cells are kept compactly: every text one after the other in one
    // buffer, and for each cell where its text lies. A changed cell's text
    // goes to the end; the buffer is compacted when most of it is stale.
    struct Span {
        std::uint32_t start = 0, length = 0;
    };
    std::string texts_;
    std::vector<Span> cells_; // [row * stride_ + col], grown on write
    std::size_t stride_ = 0;  // the columns per row in cells_
    std::size_t stale_ = 0;   // bytes of texts_ that no cell uses
    // With a source the texts above stay empty: its first sourceRows_ rows
    // and sourceCols_ columns read from it, every cell set since from set_
    // (keyed by row and column), and the rows holding such a cell are marked.
    std::shared_ptr<const GridSource> source_;
    int sourceRows_ = 0;
    std::size_t sourceCols_ = 0;
    std::map<std::uint64_t, std::string> set_;
    std::vector<bool> rowsSet_;
    mutable std::string scratch_;
    bool readOnly_ = false;
    int rowHeight_ = 21;
    bool alternating_ = false;
    int col_ = -1, row_ = -1;
    bool editing_ = false;
};

// Calls OnTimer every Interval milliseconds while enabled. Headless, time
// passes only when Application::AdvanceTime is called.
class Timer : public Control {
public:
    Timer(Form& f, Control* parent, std::string name);
    ~Timer() override;
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    // Enabled() / SetEnabled() start and stop it; enabling starts a new interval.
    void SetEnabled(bool e) override;
    Notify OnTimer;

private:
    friend class Application;
    int interval_ = 1000;
    long long due_ = 0; // headless time of the next tick
};

// A chart: holds its chart model (one series of points, texts, legend) and
// shows it; every change to the model repaints the real window's chart.
class ChartView : public Control {
public:
    ChartView(Form& f, Control* parent, std::string name);
    ~ChartView() override;
    chart::Chart& Chart() { return chart_; }
    const chart::Chart& Chart() const { return chart_; }

private:
    chart::Chart chart_;
};

} // namespace ui
