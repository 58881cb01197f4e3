#pragma once
// Pictures that tests draw by hand: filled boxes, a gradient, plain ASCII
// text in a small bitmap font, a pixel read back, and a PNG encoding of a
// bitmap (the program decodes PNG but never writes one).
//
// Colours are 0xAARRGGBB; drawing blends by the colour's alpha and clips at
// the bitmap's edges.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/image/Bitmap.h"

namespace ts {

img::Bitmap Filled(int width, int height, std::uint32_t argb);
void FillRect(img::Bitmap& bitmap, int x, int y, int width, int height, std::uint32_t argb);
// Top to bottom from `top` to `bottom`.
void VerticalGradient(img::Bitmap& bitmap, int x, int y, int width, int height, std::uint32_t top,
                      std::uint32_t bottom);
// Each font pixel drawn as a scale x scale block; returns the width drawn,
// which TextWidth gives beforehand.
int DrawText(img::Bitmap& bitmap, int x, int y, std::string_view text, std::uint32_t argb, int scale = 1);
int TextWidth(std::string_view text, int scale = 1);

// The pixel at x, y as 0xAARRGGBB; 0 outside the bitmap.
std::uint32_t Pixel(const img::Bitmap& bitmap, int x, int y);

// The bitmap as the bytes of a PNG file; img::Error when it cannot be encoded.
std::string EncodePng(const img::Bitmap& bitmap);

} // namespace ts
