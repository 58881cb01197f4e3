#include "tools/install/Install.h"

#include <stdexcept>

#include "platform/qt/TextPdf.h"
#include "platform/rtl/Files.h"
#include "shell/Crypt.h"
#include "shell/HelpText.h"

namespace install {

bool InstallPasswordStore(const std::string& folder) {
    const std::string path = folder + "unins000.dll";
    // The store may hold the user's own password: an existing one stays.
    if (rtl::FileExists(path)) return false;
    rtl::WriteWholeFile(path, "[Accesso]\r\nValore=" + EncodePassword(FirstAccessPassword) + "\r\n");
    return true;
}

void InstallManual(const std::string& folder) {
    std::vector<qtbackend::TextSection> sections;
    for (const HelpTopic& t : AllHelpTopics()) sections.push_back({t.title, t.paragraphs});
    if (!qtbackend::writeSectionsPdf("Guida di Dorneval", sections, folder + "Guida.pdf"))
        throw std::runtime_error("cannot write " + folder + "Guida.pdf");
}

} // namespace install
