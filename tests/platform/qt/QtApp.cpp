#include "tests/platform/qt/QtApp.h"

#include <cstdlib>

QApplication& QtApplication() {
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "qt_backend_test";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv); // lives until the program ends
    }();
    return *app;
}

// Qt and the libraries below it keep caches for the life of the process
// (the font configuration, the print system's printer descriptions), which
// the leak checker of sanitizer builds would report; our own allocations are
// still checked.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libcups.so\n";
}
