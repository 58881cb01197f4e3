#include "platform/qt/Backend.h"

#include "platform/qt/FontMap.h"

#include <QApplication>
#include <cstdio>

namespace qtbackend {

namespace {
int gArgc = 1;
char gArgv0[] = "dorneval";
char* gArgv[] = {gArgv0, nullptr};
} // namespace

struct Session::Impl {
    ui::Application& app;
    Mode mode;
    std::unique_ptr<QApplication> qapp;
};

Session::Session(ui::Application& app, Mode mode) : impl_(std::make_unique<Impl>(Impl{app, mode, nullptr})) {
    if (!QApplication::instance()) impl_->qapp = std::make_unique<QApplication>(gArgc, gArgv);
    installFontSubstitutions();
}

Session::~Session() = default;

int Session::run() {
    std::fputs("The window model is not connected to Qt yet.\n", stderr);
    return 1;
}

bool Session::grab(ui::Form&, const std::string&) { return false; }

void Session::processEvents() { QApplication::processEvents(); }

int run(ui::Application& app) {
    Session session(app);
    return session.run();
}

} // namespace qtbackend
