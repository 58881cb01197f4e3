#pragma once
// The dialogs, clipboard and print dialog of the model as real Qt dialogs.
#include "platform/ui/Services.h"

#include <QString>

#include <memory>

class QFileDialog;
class QWidget;

namespace qtbackend {

class PrintSetup;

// Texts of the model keep their stored line breaks (CR LF, LF CR, LF); a
// dialog shows each of them as one line break.
QString DialogText(const std::string& text);

// The Qt file dialog filter for a model filter
// ("Immagini JPEG|*.jpg;*.jpeg|Bitmap|*.bmp").
QString FileFilter(const std::string& filter);

// Prepares Qt's own file dialog (not the desktop's) for a request: title,
// filters (each description shown as the program wrote it, the patterns once),
// folder, file name, default extension and Italian buttons, sizes and dates;
// the dialog is large enough, and its columns wide enough, to read whole.
void SetUpFileDialog(QFileDialog& dialog, const ui::FileDialogRequest& r, bool save);

class QtServices : public ui::Services {
public:
    // Unattended: every dialog is answered at once without being shown
    // (OK, No, Cancel, nothing chosen), for the screenshot tool and tests.
    QtServices(PrintSetup& print, bool unattended);
    ~QtServices() override;

    ui::Answer Message(ui::DialogType type, const std::string& text, ui::Buttons buttons) override;
    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
    std::optional<std::string> OpenFile(const ui::FileDialogRequest& r) override;
    std::optional<std::string> SaveFile(const ui::FileDialogRequest& r) override;
    std::optional<int> PrintDialog(int copies) override;
    bool SetClipboardText(const std::string& text) override;
    // An opener that fails tells it through the event loop, once it has
    // ended. Unattended, nothing is opened: no browser or viewer starts
    // behind a test.
    void ShellOpen(const std::string& target, const std::function<void()>& failed) override;
    void ShowWaitCursor(bool on) override;

private:
    std::optional<std::string> FileDialog(const ui::FileDialogRequest& r, bool save);
    PrintSetup& print_;
    bool unattended_;
    // What the thread of an opener that failed reaches: the object its
    // report is queued to, while these services live.
    struct Openers;
    std::shared_ptr<Openers> openers_;
};

// The window dialogs are centred on: the active window of the program.
QWidget* DialogParent();

} // namespace qtbackend
