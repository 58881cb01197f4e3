#pragma once
// What the installation puts into the data folder beside the program: the
// password store with the first-access password, and the manual.
#include <string>

#include "shell/HelpText.h"

namespace install {

// The password of the first access after an installation; the general help
// tells it to the user.
inline constexpr const char* FirstAccessPassword = "DORNEVAL";

// Writes the password store "unins000.dll" into the folder (given with its
// trailing "/") holding the scrambled first-access password, only when no
// store is there. Returns true when it wrote one.
bool InstallPasswordStore(const std::string& folder);

// The manual: every help topic, title and paragraphs, as a PDF document.
std::string BuildManual(const std::vector<HelpTopic>& topics);

// Writes "Guida.pdf" into the folder from every embedded help topic.
void InstallManual(const std::string& folder);

} // namespace install
