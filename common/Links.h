#pragma once
// The maker's and the product's addresses, and the colours of link texts.
#include "platform/ui/Types.h"

namespace links {
inline constexpr const char* MakerMail = "assistenza@dorneval.example";
inline constexpr const char* WebSite = "https://www.dorneval.example";
inline constexpr ui::Color Normal = 0xFF00008B;  // dark blue
inline constexpr ui::Color Pressed = 0xFFFFA500; // orange while the mouse button is down
} // namespace links
