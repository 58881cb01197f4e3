// The installation: places into the program's own folder (created when
// missing) what the installation supplies: the password store, only when
// there is none, and the manual. Run by ./run.sh; never touches data files.
//
//   dorneval_install <program folder>
#include "tools/install/Install.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '/') folder += '/';
    try {
        std::filesystem::create_directories(folder);
        install::InstallPasswordStore(folder);
        install::InstallManual(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dorneval_install: %s\n", e.what());
        return 1;
    }
    return 0;
}
