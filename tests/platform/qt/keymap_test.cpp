#include "platform/qt/KeyMap.h"

#include <gtest/gtest.h>

using qtbackend::MapKey;

namespace {
struct KeyCase {
    int key;
    Qt::KeyboardModifiers mods;
    const char16_t* text;
    int code;
    char32_t ch;
};
} // namespace

TEST(KeyMap, QtKeysGiveWindowsCodesAndCharacters) {
    const KeyCase cases[] = {
        {Qt::Key_Return, Qt::NoModifier, u"\r", 13, 0},   {Qt::Key_Enter, Qt::KeypadModifier, u"\r", 13, 0},
        {Qt::Key_Backspace, Qt::NoModifier, u"\b", 8, 0}, {Qt::Key_Delete, Qt::NoModifier, u"\x7f", 46, 0},
        {Qt::Key_Tab, Qt::NoModifier, u"\t", 9, 0},       {Qt::Key_Backtab, Qt::ShiftModifier, u"", 9, 0},
        {Qt::Key_Escape, Qt::NoModifier, u"\x1b", 27, 0}, {Qt::Key_Left, Qt::NoModifier, u"", 37, 0},
        {Qt::Key_Up, Qt::NoModifier, u"", 38, 0},         {Qt::Key_Right, Qt::NoModifier, u"", 39, 0},
        {Qt::Key_Down, Qt::NoModifier, u"", 40, 0},       {Qt::Key_Home, Qt::NoModifier, u"", 36, 0},
        {Qt::Key_End, Qt::NoModifier, u"", 35, 0},        {Qt::Key_Space, Qt::NoModifier, u" ", 32, U' '},
        {Qt::Key_0, Qt::NoModifier, u"0", 48, U'0'},      {Qt::Key_7, Qt::KeypadModifier, u"7", 55, U'7'},
        {Qt::Key_9, Qt::NoModifier, u"9", 57, U'9'},      {Qt::Key_A, Qt::NoModifier, u"a", 65, U'a'},
        {Qt::Key_A, Qt::ShiftModifier, u"A", 65, U'A'},   {Qt::Key_Z, Qt::NoModifier, u"z", 90, U'z'},
        {Qt::Key_C, Qt::ControlModifier, u"\x03", 67, 0}, {Qt::Key_Egrave, Qt::NoModifier, u"è", 0, U'è'},
        {Qt::Key_Agrave, Qt::NoModifier, u"à", 0, U'à'},  {Qt::Key_Ograve, Qt::NoModifier, u"ò", 0, U'ò'},
        {Qt::Key_Comma, Qt::NoModifier, u",", 0, U','},   {Qt::Key_Period, Qt::KeypadModifier, u".", 0, U'.'},
        {Qt::Key_F1, Qt::NoModifier, u"", 112, 0},        {Qt::Key_Shift, Qt::ShiftModifier, u"", 16, 0},
    };
    for (const auto& c : cases) {
        const auto k = MapKey(c.key, c.mods, QString::fromUtf16(c.text));
        EXPECT_EQ(k.code, c.code) << "Qt key " << std::hex << c.key;
        EXPECT_EQ(k.ch, c.ch) << "Qt key " << std::hex << c.key;
    }
}
