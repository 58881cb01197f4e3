// The screenshot tool: creates every window class of the program on the
// offscreen platform, shows each as a user first sees it and writes one PNG
// per class, named after it (TfrmPassword.png ...), into the folder given.
// It also reports controls cut off by their window or overlapping another.
//
//   screenshots <output folder>
#include "platform/qt/Backend.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Internal.h"
#include "shell/WindowSet.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Rect {
    int l, t, r, b;
};

Rect RectOf(const ui::Control& c) {
    return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
}

// Controls that show text or take input; decoration (rectangles, panels,
// pictures) may lie under them by design.
bool IsContent(const ui::Control& c) {
    switch (c.Kind()) {
    case ui::ControlKind::Label:
    case ui::ControlKind::Edit:
    case ui::ControlKind::Button:
    case ui::ControlKind::ListBox:
    case ui::ControlKind::ComboEdit:
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::Calendar:
    case ui::ControlKind::Memo:
    case ui::ControlKind::StringGrid:
        return true;
    default:
        return false;
    }
}

// Warnings about the layout of a shown window; returns how many.
int CheckLayout(const ui::Form& form) {
    int warnings = 0;
    const std::string& name = form.ClassName();
    for (const ui::Control* c : form.Controls()) {
        if (!c->IsShowing() || c->Kind() == ui::ControlKind::Timer) continue;
        const Rect r = RectOf(*c);
        const int w = c->Parent() ? c->Parent()->Width() : form.ClientWidth();
        const int h = c->Parent() ? c->Parent()->Height() : form.ClientHeight();
        if (r.l < 0 || r.t < 0 || r.r > w || r.b > h) {
            std::fprintf(stderr, "%s: %s is cut off (%d,%d %dx%d in %dx%d)\n", name.c_str(),
                         c->Name().c_str(), r.l, r.t, c->Width(), c->Height(), w, h);
            ++warnings;
        }
    }
    const auto& all = form.Controls();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const ui::Control* a = all[i];
        if (!a->IsShowing() || !IsContent(*a)) continue;
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const ui::Control* b = all[j];
            if (!b->IsShowing() || !IsContent(*b) || a->Parent() != b->Parent()) continue;
            const Rect ra = RectOf(*a), rb = RectOf(*b);
            if (ra.l < rb.r && rb.l < ra.r && ra.t < rb.b && rb.t < ra.b) {
                std::fprintf(stderr, "%s: %s overlaps %s\n", name.c_str(), a->Name().c_str(),
                             b->Name().c_str());
                ++warnings;
            }
        }
    }
    return warnings;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: screenshots <output folder>\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "Cannot create %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The windows read and write their files in an empty folder of their own,
    // never in the data of an installation.
    const std::filesystem::path data =
        std::filesystem::temp_directory_path() / ("dorneval-screenshots-" + std::to_string(getpid()));
    std::filesystem::create_directories(data, ec);
    rtl::SetDataFolderForTesting(data.string());

    int written = 0, failed = 0, warnings = 0;
    {
        ui::Application app;
        WindowSet windows(app);
        qtbackend::Session session(app, qtbackend::Mode::Unattended);
        const std::vector<ui::Form*> forms = app.Forms();
        for (ui::Form* form : forms) {
            std::string name = form->ClassName();
            if (name.empty()) continue;
            ui::detail::Dispatch(app, [&] {
                form->Show();
                return true;
            });
            session.ProcessEvents();
            if (session.Grab(*form, (out / (name + ".png")).string()))
                ++written;
            else {
                std::fprintf(stderr, "%s: the picture could not be written\n", name.c_str());
                ++failed;
            }
            warnings += CheckLayout(*form);
            ui::detail::Dispatch(app, [&] {
                form->Hide();
                return true;
            });
        }
    }
    rtl::ResetDataFolder();
    std::filesystem::remove_all(data, ec);
    std::printf("%d windows written to %s, %d layout warnings\n", written, out.c_str(), warnings);
    return failed ? 1 : 0;
}
