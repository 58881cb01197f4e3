#include "platform/ui/Form.h"

#include <algorithm>

#include "platform/ui/Application.h"
#include "platform/ui/Internal.h"
#include "platform/ui/Layout.h"

namespace ui {

namespace {
// Frame added to the client area by each border style: left+right, top+bottom
// (title bar included).
struct Frame {
    int w, h;
};
Frame FrameOf(BorderStyle b) {
    switch (b) {
    case BorderStyle::None:
        return {0, 0};
    case BorderStyle::Single:
        return {6, 29};
    case BorderStyle::Sizeable:
        return {16, 39};
    }
    return {0, 0};
}
} // namespace

Form::Form(Application& app, Form* owner) : app_(app), owner_(owner) {
    app_.Register(*this);
}

// (Once the delegated constructor has run, a failing load runs ~Form.)
Form::Form(Application& app, Form* owner, std::string_view layoutResource) : Form(app, owner) {
    LoadLayoutResource(*this, layoutResource);
}

Form::~Form() {
    // The application (and the backend) let go of the window while its
    // controls still exist; then the controls go.
    app_.Unregister(*this);
    focused_ = nullptr;
    all_.clear();
    roots_.clear();
    byName_.clear();
    owned_.clear();
}

void Form::Changed() {
    if (Backend* b = app_.GetBackend()) b->FormChanged(*this);
}

void Form::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Changed();
}

void Form::SetClientSize(int w, int h) {
    designWidth_ = w;
    designHeight_ = h;
    ClientResized(w, h);
}

void Form::ClientResized(int w, int h) {
    // Undocked top-level controls move with the design area: centred in a
    // maximised window, at the corner otherwise.
    const bool centred = state_ == WindowState::Maximized;
    const int sx = centred ? std::max(0, (w - designWidth_) / 2) : 0;
    const int sy = centred ? std::max(0, (h - designHeight_) / 2) : 0;
    if (w == clientWidth_ && h == clientHeight_ && sx == shiftX_ && sy == shiftY_) return;
    const int dx = sx - shiftX_, dy = sy - shiftY_;
    shiftX_ = sx;
    shiftY_ = sy;
    clientWidth_ = w;
    clientHeight_ = h;
    Changed();
    for (Control* c : roots_) {
        if (c->GetDock() == Dock::None) {
            if (dx || dy) c->SetPosition(c->Left() + dx, c->Top() + dy);
        } else {
            c->ApplyDock();
        }
    }
    if (OnResize) OnResize();
}

int Form::Width() const {
    return clientWidth_ + FrameOf(border_).w;
}
int Form::Height() const {
    return clientHeight_ + FrameOf(border_).h;
}

void Form::SetSize(int w, int h) {
    SetClientSize(w - FrameOf(border_).w, h - FrameOf(border_).h);
}

void Form::SetPosition(int left, int top) {
    if (left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    Changed();
}

void Form::SetBorderStyle(BorderStyle b) {
    if (b == border_) return;
    border_ = b;
    Changed();
}

void Form::SetCloseBox(bool c) {
    if (c == closeBox_) return;
    closeBox_ = c;
    Changed();
}

void Form::SetWindowState(WindowState s) {
    if (s == state_) return;
    state_ = s;
    Changed();
}

void Form::SetFormPosition(FormPosition p) {
    if (p == position_) return;
    position_ = p;
    Changed();
}

void Form::SetFill(const Brush& b) {
    if (b == fill_) return;
    fill_ = b;
    Changed();
}

void Form::SetFont(const Font& f) {
    if (f == font_) return;
    font_ = f;
    Changed();
}

Control* Form::FindControl(std::string_view name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

void Form::MissingControl(std::string_view name, Control* found, const char* wanted) const {
    std::string who = className_.empty() ? std::string("window") : className_;
    if (!found) throw LayoutError(who + ": no control named \"" + std::string(name) + "\"");
    throw LayoutError(who + ": control \"" + std::string(name) + "\" is a " + KindName(found->Kind()) +
                      ", not the kind asked for (" + wanted + ")");
}

void Form::Adopt(std::unique_ptr<Control> c) {
    if (c->Name().empty() || FindControl(c->Name()))
        throw LayoutError((className_.empty() ? std::string("window") : className_) +
                          ": duplicate or empty control name \"" + c->Name() + "\"");
    Control* raw = c.get();
    owned_.push_back(std::move(c));
    all_.push_back(raw);
    byName_.emplace(raw->Name(), raw);
    if (raw->parent_)
        raw->parent_->children_.push_back(raw);
    else
        roots_.push_back(raw);
    if (Backend* b = app_.GetBackend()) b->ControlCreated(*raw);
}

void Form::MoveFocus(Control* to) {
    if (to == focused_) return;
    Control* old = focused_;
    focused_ = to;
    // A combo left closes its list and forgets the letters typed into it.
    if (auto* combo = dynamic_cast<ComboEdit*>(old)) {
        combo->SetDroppedDown(false);
        combo->ForgetTyped();
    }
    // An edit given the focus by the keyboard or by the program selects its
    // whole text, so that what is typed next replaces it; a mouse press
    // places the caret instead. A read-only edit selects nothing: no typing
    // replaces its text.
    if (to && to->Kind() == ControlKind::Edit && !mouseFocus_) {
        auto* e = static_cast<Edit*>(to);
        if (!e->ReadOnly()) e->SelectAll();
    }
    if (Backend* b = app_.GetBackend()) b->FocusChanged(*this, to);
    if (old && old->OnExit) old->OnExit();
    if (to && focused_ == to && to->OnEnter) to->OnEnter();
}

static Control* FirstCommand(const std::vector<Control*>& controls, bool (Control::*marked)() const) {
    for (Control* c : controls)
        if ((c->*marked)() && c->IsShowing() && c->IsEnabled()) return c;
    return nullptr;
}

Control* Form::DefaultCommand() const {
    return FirstCommand(all_, &Control::IsDefault);
}

Control* Form::CancelCommand() const {
    return FirstCommand(all_, &Control::IsCancel);
}

std::vector<Control*> Form::TabSequence() const {
    std::vector<Control*> seq;
    auto walk = [&](auto& self, const std::vector<Control*>& level) -> void {
        std::vector<Control*> sorted(level);
        std::stable_sort(sorted.begin(), sorted.end(), [](const Control* a, const Control* b) {
            int ta = a->TabOrder() < 0 ? 1 << 30 : a->TabOrder();
            int tb = b->TabOrder() < 0 ? 1 << 30 : b->TabOrder();
            return ta < tb;
        });
        for (Control* c : sorted) {
            if (!c->Visible() || !c->Enabled()) continue;
            if (c->Focusable() && c->TabStop()) seq.push_back(c);
            self(self, c->Children());
        }
    };
    walk(walk, roots_);
    return seq;
}

void Form::Show() {
    if (visible_) return;
    visible_ = true;
    if (Backend* b = app_.GetBackend()) b->FormShown(*this);
    if (!shownOnce_) {
        shownOnce_ = true;
        for (Control* c : all_)
            if (auto* e = dynamic_cast<Edit*>(c)) e->ApplyStyle();
    }
    if (OnShow) OnShow();
}

void Form::Hide() {
    if (!visible_) return;
    MoveFocus(nullptr);
    visible_ = false;
    if (Backend* b = app_.GetBackend()) b->FormHidden(*this);
    if (OnHide) OnHide();
}

void Form::Close() {
    if (closing_) return;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{closing_};
    closing_ = true;
    bool isMain = app_.MainForm() == this;
    CloseAction action = isMain && !modal_ ? CloseAction::Free : CloseAction::Hide;
    if (OnClose) OnClose(action);
    if (action == CloseAction::None) return;
    if (modal_) {
        if (modalResult_ == ModalResult::None) modalResult_ = ModalResult::Cancel;
        modalEndPending_ = true;
        closeRan_ = true;
        return;
    }
    Hide();
    if (isMain) app_.Terminate();
}

void Form::SetModalResult(ModalResult r) {
    modalResult_ = r;
    if (modal_ && r != ModalResult::None) modalEndPending_ = true;
}

// Ends a modal run whose result was set: the close handler runs (unless Close
// already ran it) and may keep the window open; then the window hides.
void Form::FinishModal() {
    if (!modal_ || !modalEndPending_) return;
    modalEndPending_ = false;
    if (!closeRan_) {
        CloseAction action = CloseAction::Hide;
        closing_ = true;
        try {
            if (OnClose) OnClose(action);
        } catch (...) {
            // The flag is reset whatever the handler threw; the failure goes on.
            closing_ = false;
            throw;
        }
        closing_ = false;
        if (action == CloseAction::None) {
            modalResult_ = ModalResult::None;
            return;
        }
    }
    closeRan_ = false;
    modal_ = false;
    std::erase(app_.modalStack_, this);
    Hide();
    if (Backend* b = app_.GetBackend()) b->EndModal(*this);
}

ModalResult Form::ShowModal() {
    if (modal_) throw std::logic_error("window " + className_ + " is already shown modally");
    modal_ = true;
    modalEndPending_ = false;
    closeRan_ = false;
    modalResult_ = ModalResult::None;
    app_.modalStack_.push_back(this);
    struct Guard {
        Form& f;
        ~Guard() {
            std::erase(f.app_.modalStack_, &f);
            if (f.modal_) {
                f.modal_ = false;
                f.modalEndPending_ = false;
                f.closeRan_ = false;
                f.visible_ = false;
                f.focused_ = nullptr;
            }
        }
    } guard{*this};
    Show();
    if (modalEndPending_) detail::FinishPendingModals(app_);
    if (modal_) {
        if (Backend* b = app_.GetBackend()) {
            b->RunModal(*this);
        } else if (app_.modalHook_) {
            app_.modalHook_(*this);
        }
    }
    if (modal_) {
        // Headless, or the loop ended without a result: end it now.
        if (modalResult_ == ModalResult::None) modalResult_ = ModalResult::Cancel;
        modalEndPending_ = true;
        FinishModal();
        if (modal_) { // the close handler refused: nothing else can end it here
            modal_ = false;
            std::erase(app_.modalStack_, this);
            Hide();
        }
    }
    return modalResult_;
}

} // namespace ui
