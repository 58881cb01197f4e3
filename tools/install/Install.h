#pragma once
// What the installation puts into the program's own folder, the data folder:
// the password store with the first-access password, the manual and the
// program's icon; and the desktop entry that shows the program in the
// desktop's menu.
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

// Writes the program's icon "dorneval.png" (the picture of the about window)
// into the folder, replacing an older one.
void InstallIcon(const std::string& folder);

// The user's applications folder of the desktop's menu, with its trailing
// "/": $XDG_DATA_HOME/applications/, or ~/.local/share/applications/ without
// it; empty when neither XDG_DATA_HOME nor HOME is set.
std::string ApplicationsFolder();

// Writes the desktop entry "dorneval.desktop" into `applications` (created
// when missing): Dorneval in the desktop's menu with its icon, started as
// the program of `folder` (an absolute path with its trailing "/") in that
// folder. There is one entry whatever folder it names, so installing again,
// into the same folder or another, replaces it. Throws std::runtime_error
// when the folder's path cannot stand in an entry (it is not UTF-8 or holds a
// control character) or the entry cannot be written.
void InstallDesktopEntry(const std::string& folder, const std::string& applications);

} // namespace install
