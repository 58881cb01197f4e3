#pragma once
// What the installation puts into the program's own folder, the data folder:
// the password store with the first-access password, and the manual.
#include <string>

namespace install {

// The password of the first access after an installation; the general help
// tells it to the user.
inline constexpr const char* FirstAccessPassword = "DORNEVAL";

// Writes the password store "unins000.dll" into the folder (given with its
// trailing "/") holding the scrambled first-access password, only when no
// store is there. Returns true when it wrote one.
bool InstallPasswordStore(const std::string& folder);

// Writes the manual "Guida.pdf" into the folder: every embedded help topic
// under its own heading, by work area in the order of the start menu, with a
// contents page and bookmarks (tools/install/ManualPdf.h). Throws
// std::runtime_error (rtl::FileError among them) when the file cannot be
// written.
void InstallManual(const std::string& folder);

} // namespace install
