// The program: every window of the system, created once in its fixed order,
// drawn by the Qt backend until the application is terminated.
#include "platform/qt/Backend.h"
#include "platform/ui/Application.h"
#include "shell/WindowSet.h"

int main() {
    ui::Application app;
    WindowSet windows(app);
    return qtbackend::Run(app);
}
