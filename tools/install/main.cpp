// Build step: places into the program's folder what the installation
// supplies (the password store, only when missing, and the manual).
#include "tools/install/Install.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '/') folder += '/';
    try {
        install::InstallPasswordStore(folder);
        install::InstallManual(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dorneval_install: %s\n", e.what());
        return 1;
    }
    return 0;
}
