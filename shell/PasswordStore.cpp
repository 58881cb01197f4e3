#include "shell/PasswordStore.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Ini.h"

std::string PasswordStorePath() {
    return rtl::DataPath("unins000.dll");
}

std::string ReadPasswordStore() {
    return rtl::IniFile(PasswordStorePath()).ReadString("Accesso", "Valore", "");
}

void WritePasswordStore(const std::string& value) {
    rtl::IniFile(PasswordStorePath()).WriteString("Accesso", "Valore", value);
}
