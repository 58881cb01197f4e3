#pragma once
// The application object: the windows in creation order (the first one is
// the main window), the run, termination, the installed services, the
// backend that draws the model (null when headless) and headless time.
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/Services.h"

namespace ui {

// Told by the model about everything a real window must follow. The Qt
// backend implements it; what the user does reaches the model through
// platform/ui/Input.h. All calls happen on the user-interface thread.
//
// A form is announced by FormCreated while it is still empty (the window
// class is being constructed); its controls follow one by one through
// ControlCreated. FormDestroyed comes while its controls still exist. Build real windows lazily, at the first
// FormShown. RunModal must return when the model calls EndModal for that form (which it does from inside an
// input:: call); the model then finishes the modal run.
class Backend {
public:
    virtual ~Backend() = default;
    virtual void FormCreated(Form&) {}
    virtual void FormDestroyed(Form&) {}
    virtual void ControlCreated(Control&) {}
    virtual void FormShown(Form&) {}
    virtual void FormHidden(Form&) {}
    // Caption, size, border, position, fill or font of the form.
    virtual void FormChanged(Form&) {}
    virtual void PropertyChanged(Control&, Property) {}
    virtual void FocusChanged(Form&, Control* /*now focused, or null*/) {}
    // Runs a nested loop until EndModal(form) is called.
    virtual void RunModal(Form& form) = 0;
    virtual void EndModal(Form& form) = 0;
    // Runs the main loop until Terminate().
    virtual void Run(Application& app) = 0;
    virtual void Terminate() = 0;
};

// Windows must be destroyed before the application object that lists them.
class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application of the program (the last one created and still alive).
    static Application& Current();
    // Whether one is alive (work that arrives late, from another thread).
    static bool Exists();

    // Windows in creation order; the first one created is the main window.
    const std::vector<Form*>& Forms() const { return forms_; }
    Form* MainForm() const { return forms_.empty() ? nullptr : mainForm_; }

    // Shows the main window and, with a backend, runs its loop until
    // Terminate; headless it returns once the main window is shown.
    void Run();
    // Ends the run once the current handler has returned. Close handlers
    // are not run.
    void Terminate();
    bool Terminated() const { return terminated_; }

    void SetBackend(Backend* b) { backend_ = b; }
    Backend* GetBackend() const { return backend_; }

    // The services in use: those installed by the backend or the test
    // harness, otherwise the defaults of Services.
    Services& GetServices() const { return services_ ? *services_ : *defaultServices_; }
    void SetServices(Services* s) { services_ = s; }

    // Headless modal run: called by Form::ShowModal when there is no backend.
    // The hook drives the window and leaves a modal result in it. Without a
    // hook ShowModal returns Cancel.
    using ModalHook = std::function<void(Form&)>;
    void SetModalHook(ModalHook h) { modalHook_ = std::move(h); }
    // The innermost window in a modal run, or null. While there is one, only
    // that window takes what the user does.
    Form* ActiveModal() const { return modalStack_.empty() ? nullptr : modalStack_.back(); }
    // Whether a user can reach the window now: shown, and no other window
    // in a modal run above it.
    bool TakesInput(const Form& f) const;

    // The size of the screen, in pixels; the backend sets the real one.
    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }
    void SetScreenSize(int w, int h) {
        screenWidth_ = w;
        screenHeight_ = h;
    }

    // Shows the standard error box for an exception that escaped a handler.
    void ShowException(const std::exception_ptr& e);

    // Headless time, in milliseconds: every enabled timer ticks as many times
    // as fall due, in order of due time.
    void AdvanceTime(long long ms);
    long long Now() const { return now_; }

private:
    friend class Form;
    friend class Timer;
    friend struct AppAccess;
    void Register(Form& f);
    void Unregister(Form& f);
    void AddTimer(Timer& t);
    void RemoveTimer(Timer& t);

    std::vector<Form*> forms_;
    Form* mainForm_ = nullptr;
    std::vector<Timer*> timers_;
    Backend* backend_ = nullptr;
    Services* services_ = nullptr;
    std::unique_ptr<Services> defaultServices_;
    ModalHook modalHook_;
    std::vector<Form*> modalStack_;
    bool terminated_ = false;
    int screenWidth_ = 1920, screenHeight_ = 1080;
    long long now_ = 0;
    Application* previous_ = nullptr;
};

} // namespace ui
