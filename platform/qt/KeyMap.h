#pragma once
// Translation of Qt key events into the Windows key codes and characters that
// the form model's key handlers receive.
#include <QString>
#include <Qt>

namespace qtbackend {

struct WinKey {
    int code = 0;    // Windows virtual key code, 0 when the key has none
    char32_t ch = 0; // the character the key types, 0 for none
};

// Maps one Qt key press: `key` is QKeyEvent::key(), `text` its text.
// Letters give 65-90 whatever the case, digits 48-57 (also on the keypad);
// printable keys carry their character (accented letters included), control
// keys carry none. A key that only types a character (punctuation, accented
// letters) gives code 0 with its character.
WinKey MapKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);

// The character typed by a text, when it is one printable character.
char32_t PrintableChar(const QString& text);

} // namespace qtbackend
