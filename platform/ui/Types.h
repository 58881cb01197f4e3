#pragma once
// Small value types shared by the form and control model: colours, brushes,
// fonts, key and mouse events, modal results.
#include <cstdint>
#include <string>

namespace ui {

// 0xAARRGGBB, as the layouts write it ("#FFFFFF00" is opaque yellow).
using Color = std::uint32_t;

namespace colors {
inline constexpr Color Null = 0x00000000; // nothing painted
inline constexpr Color Black = 0xFF000000;
inline constexpr Color White = 0xFFFFFFFF;
inline constexpr Color Yellow = 0xFFFFFF00;
inline constexpr Color SteelBlue = 0xFF4682B4;
inline constexpr Color SkyBlue = 0xFF87CEEB;
inline constexpr Color AliceBlue = 0xFFF0F8FF;
inline constexpr Color LightSteelBlue = 0xFFB0C4DE;
} // namespace colors

// Fill of a form background, a rectangle or a panel.
struct Brush {
    enum class Kind { None, Solid, VerticalGradient };
    Kind kind = Kind::None;
    Color color = colors::Null;  // solid colour, or the gradient's top colour
    Color color2 = colors::Null; // the gradient's bottom colour

    static Brush None() { return {}; }
    static Brush Solid(Color c) { return {Kind::Solid, c, colors::Null}; }
    static Brush Gradient(Color top, Color bottom) { return {Kind::VerticalGradient, top, bottom}; }
    bool operator==(const Brush&) const = default;
};

struct Font {
    std::string family = "Segoe UI";
    double size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Color color = colors::Black;
    bool operator==(const Font&) const = default;
};

enum class TextAlign { Leading, Center, Trailing };
// How a control follows its parent's size: kept where placed, filling the
// parent, or kept centred in it (a panel centred in a maximised window).
enum class Dock { None, Client, Center };
enum class Cursor { Default, Arrow, Hand, IBeam, Wait };

// Modifier keys held during a key or mouse event.
enum class Mod : unsigned { None = 0, Shift = 1, Ctrl = 2, Alt = 4 };
constexpr Mod operator|(Mod a, Mod b) {
    return Mod(unsigned(a) | unsigned(b));
}
constexpr bool Has(Mod set, Mod m) {
    return (unsigned(set) & unsigned(m)) != 0;
}

// Windows virtual key codes, the codes the key handlers test.
namespace vk {
inline constexpr std::uint16_t Back = 8;
inline constexpr std::uint16_t Tab = 9;
inline constexpr std::uint16_t Return = 13;
inline constexpr std::uint16_t Escape = 27;
inline constexpr std::uint16_t Space = 32;
inline constexpr std::uint16_t PageUp = 33;
inline constexpr std::uint16_t PageDown = 34;
inline constexpr std::uint16_t End = 35;
inline constexpr std::uint16_t Home = 36;
inline constexpr std::uint16_t Left = 37;
inline constexpr std::uint16_t Up = 38;
inline constexpr std::uint16_t Right = 39;
inline constexpr std::uint16_t Down = 40;
inline constexpr std::uint16_t Delete = 46;
// Digits are '0'..'9' (48..57), letters 'A'..'Z' (65..90).
inline constexpr std::uint16_t F1 = 112;
inline constexpr std::uint16_t F2 = 113;
inline constexpr std::uint16_t F4 = 115;
inline constexpr std::uint16_t Comma = 188;  // the ',' key
inline constexpr std::uint16_t Minus = 189;  // the '-' key
inline constexpr std::uint16_t Period = 190; // the '.' key
} // namespace vk

// A key event as the key handlers see it. Both the key code and the character
// may be changed by a handler; setting both to zero swallows the key.
struct KeyEvent {
    std::uint16_t key = 0; // Windows key code, 0 for a character-only event
    char32_t ch = 0;       // the character typed, 0 for none
    Mod mods = Mod::None;

    void Swallow() {
        key = 0;
        ch = 0;
    }
    bool Swallowed() const { return key == 0 && ch == 0; }
    bool Shift() const { return Has(mods, Mod::Shift); }
    bool Ctrl() const { return Has(mods, Mod::Ctrl); }
    bool Alt() const { return Has(mods, Mod::Alt); }
};

enum class MouseButton { Left, Right, Middle };

// Coordinates are relative to the control (or to the form's client area).
struct MouseEvent {
    MouseButton button = MouseButton::Left;
    Mod mods = Mod::None;
    int x = 0;
    int y = 0;
};

// Result of a modal run. A button with a modal result other than None ends the
// modal run of its form when clicked.
enum class ModalResult {
    None = 0,
    OK = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7,
    Close = 8
};

// What a form's close handler decides.
enum class CloseAction { None, Hide, Free };

} // namespace ui
