#include "shell/PasswordStore.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Ini.h"

namespace {
constexpr const char* kSezione = "Accesso";
constexpr const char* kChiave = "Valore";

// The store must be there: the installation places it.
void RequireStore(const std::string& path) {
    if (!rtl::FileExists(path)) throw rtl::FileError("Il file \"" + path + "\" non esiste", path);
}
} // namespace

std::string PasswordStorePath() {
    return rtl::DataPath("unins000.dll");
}

std::string ReadPasswordStore() {
    const std::string path = PasswordStorePath();
    RequireStore(path);
    return rtl::IniFile(path).ReadString(kSezione, kChiave, "");
}

void ChangePasswordStore(const std::function<std::optional<std::string>(const std::string& stored)>& change) {
    const std::string path = PasswordStorePath();
    RequireStore(path);
    rtl::IniFile store(path);
    const rtl::IniFile::Update update(store);
    if (const std::optional<std::string> value = change(store.ReadString(kSezione, kChiave, "")))
        store.WriteString(kSezione, kChiave, *value);
}
