#include "platform/ui/Services.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include <iostream>
#include <thread>

#include "platform/ui/Application.h"

extern char** environ;

namespace ui {

const char* DialogTypeName(DialogType t) {
    switch (t) {
    case DialogType::Plain:
        return "message";
    case DialogType::Warning:
        return "warning";
    case DialogType::Error:
        return "error";
    case DialogType::Information:
        return "information";
    case DialogType::Confirmation:
        return "confirmation";
    }
    return "?";
}

// Without a backend nobody can answer: the text goes to the error stream and
// the answer is the one that changes nothing.
Answer Services::Message(DialogType type, const std::string& text, Buttons buttons) {
    std::cerr << "[" << DialogTypeName(type) << "] " << text << "\n";
    switch (buttons) {
    case Buttons::OK:
        return Answer::OK;
    case Buttons::OKCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    }
    return Answer::None;
}

bool Services::InputQuery(const std::string&, const std::string&, std::string&) {
    return false;
}
std::optional<std::string> Services::OpenFile(const FileDialogRequest&) {
    return std::nullopt;
}
std::optional<std::string> Services::SaveFile(const FileDialogRequest&) {
    return std::nullopt;
}
std::optional<int> Services::PrintDialog(int) {
    return std::nullopt;
}
bool Services::SetClipboardText(const std::string&) {
    return false;
}
void Services::ShellOpen(const std::string& target, const std::function<void()>& failed) {
    if (!SpawnOpener(target) && failed) failed();
}
void Services::ShowWaitCursor(bool) {}

bool SpawnOpener(const std::string& target, std::function<void(bool opened)> ended) {
    std::string prog = "xdg-open";
    std::string arg = target;
    char* argv[] = {prog.data(), arg.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
    // Reaped in the background so that no zombie stays behind.
    std::thread([pid, ended = std::move(ended)] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (ended) ended(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }).detach();
    return true;
}

std::string StripQuotes(const std::string& target) {
    if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
        return target.substr(1, target.size() - 2);
    return target;
}

static Services& Svc() {
    return Application::Current().GetServices();
}

Answer MessageDlg(const std::string& text, DialogType type, Buttons buttons) {
    Answer a = Svc().Message(type, text, buttons);
    switch (buttons) {
    case Buttons::OK:
        return Answer::OK;
    case Buttons::OKCancel:
        return a == Answer::OK ? Answer::OK : Answer::Cancel;
    case Buttons::YesNo:
        return a == Answer::Yes ? Answer::Yes : Answer::No; // Escape or close box: No
    }
    return a;
}

void ShowMessage(const std::string& text) {
    Svc().Message(DialogType::Plain, text, Buttons::OK);
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    std::string v = value;
    if (!Svc().InputQuery(caption, prompt, v)) return false;
    value = v;
    return true;
}

std::optional<std::string> OpenFileDialog(const FileDialogRequest& r) {
    return Svc().OpenFile(r);
}
std::optional<std::string> SaveFileDialog(const FileDialogRequest& r) {
    return Svc().SaveFile(r);
}
std::optional<int> PrintDialog(int copies) {
    return Svc().PrintDialog(copies);
}
bool SetClipboardText(const std::string& text) {
    return Svc().SetClipboardText(text);
}
void ShellOpen(const std::string& target, const std::function<void()>& failed) {
    Svc().ShellOpen(StripQuotes(target), failed);
}

} // namespace ui
