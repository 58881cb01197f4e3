#include "common/OpenURL.h"

#include "platform/ui/Services.h"

namespace {

// What the desktop could not open, as the message names it.
std::string MessaggioNonAperto(const std::string& cosa) {
    const bool collegamento =
        cosa.rfind("mailto:", 0) == 0 || cosa.rfind("http://", 0) == 0 || cosa.rfind("https://", 0) == 0;
    if (collegamento)
        return "Attenzione: nessun programma ha potuto aprire il collegamento \"" + cosa +
               "\".\n\r\n\rPer aprirlo è necessario un browser o un programma di posta elettronica.";
    return "Attenzione: nessun programma ha potuto aprire il file \"" + cosa +
           "\".\n\r\n\rPer aprirlo è necessario installare un programma adatto a questo tipo di file.";
}

} // namespace

void TMisc::Open(const std::string& sCommand) {
    ui::ShellOpen(sCommand, [cosa = ui::StripQuotes(sCommand)] {
        ui::MessageDlg(MessaggioNonAperto(cosa), ui::DialogType::Warning, ui::Buttons::OK);
    });
}

std::string PercentEncode(std::string_view text, std::string_view keep) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                     c == '.' || c == '_' || c == '~' ||
                     (c != 0 && keep.find(static_cast<char>(c)) != keep.npos);
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 0x0F];
        }
    }
    return out;
}

std::string MailLink(std::string_view address, std::string_view subject, std::string_view body) {
    std::string link = "mailto:" + PercentEncode(address, "@+");
    char sep = '?';
    if (!subject.empty()) {
        link += sep + std::string("subject=") + PercentEncode(subject);
        sep = '&';
    }
    if (!body.empty()) link += sep + std::string("body=") + PercentEncode(body);
    return link;
}
