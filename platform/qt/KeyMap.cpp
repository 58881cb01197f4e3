#include "platform/qt/KeyMap.h"

#include <QList>

namespace qtbackend {

char32_t PrintableChar(const QString& text) {
    const auto ucs4 = text.toUcs4();
    if (ucs4.size() != 1) return 0;
    const char32_t c = ucs4[0];
    if (c < 32 || (c >= 127 && c < 160)) return 0; // control characters
    return c;
}

WinKey MapKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    (void)modifiers;
    switch (key) {
    case Qt::Key_Backspace:
        return {8, 0};
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return {9, 0};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {13, 0};
    case Qt::Key_Shift:
        return {16, 0};
    case Qt::Key_Control:
        return {17, 0};
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return {18, 0};
    case Qt::Key_Pause:
        return {19, 0};
    case Qt::Key_CapsLock:
        return {20, 0};
    case Qt::Key_Escape:
        return {27, 0};
    case Qt::Key_Space:
        return {32, U' '};
    case Qt::Key_PageUp:
        return {33, 0};
    case Qt::Key_PageDown:
        return {34, 0};
    case Qt::Key_End:
        return {35, 0};
    case Qt::Key_Home:
        return {36, 0};
    case Qt::Key_Left:
        return {37, 0};
    case Qt::Key_Up:
        return {38, 0};
    case Qt::Key_Right:
        return {39, 0};
    case Qt::Key_Down:
        return {40, 0};
    case Qt::Key_Insert:
        return {45, 0};
    case Qt::Key_Delete:
        return {46, 0};
    default:
        break;
    }
    const char32_t ch = PrintableChar(text);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return {48 + (key - Qt::Key_0), ch};
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return {65 + (key - Qt::Key_A), ch};
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return {112 + (key - Qt::Key_F1), 0};
    return {0, ch};
}

} // namespace qtbackend
