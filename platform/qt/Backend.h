#pragma once
// Entry points of the Qt backend. This header includes no Qt header, so the
// program's main and the screenshot tool can use it without Qt.
#include <memory>
#include <string>

#include "platform/report/Page.h"

namespace ui {
class Application;
class Form;
} // namespace ui

namespace qtbackend {

// How the Qt services behave: Interactive shows real dialogs; Unattended
// (the screenshot tool) answers every dialog at once without showing it.
enum class Mode { Interactive, Unattended };

// A Qt session for one application model: creates the Qt application object,
// installs the Qt services (dialogs, clipboard, printing) into the model and a
// real window for every form of the model, both ways.
class Session {
public:
    explicit Session(ui::Application& app, Mode mode = Mode::Interactive);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Shows the main window and runs the event loop until the application is
    // terminated or no window is visible any more. Returns the exit code.
    int Run();

    // Renders the window of a form as it is on screen now into a PNG file.
    // Returns false when the picture cannot be written.
    bool Grab(ui::Form& form, const std::string& pngPath);

    // Lets Qt deliver pending events (paints, posted events).
    void ProcessEvents();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The program's entry: a Session in interactive mode and its run().
int Run(ui::Application& app);

// Writes a prepared report as a PDF file; false when it cannot be written.
bool WritePdf(const report::Document& document, const std::string& path);

} // namespace qtbackend
