#pragma once
// A window. Window classes derive from Form, load their layout in the base
// constructor and then take their controls as members from the struct that
// the build generates from the layout (cmake/Controls.cmake):
//
//   TfrmPassword::TfrmPassword(ui::Application& app)
//       : ui::Form(app, nullptr, "shell/Password.layout"), controls::Password(this) {
//       OnShow = [this] { FormShow(); };
//       cmdOK.OnClick = [this] { cmdOKClick(); };
//   }
//
// Get<T>(name) finds a control whose name is computed (a table, a loop).
//
// A per-use window is created with its caller as owner and destroyed when it
// returns: auto w = std::make_unique<TfrmGuida>(app, this); w->ShowModal();
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/LayoutSyntax.h"
#include "platform/ui/Types.h"

namespace ui {

class Application;
class Form;
namespace detail {
void FinishPendingModals(Application& app);
}
namespace input {
bool Resize(Form& f, int clientWidth, int clientHeight);
}

enum class BorderStyle { None, Single, Sizeable };
enum class WindowState { Normal, Maximized };
enum class FormPosition { Default, ScreenCenter, OwnerFormCenter, MainFormCenter };

class Form {
public:
    // Creates an empty window; the window class adds its controls (usually
    // by loading a layout). The application lists it from now on.
    Form(Application& app, Form* owner = nullptr);
    // Creates the window and loads the embedded layout resource
    // (e.g. "shell/Password.layout"); throws LayoutError when it is missing
    // or malformed.
    Form(Application& app, Form* owner, std::string_view layoutResource);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Application& App() const { return app_; }
    Form* Owner() const { return owner_; }
    // The window class name, from the layout ("TfrmPassword").
    const std::string& ClassName() const { return className_; }
    void SetClassName(const std::string& n) { className_ = n; }

    // Kept exactly as given, leading blank included.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);

    // The client area: the design size from the layout until the real window
    // reports its own (input::Resize: maximised, or resized by the user).
    // A change places the docked controls again and runs OnResize. In a
    // maximised window the controls that are not docked keep their design
    // area centred, as one block, in the larger client area.
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    void SetClientSize(int w, int h);
    // Outer size: the client area plus the frame of the border style.
    int Width() const;
    int Height() const;
    void SetSize(int w, int h);
    int Left() const { return left_; }
    int Top() const { return top_; }
    void SetPosition(int left, int top);

    BorderStyle GetBorderStyle() const { return border_; }
    void SetBorderStyle(BorderStyle b);
    // Whether the title bar offers the close box (and the other icons).
    bool CloseBox() const { return closeBox_; }
    void SetCloseBox(bool c);
    WindowState GetWindowState() const { return state_; }
    void SetWindowState(WindowState s);
    FormPosition Position() const { return position_; }
    void SetFormPosition(FormPosition p);

    const Brush& Fill() const { return fill_; }
    void SetFill(const Brush& b);
    // Default font of the window.
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& f);

    // Controls, in creation order.
    const std::vector<Control*>& Controls() const { return all_; }
    // Top-level controls (those without a parent control).
    const std::vector<Control*>& Children() const { return roots_; }
    Control* FindControl(std::string_view name) const;
    // The control of that name and kind; throws LayoutError naming the
    // window, the control and the kind asked for when there is none.
    template <class T> T& Get(std::string_view name) const {
        static_assert(std::is_base_of_v<Control, T>);
        Control* c = FindControl(name);
        T* t = dynamic_cast<T*>(c);
        if (!t) MissingControl(name, c, typeid(T).name());
        return *t;
    }
    // Adds a control in code. The parent belongs to this window or is null.
    template <class T, class... Args> T& Add(std::string name, Control* parent = nullptr, Args&&... args) {
        auto owned = std::make_unique<T>(*this, parent, std::move(name), std::forward<Args>(args)...);
        T& ref = *owned;
        Adopt(std::move(owned));
        return ref;
    }

    // Showing. Show and Hide never run modally; ShowModal returns when the
    // window's modal result is set (a button with a modal result, Close, or
    // SetModalResult). Headless, ShowModal runs the application's modal hook.
    bool Visible() const { return visible_; }
    void Show();
    void Hide();
    // Runs the close handler; then hides the window (ending its modal run
    // with its modal result, Cancel if none), or terminates the application
    // when it is the main window.
    void Close();
    ModalResult ShowModal();
    bool IsModal() const { return modal_; }
    ModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(ModalResult r);

    // The control holding the focus inside this window, or null.
    Control* Focused() const { return focused_; }
    // Focusable, visible and enabled controls in Tab order.
    std::vector<Control*> TabSequence() const;

    // What Enter and Escape press (platform/ui/Input.h): the first control
    // marked default, or cancel, that is showing and enabled; null for none.
    // A window may mark several, one per panel it shows in turn.
    Control* DefaultCommand() const;
    Control* CancelCommand() const;

    Notify OnShow;
    Notify OnHide;
    Notify OnResize; // the client size changed
    std::function<void(CloseAction&)> OnClose;
    MouseHandler OnMouseMove; // over the background
    KeyHandler OnKeyDown;     // keys that no control holds the focus for

private:
    friend class Control;
    friend class Application;
    friend void detail::FinishPendingModals(Application& app);
    friend bool input::Resize(Form& f, int clientWidth, int clientHeight);
    void ClientResized(int w, int h);
    [[noreturn]] void MissingControl(std::string_view name, Control* found, const char* wanted) const;
    void Adopt(std::unique_ptr<Control> c);
    void MoveFocus(Control* to);
    void FinishModal();
    void Changed();

    Application& app_;
    Form* owner_;
    std::string className_;
    std::string caption_;
    int clientWidth_ = 640, clientHeight_ = 480;
    int designWidth_ = 640, designHeight_ = 480; // as set by the layout or code
    int shiftX_ = 0, shiftY_ = 0;                // how far the design area lies from the corner
    int left_ = 0, top_ = 0;
    BorderStyle border_ = BorderStyle::Sizeable;
    bool closeBox_ = true;
    WindowState state_ = WindowState::Normal;
    FormPosition position_ = FormPosition::Default;
    Brush fill_ = Brush::Solid(colors::White);
    Font font_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> all_;
    std::vector<Control*> roots_;
    std::map<std::string, Control*, std::less<>> byName_; // windows with a thousand controls exist
    bool visible_ = false;
    bool shownOnce_ = false;
    bool modal_ = false;
    bool modalEndPending_ = false;
    bool closing_ = false;
    bool closeRan_ = false; // Close ran the close handler of the ending modal run
    ModalResult modalResult_ = ModalResult::None;
    Control* focused_ = nullptr;
    bool mouseFocus_ = false; // the focus moves by a mouse press: the caret goes where clicked
};

} // namespace ui
