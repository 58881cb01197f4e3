#include "tools/install/Install.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "shell/Crypt.h"
#include "tools/install/Pdf.h"

namespace install {

bool InstallPasswordStore(const std::string& folder) {
    const std::string path = folder + "unins000.dll";
    // The store may hold the user's own password: an existing one stays.
    if (rtl::FileExists(path)) return false;
    rtl::WriteWholeFile(path, "[Accesso]\r\nValore=" + EncodePassword(FirstAccessPassword) + "\r\n");
    return true;
}

std::string BuildManual(const std::vector<HelpTopic>& topics) {
    pdf::TextDocument doc;
    for (const HelpTopic& t : topics) {
        doc.Heading(rtl::Utf8ToCp1252(t.title));
        for (const std::string& p : t.paragraphs) doc.Paragraph(rtl::Utf8ToCp1252(p));
    }
    return doc.Write();
}

void InstallManual(const std::string& folder) {
    rtl::WriteWholeFile(folder + "Guida.pdf", BuildManual(AllHelpTopics()));
}

} // namespace install
