#include "platform/image/Image.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Resources.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

namespace img {

namespace {

using Bytes = std::string_view;

std::uint8_t At(Bytes b, std::size_t i) {
    return static_cast<std::uint8_t>(b[i]);
}
std::uint32_t Le16(Bytes b, std::size_t i) {
    return At(b, i) | (At(b, i + 1) << 8);
}
std::uint32_t Le32(Bytes b, std::size_t i) {
    return At(b, i) | (At(b, i + 1) << 8) | (At(b, i + 2) << 16) | (std::uint32_t(At(b, i + 3)) << 24);
}

enum class Format { Jpeg, Bmp, Png, Unknown };

Format Sniff(Bytes b) {
    if (b.size() >= 3 && At(b, 0) == 0xFF && At(b, 1) == 0xD8 && At(b, 2) == 0xFF) return Format::Jpeg;
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') return Format::Bmp;
    if (b.size() >= 8 && b.substr(0, 8) == Bytes("\x89PNG\r\n\x1a\n", 8)) return Format::Png;
    return Format::Unknown;
}

// A JPEG is complete when its segments chain up to the first scan and the
// entropy-coded data after it reaches the end-of-image marker. (Inside scan
// data a 0xFF byte is always followed by 0x00 or a restart marker, so the
// first FF D9 there is the real end; a thumbnail's own markers sit inside an
// application segment and are skipped by its length.)
bool JpegComplete(Bytes b) {
    std::size_t pos = 2;
    while (true) {
        if (pos + 1 >= b.size() || At(b, pos) != 0xFF) return false;
        while (pos + 1 < b.size() && At(b, pos + 1) == 0xFF)
            ++pos; // fill bytes
        if (pos + 1 >= b.size()) return false;
        const std::uint8_t m = At(b, pos + 1);
        if (m == 0xD9) return false; // end before any scan
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {
            pos += 2;
            continue;
        }
        if (pos + 3 >= b.size()) return false;
        const std::size_t len = (At(b, pos + 2) << 8) | At(b, pos + 3);
        if (len < 2 || pos + 2 + len > b.size()) return false;
        pos += 2 + len;
        if (m == 0xDA) break;
    }
    for (; pos + 1 < b.size(); ++pos)
        if (At(b, pos) == 0xFF && At(b, pos + 1) == 0xD9) return true;
    return false;
}

bool PngComplete(Bytes b) {
    return b.find("IEND", 8) != Bytes::npos;
}

// Pictures whose declared size is beyond these are refused before anything
// is decoded; JPEG photos with more pixels than kMaxDecodedPixels are scaled
// down while decoding (a vehicle photo needs no more).
constexpr std::uint64_t kMaxSide = 65535;
constexpr std::uint64_t kMaxDeclaredPixels = 50'000'000;
constexpr std::uint64_t kMaxDecodedPixels = 16'000'000;

Error CannotDecode(const std::string& what, const std::string& why) {
    return Error("Cannot decode picture " + what + ": " + why);
}

void CheckDeclaredSize(std::uint64_t w, std::uint64_t h, const std::string& what) {
    if (w == 0 || h == 0) throw CannotDecode(what, "no pixels");
    if (w > kMaxSide || h > kMaxSide || w * h > kMaxDeclaredPixels)
        throw Error("Picture too large (" + std::to_string(w) + " x " + std::to_string(h) +
                    " pixels): " + what);
}

std::vector<std::uint8_t> AllocatePixels(std::uint64_t w, std::uint64_t h, const std::string& what) {
    try {
        return std::vector<std::uint8_t>(std::size_t(w * h * 4));
    } catch (const std::bad_alloc&) {
        throw CannotDecode(what, "not enough memory");
    }
}

// libjpeg reports a failure by calling error_exit, which must not return:
// it jumps back to the function that started the work.
struct JpegFailure {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JpegFail(j_common_ptr c) {
    auto* f = reinterpret_cast<JpegFailure*>(c->err);
    c->err->format_message(c, f->message);
    std::longjmp(f->jump, 1);
}

// Warnings about damaged data are let pass (the decoder goes on with what it
// can), except data that ends before the picture does: half a picture is
// never returned.
void JpegMessage(j_common_ptr c, int level) {
    if (level < 0 && (c->err->msg_code == JWRN_JPEG_EOF || c->err->msg_code == JWRN_HIT_MARKER)) JpegFail(c);
}

// A file of a few bytes may announce thousands of progressive scans over a
// large frame: each costs a pass over every block, so their number is bounded.
constexpr int kMaxScans = 200;

void JpegProgress(j_common_ptr c) {
    auto* info = reinterpret_cast<j_decompress_ptr>(c);
    if (info->input_scan_number > kMaxScans) {
        auto* f = reinterpret_cast<JpegFailure*>(c->err);
        std::snprintf(f->message, sizeof f->message, "more than %d scans", kMaxScans);
        std::longjmp(f->jump, 1);
    }
}

JpegFailure* JpegErrors(JpegFailure& f) {
    jpeg_std_error(&f.mgr);
    f.mgr.error_exit = JpegFail;
    f.mgr.emit_message = JpegMessage;
    f.message[0] = '\0';
    return &f;
}

Bitmap DecodeJpeg(Bytes bytes, const std::string& what) {
    jpeg_decompress_struct info;
    JpegFailure failure;
    Bitmap out;
    info.err = &JpegErrors(failure)->mgr;
    // Nothing with a destructor is created between here and the last
    // libjpeg call but `out`, which lives outside the jump.
    if (setjmp(failure.jump)) {
        jpeg_destroy_decompress(&info);
        throw CannotDecode(what, failure.message);
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = 512L << 20; // beyond it the decoding fails instead of swapping
    jpeg_progress_mgr progress{};
    progress.progress_monitor = JpegProgress;
    info.progress = &progress;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    const std::uint64_t w = info.image_width, h = info.image_height;
    if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide || w * h > kMaxDeclaredPixels) {
        jpeg_destroy_decompress(&info);
        CheckDeclaredSize(w, h, what);
    }
    unsigned eighths = 8;
    while (eighths > 1 && ((w * eighths + 7) / 8) * ((h * eighths + 7) / 8) > kMaxDecodedPixels)
        --eighths;
    info.scale_num = eighths;
    info.scale_denom = 8;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
    jpeg_start_decompress(&info);
    if (info.output_components != 4) JpegFail(reinterpret_cast<j_common_ptr>(&info));
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    try {
        out.rgba.resize(std::size_t(out.width) * std::size_t(out.height) * 4);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&info);
        throw CannotDecode(what, "not enough memory");
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &out.rgba[std::size_t(info.output_scanline) * std::size_t(out.width) * 4];
        if (jpeg_read_scanlines(&info, &row, 1) != 1) JpegFail(reinterpret_cast<j_common_ptr>(&info));
    }
    const bool inverted = info.saw_Adobe_marker;
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (cmyk) {
        for (std::size_t i = 0; i < out.rgba.size(); i += 4) {
            unsigned k = out.rgba[i + 3];
            if (!inverted) k = 255 - k;
            for (int c = 0; c < 3; ++c) {
                const unsigned v = inverted ? out.rgba[i + c] : 255u - out.rgba[i + c];
                out.rgba[i + c] = std::uint8_t(v * k / 255);
            }
            out.rgba[i + 3] = 255;
        }
    }
    return out;
}

Bitmap DecodePng(Bytes bytes, const std::string& what) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        const std::string why = image.message;
        png_image_free(&image);
        throw CannotDecode(what, why);
    }
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide ||
        std::uint64_t(image.width) * image.height > kMaxDeclaredPixels) {
        png_image_free(&image);
        CheckDeclaredSize(image.width, image.height, what);
    }
    image.format = PNG_FORMAT_RGBA;
    Bitmap out;
    try {
        out.rgba = AllocatePixels(image.width, image.height, what);
    } catch (...) {
        // The decoder's state is freed whatever failed; the failure goes on.
        png_image_free(&image);
        throw;
    }
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        const std::string why = image.message;
        png_image_free(&image);
        throw CannotDecode(what, why);
    }
    return out;
}

// One colour channel of a bit-field pixel, widened to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (!mask) return;
        while (!((mask >> shift) & 1u))
            ++shift;
        max = std::uint64_t(mask) >> shift;
    }
    std::uint8_t Of(std::uint32_t px) const {
        if (!mask) return 0;
        return std::uint8_t(((std::uint64_t(px & mask) >> shift) * 255 + max / 2) / max);
    }
};

// Windows and OS/2 bitmaps, uncompressed or with bit fields: 1, 4, 8, 16, 24
// and 32 bits a pixel. Every size and offset is checked against the file
// before it is used.
Bitmap DecodeBmp(Bytes b, const std::string& what) {
    if (b.size() < 18) throw CannotDecode(what, "header cut short");
    const std::uint64_t offset = Le32(b, 10);
    const std::uint64_t headerSize = Le32(b, 14);
    if (headerSize != 12 && (headerSize < 40 || headerSize > 4096))
        throw CannotDecode(what, "unknown bitmap header");
    if (14 + headerSize > b.size()) throw CannotDecode(what, "header cut short");
    std::int64_t width = 0, height = 0;
    std::uint32_t bpp = 0, compression = 0, colours = 0;
    std::size_t paletteEntry = 4;
    if (headerSize == 12) {
        width = Le16(b, 18);
        height = Le16(b, 20);
        bpp = Le16(b, 24);
        paletteEntry = 3;
    } else {
        width = static_cast<std::int32_t>(Le32(b, 18));
        height = static_cast<std::int32_t>(Le32(b, 22));
        bpp = Le16(b, 28);
        compression = Le32(b, 30);
        colours = Le32(b, 46);
    }
    const bool topDown = height < 0;
    const std::int64_t rows = topDown ? -height : height;
    if (width <= 0 || rows <= 0) throw CannotDecode(what, "no pixels");
    CheckDeclaredSize(std::uint64_t(width), std::uint64_t(rows), what);

    Channel red, green, blue, alpha;
    const bool bitFields = compression == 3 || compression == 6;
    if (compression != 0 && !bitFields) throw CannotDecode(what, "compressed bitmaps are not supported");
    switch (bpp) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (compression != 0) throw CannotDecode(what, "bit fields need 16 or 32 bits a pixel");
        break;
    case 16:
    case 32:
        if (bitFields) {
            // The masks follow the 40-byte header (or are part of a longer one).
            const std::size_t count = compression == 6 || headerSize >= 56 ? 4 : 3;
            if (54 + count * 4 > b.size()) throw CannotDecode(what, "bit fields cut short");
            red = Channel(Le32(b, 54));
            green = Channel(Le32(b, 58));
            blue = Channel(Le32(b, 62));
            if (count == 4) alpha = Channel(Le32(b, 66));
        } else if (bpp == 16) {
            red = Channel(0x7C00);
            green = Channel(0x03E0);
            blue = Channel(0x001F);
        } else {
            red = Channel(0x00FF0000);
            green = Channel(0x0000FF00);
            blue = Channel(0x000000FF);
        }
        break;
    default:
        throw CannotDecode(what, "unsupported bits per pixel");
    }

    std::vector<std::uint32_t> palette;
    if (bpp <= 8) {
        const std::uint64_t most = 1u << bpp;
        const std::uint64_t count = colours == 0 || colours > most ? most : colours;
        const std::uint64_t start = 14 + headerSize;
        if (start + count * paletteEntry > b.size()) throw CannotDecode(what, "palette cut short");
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::size_t e = std::size_t(start + i * paletteEntry);
            palette.push_back(0xFF000000u | (std::uint32_t(At(b, e + 2)) << 16) |
                              (std::uint32_t(At(b, e + 1)) << 8) | At(b, e));
        }
    }

    const std::uint64_t stride = ((std::uint64_t(width) * bpp + 31) / 32) * 4;
    if (offset > b.size() || stride * std::uint64_t(rows) > b.size() - offset)
        throw CannotDecode(what, "pixels cut short");

    Bitmap out;
    out.rgba = AllocatePixels(std::uint64_t(width), std::uint64_t(rows), what);
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(rows);
    bool anyAlpha = false;
    for (std::int64_t y = 0; y < rows; ++y) {
        const std::size_t row = std::size_t(offset + stride * std::uint64_t(topDown ? y : rows - 1 - y));
        std::uint8_t* dst = &out.rgba[std::size_t(y) * std::size_t(width) * 4];
        for (std::int64_t x = 0; x < width; ++x, dst += 4) {
            std::uint32_t argb = 0xFF000000u;
            if (bpp <= 8) {
                const std::size_t bit = std::size_t(x) * bpp;
                const unsigned byte = At(b, row + bit / 8);
                const unsigned index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                argb = index < palette.size() ? palette[index] : 0xFF000000u;
            } else if (bpp == 24) {
                const std::size_t p = row + std::size_t(x) * 3;
                argb |= (std::uint32_t(At(b, p + 2)) << 16) | (std::uint32_t(At(b, p + 1)) << 8) | At(b, p);
            } else {
                const std::size_t p = row + std::size_t(x) * (bpp / 8);
                const std::uint32_t px = bpp == 16 ? Le16(b, p) : Le32(b, p);
                const std::uint8_t a = alpha.mask ? alpha.Of(px) : 255;
                anyAlpha = anyAlpha || (alpha.mask && a != 0);
                argb = (std::uint32_t(a) << 24) | (std::uint32_t(red.Of(px)) << 16) |
                       (std::uint32_t(green.Of(px)) << 8) | blue.Of(px);
            }
            dst[0] = std::uint8_t(argb >> 16);
            dst[1] = std::uint8_t(argb >> 8);
            dst[2] = std::uint8_t(argb);
            dst[3] = std::uint8_t(argb >> 24);
        }
    }
    // An alpha channel that is zero everywhere was never meant as one.
    if (alpha.mask && !anyAlpha)
        for (std::size_t i = 3; i < out.rgba.size(); i += 4)
            out.rgba[i] = 255;
    return out;
}

Bitmap Decode(Bytes bytes, const std::string& what) {
    if (bytes.empty()) throw Error("Empty picture file: " + what);
    switch (Sniff(bytes)) {
    case Format::Jpeg:
        if (!JpegComplete(bytes)) break;
        return DecodeJpeg(bytes, what);
    case Format::Png:
        if (!PngComplete(bytes)) break;
        return DecodePng(bytes, what);
    case Format::Bmp:
        return DecodeBmp(bytes, what);
    case Format::Unknown:
        throw Error("Not a JPEG, bitmap or PNG picture: " + what);
    }
    throw Error("Incomplete or damaged picture: " + what);
}

void Check(const Bitmap& b) {
    if (b.empty() || b.rgba.size() != std::size_t(b.width) * b.height * 4)
        throw Error("Empty or inconsistent picture");
}

void WriteAtomically(const std::filesystem::path& file, const std::string& bytes) {
    try {
        rtl::WriteWholeFile(file.string(), bytes);
    } catch (const rtl::FileError& e) {
        throw Error("Cannot write picture file: " + file.string() + " (" + e.what() + ")");
    }
}

} // namespace

Bitmap LoadMemory(std::string_view bytes) {
    return Decode(bytes, "(memory)");
}

Bitmap LoadFile(const std::filesystem::path& file) {
    std::string bytes;
    try {
        bytes = rtl::ReadWholeFile(file.string());
    } catch (const rtl::FileError& e) {
        throw Error("Cannot read picture file: " + file.string() + " (" + e.what() + ")");
    }
    return Decode(bytes, file.string());
}

Bitmap LoadResource(std::string_view name) {
    const auto data = res::Find(name);
    if (!data) throw Error("Missing picture resource: " + std::string(name));
    return Decode(*data, std::string(name));
}

std::string EncodeJpeg(const Bitmap& bitmap, int quality) {
    Check(bitmap);
    if (std::uint64_t(bitmap.width) > JPEG_MAX_DIMENSION || std::uint64_t(bitmap.height) > JPEG_MAX_DIMENSION)
        throw Error("Cannot encode the picture as JPEG: too large");
    // JPEG has no transparency: composite on white.
    std::vector<std::uint8_t> rgb(std::size_t(bitmap.width) * bitmap.height * 3);
    for (std::size_t i = 0, n = std::size_t(bitmap.width) * bitmap.height; i < n; ++i) {
        const unsigned a = bitmap.rgba[i * 4 + 3];
        for (int c = 0; c < 3; ++c)
            rgb[i * 3 + c] = std::uint8_t((bitmap.rgba[i * 4 + c] * a + 255 * (255 - a)) / 255);
    }
    jpeg_compress_struct info;
    JpegFailure failure;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    info.err = &JpegErrors(failure)->mgr;
    if (setjmp(failure.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        throw Error(std::string("Cannot encode the picture as JPEG: ") + failure.message);
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(bitmap.width);
    info.image_height = JDIMENSION(bitmap.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, std::clamp(quality, 1, 100), TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &rgb[std::size_t(info.next_scanline) * std::size_t(bitmap.width) * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out;
    if (buffer) out.assign(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    if (out.empty()) throw Error("Cannot encode the picture as JPEG");
    return out;
}

void SaveJpeg(const Bitmap& bitmap, const std::filesystem::path& file, int quality) {
    WriteAtomically(file, EncodeJpeg(bitmap, quality));
}

Size FitSize(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
    const double s = std::min(double(boxWidth) / width, double(boxHeight) / height);
    Size out{int(std::lround(width * s)), int(std::lround(height * s))};
    out.width = std::clamp(out.width, 1, boxWidth);
    out.height = std::clamp(out.height, 1, boxHeight);
    return out;
}

SizeF FitSize(double width, double height, double boxWidth, double boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
    const double s = std::min(boxWidth / width, boxHeight / height);
    return {width * s, height * s};
}

namespace {

// The source samples that make one output sample along an axis, with their
// weights: a tent as wide as the reduction (bilinear when enlarging).
struct Taps {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Taps> TapsFor(int from, int to) {
    std::vector<Taps> all(static_cast<std::size_t>(to));
    const double scale = double(from) / to;
    const double radius = std::max(1.0, scale);
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int lo = std::max(0, int(std::floor(centre - radius)) + 1);
        const int hi = std::min(from - 1, int(std::ceil(centre + radius)) - 1);
        Taps& t = all[std::size_t(i)];
        double sum = 0;
        for (int j = lo; j <= hi; ++j) {
            const double w = std::max(0.0, 1.0 - std::abs(j - centre) / radius);
            t.weights.push_back(float(w));
            sum += w;
        }
        t.first = lo;
        if (sum <= 0) {
            t.first = std::clamp(int(std::lround(centre)), 0, from - 1);
            t.weights.assign(1, 1.0f);
            continue;
        }
        for (float& w : t.weights)
            w = float(w / sum);
    }
    return all;
}

} // namespace

Bitmap Scaled(const Bitmap& bitmap, int width, int height) {
    Check(bitmap);
    if (width <= 0 || height <= 0) throw Error("Invalid picture size");
    Bitmap out;
    out.width = width;
    out.height = height;
    if (width == bitmap.width && height == bitmap.height) {
        out.rgba = bitmap.rgba;
        return out;
    }
    const std::vector<Taps> across = TapsFor(bitmap.width, width);
    const std::vector<Taps> down = TapsFor(bitmap.height, height);
    // Across every source row first, then down every column.
    std::vector<float> rows(std::size_t(bitmap.height) * width * 4);
    for (int y = 0; y < bitmap.height; ++y) {
        const std::uint8_t* src = &bitmap.rgba[std::size_t(y) * bitmap.width * 4];
        float* dst = &rows[std::size_t(y) * width * 4];
        for (int x = 0; x < width; ++x) {
            const Taps& t = across[std::size_t(x)];
            float acc[4] = {0, 0, 0, 0};
            for (std::size_t k = 0; k < t.weights.size(); ++k) {
                const std::uint8_t* p = src + std::size_t(t.first + int(k)) * 4;
                for (int c = 0; c < 4; ++c)
                    acc[c] += t.weights[k] * p[c];
            }
            for (int c = 0; c < 4; ++c)
                dst[x * 4 + c] = acc[c];
        }
    }
    out.rgba.resize(std::size_t(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        const Taps& t = down[std::size_t(y)];
        std::uint8_t* dst = &out.rgba[std::size_t(y) * width * 4];
        for (int x = 0; x < width * 4; ++x) {
            float acc = 0;
            for (std::size_t k = 0; k < t.weights.size(); ++k)
                acc += t.weights[k] * rows[std::size_t(t.first + int(k)) * width * 4 + std::size_t(x)];
            dst[x] = std::uint8_t(std::clamp(std::lround(acc), 0L, 255L));
        }
    }
    return out;
}

Bitmap ScaledToFit(const Bitmap& bitmap, int boxWidth, int boxHeight) {
    Check(bitmap);
    const Size s = FitSize(bitmap.width, bitmap.height, boxWidth, boxHeight);
    if (s.width == 0) throw Error("Invalid box size");
    return Scaled(bitmap, s.width, s.height);
}

} // namespace img
