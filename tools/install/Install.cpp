#include "tools/install/Install.h"

#include "platform/rtl/Files.h"
#include "shell/Crypt.h"

namespace install {

bool InstallPasswordStore(const std::string& folder) {
    const std::string path = folder + "unins000.dll";
    // The store may hold the user's own password: an existing one stays.
    if (rtl::FileExists(path)) return false;
    rtl::WriteWholeFile(path, "[Accesso]\r\nValore=" + EncodePassword(FirstAccessPassword) + "\r\n");
    return true;
}

} // namespace install
