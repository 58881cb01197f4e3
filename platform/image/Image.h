#pragma once
// Pictures: decoding (JPEG, BMP, PNG), saving as JPEG and fitting into a
// box.
//
// Failures are thrown as img::Error (an rtl::DataError whose text names the
// file or resource). A picture is either decoded completely or not at all: a
// caller never receives a half-read bitmap.
#include "platform/image/Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Errors.h"

namespace img {

// A picture that cannot be read, decoded or written: a failure of the data.
class Error : public rtl::DataError {
public:
    using rtl::DataError::DataError;
};

// Decoding. Accepts JPEG, BMP and PNG whatever the file name says.
Bitmap LoadFile(const std::filesystem::path& file);
Bitmap LoadMemory(std::string_view bytes);
// A picture embedded at build time, by its resource name ("vehicles/Auto.png").
Bitmap LoadResource(std::string_view name);

// Encoding. saveJpeg writes through a temporary file beside the target and
// renames it over the target, so a failed save leaves an existing file intact.
// quality: 1..100.
void SaveJpeg(const Bitmap& bitmap, const std::filesystem::path& file, int quality = 90);
std::string EncodeJpeg(const Bitmap& bitmap, int quality = 90);

// Fitting: the largest size of the same proportions as width x height that
// fits into boxWidth x boxHeight (at least 1 x 1 for a non-empty picture;
// 0 x 0 for an empty picture or box). Pictures smaller than the box grow.
struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};
Size FitSize(int width, int height, int boxWidth, int boxHeight);
// The same, in real numbers (millimetres on a page).
struct SizeF {
    double width = 0;
    double height = 0;
};
SizeF FitSize(double width, double height, double boxWidth, double boxHeight);

// Resampled copy of exactly width x height pixels.
Bitmap Scaled(const Bitmap& bitmap, int width, int height);
// Resampled copy fitted into the box, proportions kept.
Bitmap ScaledToFit(const Bitmap& bitmap, int boxWidth, int boxHeight);

} // namespace img
