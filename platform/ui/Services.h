#pragma once
// The services a window uses besides its own controls: message dialogs, the
// input query, open and save file dialogs, the print dialog, the clipboard
// and shell open. The Qt backend and the test harness install their own
// implementations (Application::SetServices); the defaults below serve a
// program without either.
//
// Windows call the free functions at the bottom, which reach the services of
// the current application.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

enum class DialogType { Plain, Warning, Error, Information, Confirmation };
enum class Buttons { OK, OKCancel, YesNo };
enum class Answer { None, OK, Cancel, Yes, No };

const char* DialogTypeName(DialogType t);

struct FileDialogRequest {
    std::string title;
    // Pairs of description and patterns: "Immagini JPEG|*.jpg;*.jpeg|Bitmap|*.bmp".
    std::string filter;
    int filterIndex = 1; // 1-based
    std::string initialDir;
    std::string fileName;
    std::string defaultExt; // without the dot
};

class Services {
public:
    virtual ~Services() = default;

    // A message box with its type and button set; texts keep their line
    // breaks exactly. Returns the button pressed (Cancel or No when dismissed).
    virtual Answer Message(DialogType type, const std::string& text, Buttons buttons);
    // Caption, prompt, value in and out; true when confirmed.
    virtual bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& r);
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& r);
    // The print dialog; the number of copies chosen, or nothing when cancelled.
    virtual std::optional<int> PrintDialog(int copies);
    // Puts a text on the clipboard; false when there is no clipboard.
    virtual bool SetClipboardText(const std::string& text);
    // Opens a document, a web address or a mail link with the desktop's
    // opener. When the desktop cannot open it (no opener, or the opener
    // reports a failure, such as no program for the file's type), `failed`
    // runs on the user-interface thread, at once or once the opener has
    // ended. The default runs xdg-open with the target as one argument and
    // tells only of an opener that cannot be started.
    virtual void ShellOpen(const std::string& target, const std::function<void()>& failed);
    // The wait cursor over every window while `on` (a file locked by another
    // workstation is being awaited); the default shows nothing.
    virtual void ShowWaitCursor(bool on);
};

// Runs "xdg-open <target>" through posix_spawnp, never through a shell, and
// does not wait for it: `ended` runs on a thread of its own when it ends,
// told whether it opened the target (it exited with 0). False, and `ended`
// never runs, when it could not be started.
bool SpawnOpener(const std::string& target, std::function<void(bool opened)> ended = {});

// A target wrapped in double quotes without them; anything else unchanged.
std::string StripQuotes(const std::string& target);

// --- What the windows call -------------------------------------------------

// A message box; a Yes/No question dismissed without an answer is No.
Answer MessageDlg(const std::string& text, DialogType type, Buttons buttons);
// The plain message box with one OK button.
void ShowMessage(const std::string& text);
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
std::optional<std::string> OpenFileDialog(const FileDialogRequest& r);
std::optional<std::string> SaveFileDialog(const FileDialogRequest& r);
std::optional<int> PrintDialog(int copies = 1);
bool SetClipboardText(const std::string& text);
// Removes surrounding double quotes, then opens; `failed` runs when the
// desktop could not open it (see Services::ShellOpen).
void ShellOpen(const std::string& target, const std::function<void()>& failed = {});

} // namespace ui
