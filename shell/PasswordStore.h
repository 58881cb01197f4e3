#pragma once
// The password store "unins000.dll" in the data folder: an INI file whose
// section "Accesso", key "Valore", holds the scrambled password.
#include <string>

// The full path of the store.
std::string PasswordStorePath();
// The stored value, empty when the file, the section or the key is missing.
std::string ReadPasswordStore();
// Rewrites the value, keeping every other line of the store.
void WritePasswordStore(const std::string& value);
