// The installation: places into the program's own folder (created when
// missing) what the installation supplies: the password store, only when
// there is none, the manual and the icon; then the desktop entry that starts
// the program from that folder. Run by ./run.sh; never touches data files.
//
//   dorneval_install <program folder>
#include "tools/install/Install.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>

int main(int argc, char** argv) {
    if (argc != 2 || !*argv[1]) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    std::string folder;
    try {
        folder = std::filesystem::absolute(argv[1]).lexically_normal().string();
        if (folder.back() != '/') folder += '/';
        std::filesystem::create_directories(folder);
        install::InstallPasswordStore(folder);
        install::InstallManual(folder);
        install::InstallIcon(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dorneval_install: %s\n", e.what());
        return 1;
    }
    // The program is installed: a desktop without its entry is no reason to
    // stop, the program still starts from its folder.
    const std::string applications = install::ApplicationsFolder();
    try {
        if (applications.empty()) throw std::runtime_error("neither XDG_DATA_HOME nor HOME is set");
        install::InstallDesktopEntry(folder, applications);
        std::printf("Desktop menu entry: %sdorneval.desktop\n", applications.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dorneval_install: no entry in the desktop's menu: %s\n", e.what());
    }
    return 0;
}
