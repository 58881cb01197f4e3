#include "tools/install/Install.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/Text.h"
#include "shell/Crypt.h"

#include <cstdlib>
#include <stdexcept>

namespace install {

bool InstallPasswordStore(const std::string& folder) {
    const std::string path = folder + "unins000.dll";
    // The store may hold the user's own password: an existing one stays.
    if (rtl::FileExists(path)) return false;
    rtl::WriteWholeFile(path, "[Accesso]\r\nValore=" + EncodePassword(FirstAccessPassword) + "\r\n");
    return true;
}

namespace {

// The program's icon, embedded with the about window.
constexpr std::string_view IconResource = "shell/Info.png";

// Whether a text is UTF-8 without control characters: what a desktop entry
// can hold as a path.
bool FitsAnEntry(const std::string& s) {
    for (std::size_t pos = 0; pos < s.size();) {
        const char32_t c = rtl::Utf8Next(s, pos);
        if (c == 0xFFFD || c < 0x20 || (c >= 0x7F && c < 0xA0)) return false; // malformed or a control
    }
    return true;
}

// A value of the entry's string type: a backslash is written twice.
std::string EntryString(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out;
}

// The program as the one argument of the Exec key: in double quotes, with
// the characters that quotes do not protect escaped, "%" (a field code)
// doubled, then written as a string value.
std::string ExecArgument(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return EntryString(quoted + '"');
}

} // namespace

void InstallIcon(const std::string& folder) {
    const auto icon = res::Find(IconResource);
    if (!icon) throw std::runtime_error("the program's icon is missing: " + std::string(IconResource));
    rtl::WriteWholeFile(folder + "dorneval.png", *icon);
}

std::string ApplicationsFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data == '/') return std::string(data) + "/applications/";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.local/share/applications/";
    return {};
}

void InstallDesktopEntry(const std::string& folder, const std::string& applications) {
    if (!FitsAnEntry(folder))
        throw std::runtime_error("the folder's name cannot stand in a desktop entry: " + folder);
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Dorneval\n"
                        "GenericName=Gestione parco automezzi\n"
                        "Comment=Parco automezzi, scadenze, planner, conduttori, fogli di marcia e registro "
                        "visitatori\n";
    entry += "Exec=" + ExecArgument(folder + "dorneval") + "\n";
    entry += "Path=" + EntryString(folder) + "\n";
    entry += "Icon=" + EntryString(folder + "dorneval.png") + "\n";
    entry += "Terminal=false\n"
             "Categories=Office;\n";
    rtl::CreateFolders(applications);
    rtl::WriteWholeFile(applications + "dorneval.desktop", entry);
}

} // namespace install
