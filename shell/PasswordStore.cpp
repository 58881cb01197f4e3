#include "shell/PasswordStore.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Ini.h"

namespace {
constexpr const char* kSezione = "Accesso";
constexpr const char* kChiave = "Valore";
} // namespace

std::string PasswordStorePath() {
    return rtl::DataPath("unins000.dll");
}

std::string ReadPasswordStore() {
    return rtl::IniFile(PasswordStorePath()).ReadString(kSezione, kChiave, "");
}

void ChangePasswordStore(const std::function<std::optional<std::string>(const std::string& stored)>& change) {
    rtl::IniFile store(PasswordStorePath());
    const rtl::IniFile::Update update(store);
    if (const std::optional<std::string> value = change(store.ReadString(kSezione, kChiave, "")))
        store.WriteString(kSezione, kChiave, *value);
}
