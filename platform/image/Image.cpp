#include "platform/image/Image.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Resources.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_easy_font.h>
#pragma GCC diagnostic pop

#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

namespace img {

namespace {

using Bytes = std::string_view;

std::uint8_t at(Bytes b, std::size_t i) { return static_cast<std::uint8_t>(b[i]); }
std::uint32_t le16(Bytes b, std::size_t i) { return at(b, i) | (at(b, i + 1) << 8); }
std::uint32_t le32(Bytes b, std::size_t i) {
    return at(b, i) | (at(b, i + 1) << 8) | (at(b, i + 2) << 16) | (std::uint32_t(at(b, i + 3)) << 24);
}

enum class Format { Jpeg, Bmp, Png, Unknown };

Format sniff(Bytes b) {
    if (b.size() >= 3 && at(b, 0) == 0xFF && at(b, 1) == 0xD8 && at(b, 2) == 0xFF) return Format::Jpeg;
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') return Format::Bmp;
    if (b.size() >= 8 && b.substr(0, 8) == Bytes("\x89PNG\r\n\x1a\n", 8)) return Format::Png;
    return Format::Unknown;
}

// A JPEG is complete when its segments chain up to the first scan and the
// entropy-coded data after it reaches the end-of-image marker. (Inside scan
// data a 0xFF byte is always followed by 0x00 or a restart marker, so the
// first FF D9 there is the real end; a thumbnail's own markers sit inside an
// application segment and are skipped by its length.)
bool jpegComplete(Bytes b) {
    std::size_t pos = 2;
    while (true) {
        if (pos + 1 >= b.size() || at(b, pos) != 0xFF) return false;
        while (pos + 1 < b.size() && at(b, pos + 1) == 0xFF) ++pos; // fill bytes
        if (pos + 1 >= b.size()) return false;
        const std::uint8_t m = at(b, pos + 1);
        if (m == 0xD9) return false;                                 // end before any scan
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) { pos += 2; continue; }
        if (pos + 3 >= b.size()) return false;
        const std::size_t len = (at(b, pos + 2) << 8) | at(b, pos + 3);
        if (len < 2 || pos + 2 + len > b.size()) return false;
        pos += 2 + len;
        if (m == 0xDA) break;
    }
    for (; pos + 1 < b.size(); ++pos)
        if (at(b, pos) == 0xFF && at(b, pos + 1) == 0xD9) return true;
    return false;
}

// An uncompressed bitmap must hold every row its header announces.
bool bmpComplete(Bytes b) {
    if (b.size() < 26) return false;
    const std::uint32_t offset = le32(b, 10);
    const std::uint32_t headerSize = le32(b, 14);
    std::int64_t width = 0, height = 0;
    std::uint32_t bpp = 0, compression = 0;
    if (headerSize == 12) {
        width = le16(b, 18);
        height = le16(b, 20);
        bpp = le16(b, 24);
    } else {
        if (b.size() < 34) return false;
        width = static_cast<std::int32_t>(le32(b, 18));
        height = static_cast<std::int32_t>(le32(b, 22));
        bpp = le16(b, 28);
        compression = le32(b, 30);
    }
    if (width <= 0 || height == 0 || bpp == 0) return false;
    if (compression != 0 && compression != 3 && compression != 6) return true; // left to the decoder
    const std::int64_t stride = ((width * bpp + 31) / 32) * 4;
    return std::int64_t(offset) + stride * std::llabs(height) <= std::int64_t(b.size());
}

bool pngComplete(Bytes b) { return b.find("IEND", 8) != Bytes::npos; }

Bitmap decode(Bytes bytes, const std::string& what) {
    if (bytes.empty()) throw Error("Empty picture file: " + what);
    bool complete = false;
    switch (sniff(bytes)) {
    case Format::Jpeg: complete = jpegComplete(bytes); break;
    case Format::Bmp: complete = bmpComplete(bytes); break;
    case Format::Png: complete = pngComplete(bytes); break;
    case Format::Unknown: throw Error("Not a JPEG, bitmap or PNG picture: " + what);
    }
    if (!complete) throw Error("Incomplete or damaged picture: " + what);
    int w = 0, h = 0, n = 0;
    stbi_uc* data = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                          static_cast<int>(bytes.size()), &w, &h, &n, 4);
    if (!data) {
        const char* why = stbi_failure_reason();
        throw Error("Cannot decode picture " + what + (why ? std::string(": ") + why : std::string()));
    }
    Bitmap out;
    out.width = w;
    out.height = h;
    out.rgba.assign(data, data + std::size_t(w) * h * 4);
    stbi_image_free(data);
    return out;
}

void check(const Bitmap& b) {
    if (b.empty() || b.rgba.size() != std::size_t(b.width) * b.height * 4)
        throw Error("Empty or inconsistent picture");
}

void appendTo(void* ctx, void* data, int size) {
    static_cast<std::string*>(ctx)->append(static_cast<const char*>(data), std::size_t(size));
}

void writeAtomically(const std::filesystem::path& file, const std::string& bytes) {
    try {
        rtl::WriteWholeFile(file.string(), bytes);
    } catch (const rtl::FileError& e) {
        throw Error("Cannot write picture file: " + file.string() + " (" + e.what() + ")");
    }
}

void blend(Bitmap& b, int x, int y, std::uint32_t argb) {
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return;
    std::uint8_t* p = &b.rgba[(std::size_t(y) * b.width + x) * 4];
    const unsigned a = argb >> 24;
    const unsigned src[3] = {(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF};
    if (a == 255) {
        p[0] = std::uint8_t(src[0]); p[1] = std::uint8_t(src[1]); p[2] = std::uint8_t(src[2]); p[3] = 255;
        return;
    }
    for (int c = 0; c < 3; ++c) p[c] = std::uint8_t((src[c] * a + p[c] * (255 - a)) / 255);
    p[3] = std::uint8_t(a + p[3] * (255 - a) / 255);
}

std::uint32_t mix(std::uint32_t a, std::uint32_t b, double t) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= std::uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

} // namespace

Bitmap loadMemory(std::string_view bytes) { return decode(bytes, "(memory)"); }

Bitmap loadFile(const std::filesystem::path& file) {
    std::string bytes;
    try {
        bytes = rtl::ReadWholeFile(file.string());
    } catch (const rtl::FileError& e) {
        throw Error("Cannot read picture file: " + file.string() + " (" + e.what() + ")");
    }
    return decode(bytes, file.string());
}

Bitmap loadResource(std::string_view name) {
    const auto data = res::find(name);
    if (!data) throw Error("Missing picture resource: " + std::string(name));
    return decode(*data, std::string(name));
}

std::string encodeJpeg(const Bitmap& bitmap, int quality) {
    check(bitmap);
    // JPEG has no transparency: composite on white.
    std::vector<std::uint8_t> rgb(std::size_t(bitmap.width) * bitmap.height * 3);
    for (std::size_t i = 0, n = std::size_t(bitmap.width) * bitmap.height; i < n; ++i) {
        const unsigned a = bitmap.rgba[i * 4 + 3];
        for (int c = 0; c < 3; ++c)
            rgb[i * 3 + c] = std::uint8_t((bitmap.rgba[i * 4 + c] * a + 255 * (255 - a)) / 255);
    }
    std::string out;
    if (!stbi_write_jpg_to_func(appendTo, &out, bitmap.width, bitmap.height, 3, rgb.data(),
                                std::clamp(quality, 1, 100)) || out.empty())
        throw Error("Cannot encode the picture as JPEG");
    return out;
}

std::string encodePng(const Bitmap& bitmap) {
    check(bitmap);
    std::string out;
    if (!stbi_write_png_to_func(appendTo, &out, bitmap.width, bitmap.height, 4, bitmap.rgba.data(),
                                bitmap.width * 4) || out.empty())
        throw Error("Cannot encode the picture as PNG");
    return out;
}

void saveJpeg(const Bitmap& bitmap, const std::filesystem::path& file, int quality) {
    writeAtomically(file, encodeJpeg(bitmap, quality));
}

void savePng(const Bitmap& bitmap, const std::filesystem::path& file) {
    writeAtomically(file, encodePng(bitmap));
}

Size fitSize(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
    const double s = std::min(double(boxWidth) / width, double(boxHeight) / height);
    Size out{int(std::lround(width * s)), int(std::lround(height * s))};
    out.width = std::clamp(out.width, 1, boxWidth);
    out.height = std::clamp(out.height, 1, boxHeight);
    return out;
}

SizeF fitSize(double width, double height, double boxWidth, double boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
    const double s = std::min(boxWidth / width, boxHeight / height);
    return {width * s, height * s};
}

Bitmap scaled(const Bitmap& bitmap, int width, int height) {
    check(bitmap);
    if (width <= 0 || height <= 0) throw Error("Invalid picture size");
    Bitmap out;
    out.width = width;
    out.height = height;
    out.rgba.resize(std::size_t(width) * height * 4);
    if (width == bitmap.width && height == bitmap.height) {
        out.rgba = bitmap.rgba;
        return out;
    }
    if (!stbir_resize_uint8(bitmap.rgba.data(), bitmap.width, bitmap.height, 0, out.rgba.data(), width,
                            height, 0, 4))
        throw Error("Cannot scale the picture");
    return out;
}

Bitmap scaledToFit(const Bitmap& bitmap, int boxWidth, int boxHeight) {
    check(bitmap);
    const Size s = fitSize(bitmap.width, bitmap.height, boxWidth, boxHeight);
    if (s.width == 0) throw Error("Invalid box size");
    return scaled(bitmap, s.width, s.height);
}

Bitmap filled(int width, int height, std::uint32_t argb) {
    Bitmap b;
    b.width = std::max(width, 0);
    b.height = std::max(height, 0);
    b.rgba.resize(std::size_t(b.width) * b.height * 4);
    const std::uint8_t px[4] = {std::uint8_t(argb >> 16), std::uint8_t(argb >> 8), std::uint8_t(argb),
                                std::uint8_t(argb >> 24)};
    for (std::size_t i = 0; i < b.rgba.size(); i += 4) std::copy(px, px + 4, &b.rgba[i]);
    return b;
}

void fillRect(Bitmap& b, int x, int y, int width, int height, std::uint32_t argb) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + width, b.width), y1 = std::min(y + height, b.height);
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) blend(b, xx, yy, argb);
}

void frameRect(Bitmap& b, int x, int y, int width, int height, std::uint32_t argb, int t) {
    if (width <= 0 || height <= 0 || t <= 0) return;
    t = std::min({t, (width + 1) / 2, (height + 1) / 2});
    fillRect(b, x, y, width, t, argb);
    fillRect(b, x, y + height - t, width, t, argb);
    fillRect(b, x, y + t, t, height - 2 * t, argb);
    fillRect(b, x + width - t, y + t, t, height - 2 * t, argb);
}

void verticalGradient(Bitmap& b, int x, int y, int width, int height, std::uint32_t top, std::uint32_t bottom) {
    for (int row = 0; row < height; ++row) {
        const double t = height > 1 ? double(row) / (height - 1) : 0.0;
        fillRect(b, x, y + row, width, 1, mix(top, bottom, t));
    }
}

void fillEllipse(Bitmap& b, int x, int y, int width, int height, std::uint32_t argb) {
    if (width <= 0 || height <= 0) return;
    const double rx = width / 2.0, ry = height / 2.0, cx = x + rx, cy = y + ry;
    for (int yy = std::max(y, 0); yy < std::min(y + height, b.height); ++yy)
        for (int xx = std::max(x, 0); xx < std::min(x + width, b.width); ++xx) {
            const double dx = (xx + 0.5 - cx) / rx, dy = (yy + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) blend(b, xx, yy, argb);
        }
}

void drawLine(Bitmap& b, int x1, int y1, int x2, int y2, std::uint32_t argb, int thickness) {
    const double r = std::max(thickness, 1) / 2.0;
    const int minX = int(std::floor(std::min(x1, x2) - r)), maxX = int(std::ceil(std::max(x1, x2) + r));
    const int minY = int(std::floor(std::min(y1, y2) - r)), maxY = int(std::ceil(std::max(y1, y2) + r));
    const double vx = x2 - x1, vy = y2 - y1, len2 = vx * vx + vy * vy;
    for (int yy = std::max(minY, 0); yy <= std::min(maxY, b.height - 1); ++yy)
        for (int xx = std::max(minX, 0); xx <= std::min(maxX, b.width - 1); ++xx) {
            double t = len2 > 0 ? ((xx - x1) * vx + (yy - y1) * vy) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double dx = xx - (x1 + t * vx), dy = yy - (y1 + t * vy);
            if (dx * dx + dy * dy <= r * r) blend(b, xx, yy, argb);
        }
}

int drawText(Bitmap& b, int x, int y, std::string_view text, std::uint32_t argb, int scale) {
    scale = std::max(scale, 1);
    std::string s(text);
    std::vector<char> buffer(s.size() * 300 + 64);
    const int quads = stb_easy_font_print(0, 0, s.data(), nullptr, buffer.data(), int(buffer.size()));
    for (int q = 0; q < quads; ++q) {
        float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
        for (int v = 0; v < 4; ++v) {
            float px, py;
            std::memcpy(&px, &buffer[std::size_t(q * 4 + v) * 16], sizeof px);
            std::memcpy(&py, &buffer[std::size_t(q * 4 + v) * 16 + 4], sizeof py);
            minX = std::min(minX, px); maxX = std::max(maxX, px);
            minY = std::min(minY, py); maxY = std::max(maxY, py);
        }
        fillRect(b, x + int(std::lround(minX * scale)), y + int(std::lround(minY * scale)),
                 int(std::lround((maxX - minX) * scale)), int(std::lround((maxY - minY) * scale)), argb);
    }
    return textWidth(text, scale);
}

int textWidth(std::string_view text, int scale) {
    std::string s(text);
    return stb_easy_font_width(s.data()) * std::max(scale, 1);
}

int textHeight(int scale) {
    char sample[] = "A";
    return stb_easy_font_height(sample) * std::max(scale, 1);
}

std::uint32_t pixel(const Bitmap& b, int x, int y) {
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return 0;
    const std::uint8_t* p = &b.rgba[(std::size_t(y) * b.width + x) * 4];
    return (std::uint32_t(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
}

} // namespace img
