#pragma once
// The password store "unins000.dll" in the data folder: an INI file whose
// section "Accesso", key "Valore", holds the scrambled password. A store that
// is not a regular file (a FIFO, a folder) raises rtl::FileError at once.
#include <functional>
#include <optional>
#include <string>

// The full path of the store.
std::string PasswordStorePath();
// The stored value, empty when the section or the key is missing. A store
// that is missing (or lies on a share that is not mounted) raises
// rtl::FileError, as an unreadable one does: it is no store without a
// password, and nobody is let in.
std::string ReadPasswordStore();
// A change of the stored value as one step: `change` receives the value read
// and returns the value to write (every other line of the store is kept), or
// nothing to leave the store as it is. A missing store raises
// rtl::FileError and is never created. The store stays locked from the read
// to the write, so that a password changed meanwhile at another workstation
// is never overwritten by a change checked against the old one.
void ChangePasswordStore(const std::function<std::optional<std::string>(const std::string& stored)>& change);
