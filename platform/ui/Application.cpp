#include "platform/ui/Application.h"

#include <algorithm>
#include <stdexcept>

#include "platform/rtl/Files.h"
#include "platform/ui/Input.h"
#include "platform/ui/Internal.h"

namespace ui {

namespace {
Application* g_current = nullptr;
}

Application::Application() : defaultServices_(std::make_unique<Services>()), previous_(g_current) {
    g_current = this;
    // A file that another workstation holds locked is awaited with the wait
    // cursor showing.
    rtl::SetLockWaitNotice([](bool waiting) {
        if (Exists()) Current().GetServices().ShowWaitCursor(waiting);
    });
}

Application::~Application() {
    if (g_current == this) g_current = previous_;
}

bool Application::Exists() {
    return g_current != nullptr;
}

Application& Application::Current() {
    if (!g_current) throw std::logic_error("no application object");
    return *g_current;
}

void Application::Register(Form& f) {
    forms_.push_back(&f);
    if (forms_.size() == 1) mainForm_ = &f;
    if (backend_) backend_->FormCreated(f);
}

void Application::Unregister(Form& f) {
    auto it = std::find(forms_.begin(), forms_.end(), &f);
    if (it == forms_.end()) return;
    if (backend_) backend_->FormDestroyed(f);
    forms_.erase(it);
    std::erase(modalStack_, &f);
    if (mainForm_ == &f) mainForm_ = nullptr;
}

bool Application::TakesInput(const Form& f) const {
    return f.Visible() && (modalStack_.empty() || modalStack_.back() == &f);
}

void Application::AddTimer(Timer& t) {
    timers_.push_back(&t);
}

void Application::RemoveTimer(Timer& t) {
    std::erase(timers_, &t);
}

void Application::Run() {
    terminated_ = false;
    if (Form* main = MainForm()) {
        detail::Dispatch(*this, [&] {
            main->Show();
            return true;
        });
    }
    if (backend_ && !terminated_) backend_->Run(*this);
}

void Application::Terminate() {
    terminated_ = true;
    if (backend_) backend_->Terminate();
}

void Application::ShowException(const std::exception_ptr& e) {
    std::string text;
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        text = ex.what();
    } catch (...) {
        // Not a standard exception: shown all the same, without a text of its own.
        text = "Errore sconosciuto.";
    }
    GetServices().Message(DialogType::Error, text, Buttons::OK);
}

void Application::AdvanceTime(long long ms) {
    const long long target = now_ + std::max(0LL, ms);
    for (;;) {
        Timer* next = nullptr;
        for (Timer* t : timers_) {
            if (!t->Enabled() || t->Interval() <= 0 || t->due_ > target) continue;
            if (!next || t->due_ < next->due_) next = t;
        }
        if (!next) break;
        now_ = std::max(now_, next->due_);
        next->due_ += next->Interval();
        input::TimerTick(*next);
    }
    now_ = target;
}

void detail::FinishPendingModals(Application& app) {
    // Innermost windows last created first: a modal run ended inside another
    // ends before its caller's.
    for (bool again = true; again;) {
        again = false;
        const auto& forms = app.Forms();
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
            Form* f = *it;
            if (f->modal_ && f->modalEndPending_) {
                f->FinishModal();
                again = true;
                break;
            }
        }
    }
}

} // namespace ui
