#include "tests/support/Drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <png.h>

#include "platform/image/Image.h"

namespace ts {

using img::Bitmap;

namespace {

void Blend(Bitmap& b, int x, int y, std::uint32_t argb) {
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return;
    std::uint8_t* p = &b.rgba[(std::size_t(y) * b.width + x) * 4];
    const unsigned a = argb >> 24;
    const unsigned src[3] = {(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF};
    if (a == 255) {
        p[0] = std::uint8_t(src[0]);
        p[1] = std::uint8_t(src[1]);
        p[2] = std::uint8_t(src[2]);
        p[3] = 255;
        return;
    }
    for (int c = 0; c < 3; ++c)
        p[c] = std::uint8_t((src[c] * a + p[c] * (255 - a)) / 255);
    p[3] = std::uint8_t(a + p[3] * (255 - a) / 255);
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= std::uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

} // namespace

Bitmap Filled(int width, int height, std::uint32_t argb) {
    Bitmap b;
    b.width = std::max(width, 0);
    b.height = std::max(height, 0);
    b.rgba.resize(std::size_t(b.width) * b.height * 4);
    const std::uint8_t px[4] = {std::uint8_t(argb >> 16), std::uint8_t(argb >> 8), std::uint8_t(argb),
                                std::uint8_t(argb >> 24)};
    for (std::size_t i = 0; i < b.rgba.size(); i += 4)
        std::copy(px, px + 4, &b.rgba[i]);
    return b;
}

void FillRect(Bitmap& b, int x, int y, int width, int height, std::uint32_t argb) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + width, b.width), y1 = std::min(y + height, b.height);
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx)
            Blend(b, xx, yy, argb);
}

void VerticalGradient(Bitmap& b, int x, int y, int width, int height, std::uint32_t top,
                      std::uint32_t bottom) {
    for (int row = 0; row < height; ++row) {
        const double t = height > 1 ? double(row) / (height - 1) : 0.0;
        FillRect(b, x, y + row, width, 1, Mix(top, bottom, t));
    }
}

namespace {

#include "tests/support/SmallFont.inc"

// The characters of a text: one per ASCII byte, one per UTF-8 sequence
// (drawn as "?").
template <typename Each> void ForEachCharacter(std::string_view text, Each each) {
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80) continue;
        each(c >= 32 && c < 127 ? c : '?');
    }
}

} // namespace

int DrawText(Bitmap& b, int x, int y, std::string_view text, std::uint32_t argb, int scale) {
    scale = std::max(scale, 1);
    int left = x;
    ForEachCharacter(text, [&](unsigned char c) {
        const unsigned char* glyph = kFont[c - 32];
        for (int row = 0; row < kFontHeight; ++row)
            for (int col = 0; col < kFontWidth; ++col)
                if (glyph[row] & (1u << col))
                    FillRect(b, left + col * scale, y + row * scale, scale, scale, argb);
        left += kFontWidth * scale;
    });
    return TextWidth(text, scale);
}

int TextWidth(std::string_view text, int scale) {
    int count = 0;
    ForEachCharacter(text, [&](unsigned char) { ++count; });
    return count * kFontWidth * std::max(scale, 1);
}

std::uint32_t Pixel(const Bitmap& b, int x, int y) {
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return 0;
    const std::uint8_t* p = &b.rgba[(std::size_t(y) * b.width + x) * 4];
    return (std::uint32_t(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
}

std::string EncodePng(const Bitmap& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.rgba.size() != std::size_t(bitmap.width) * bitmap.height * 4)
        throw img::Error("Empty or inconsistent picture");
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(bitmap.width);
    image.height = png_uint_32(bitmap.height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, bitmap.rgba.data(), 0, nullptr) || size == 0)
        throw img::Error(std::string("Cannot encode the picture as PNG: ") + image.message);
    std::string out(size, '\0');
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, bitmap.rgba.data(), 0, nullptr))
        throw img::Error(std::string("Cannot encode the picture as PNG: ") + image.message);
    out.resize(size);
    return out;
}

} // namespace ts
