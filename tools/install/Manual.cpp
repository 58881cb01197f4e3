// The manual, written through the Qt backend's PDF support.
#include <stdexcept>

#include "common/HelpText.h"
#include "platform/qt/TextPdf.h"
#include "tools/install/Install.h"

namespace install {

void InstallManual(const std::string& folder) {
    std::vector<qtbackend::TextSection> sections;
    for (const HelpTopic& t : AllHelpTopics())
        sections.push_back({t.title, t.paragraphs});
    if (!qtbackend::writeSectionsPdf("Guida di Dorneval", sections, folder + "Guida.pdf"))
        throw std::runtime_error("cannot write " + folder + "Guida.pdf");
}

} // namespace install
