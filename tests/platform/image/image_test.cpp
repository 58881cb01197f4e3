#include "platform/image/Image.h"
#include "tests/support/Drawing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "dorneval-image-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

void WriteFile(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A 2 x 2 bitmap written byte by byte: 24 bits, bottom-up rows padded to 4 bytes.
// Top row: red, green; bottom row: blue, white.
std::string HandMadeBmp() {
    const unsigned char bytes[] = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,   // file header: size 70, pixels
                                                          // at 54
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, // info header: 2 x 2,
                                                          // 1 plane, 24 bits
        0, 0, 0, 0, 16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0xFF,
        0xFF, 0xFF, 0, 0,             // bottom row (B G R):
                                      // blue, white, pad
        0, 0, 0xFF, 0, 0xFF, 0, 0, 0, // top row: red, green, pad
    };
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// Four flat quadrants, large enough for JPEG to keep their colours.
img::Bitmap Quadrants(int w, int h) {
    img::Bitmap b = ts::Filled(w, h, 0xFFFF0000);
    ts::FillRect(b, w / 2, 0, w - w / 2, h / 2, 0xFF00FF00);
    ts::FillRect(b, 0, h / 2, w / 2, h - h / 2, 0xFF0000FF);
    ts::FillRect(b, w / 2, h / 2, w - w / 2, h - h / 2, 0xFFFFFFFF);
    return b;
}

void ExpectNear(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        EXPECT_NEAR(int((actual >> shift) & 0xFF), int((expected >> shift) & 0xFF), tolerance)
            << std::hex << actual << " vs " << expected;
}

} // namespace

TEST(Image, HandMadeBitmapDecodesPixelByPixel) {
    TempDir dir;
    WriteFile(dir / "four.bmp", HandMadeBmp());
    const img::Bitmap b = img::LoadFile(dir / "four.bmp");
    ASSERT_EQ(b.width, 2);
    ASSERT_EQ(b.height, 2);
    EXPECT_EQ(ts::Pixel(b, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(ts::Pixel(b, 1, 0), 0xFF00FF00u);
    EXPECT_EQ(ts::Pixel(b, 0, 1), 0xFF0000FFu);
    EXPECT_EQ(ts::Pixel(b, 1, 1), 0xFFFFFFFFu);
}

TEST(Image, JpegRoundTripKeepsSizeAndColoursAndReplacesTheFile) {
    TempDir dir;
    const fs::path file = dir / "photo.jpg";
    WriteFile(file, "old contents");
    img::SaveJpeg(Quadrants(64, 48), file);
    const img::Bitmap back = img::LoadFile(file);
    ASSERT_EQ(back.width, 64);
    ASSERT_EQ(back.height, 48);
    ExpectNear(ts::Pixel(back, 8, 8), 0xFFFF0000, 12);
    ExpectNear(ts::Pixel(back, 56, 8), 0xFF00FF00, 12);
    ExpectNear(ts::Pixel(back, 8, 40), 0xFF0000FF, 12);
    ExpectNear(ts::Pixel(back, 56, 40), 0xFFFFFFFF, 12);
    // No temporary file stays behind.
    int files = 0;
    for (auto& e : fs::directory_iterator(file.parent_path()))
        (void)e, ++files;
    EXPECT_EQ(files, 1);
    // Loading from memory gives the same picture.
    EXPECT_EQ(img::LoadMemory(ReadFile(file)), back);
}

TEST(Image, UndecodableDataIsAFailureNeverAPicture) {
    const std::string jpeg = img::EncodeJpeg(Quadrants(32, 32));
    const std::string bmp = HandMadeBmp();
    const std::string png = ts::EncodePng(Quadrants(16, 16));
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"garbage", "this is not a picture at all, just text"},
        {"jpeg cut in the scan data", jpeg.substr(0, jpeg.size() / 2)},
        {"jpeg cut before the scan", jpeg.substr(0, 40)},
        {"jpeg without its end marker", jpeg.substr(0, jpeg.size() - 2)},
        {"bitmap cut in the pixels", bmp.substr(0, bmp.size() - 5)},
        {"bitmap header only", bmp.substr(0, 30)},
        {"png cut", png.substr(0, png.size() / 2)},
        {"jpeg signature and garbage", std::string("\xFF\xD8\xFF\xE0 garbage garbage", 20)},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(img::LoadMemory(c.bytes), img::Error) << c.what;
    }
    TempDir dir;
    WriteFile(dir / "cut.jpg", jpeg.substr(0, jpeg.size() / 2));
    EXPECT_THROW(img::LoadFile(dir / "cut.jpg"), img::Error);
    EXPECT_THROW(img::LoadFile(dir / "missing.jpg"), img::Error);
    EXPECT_THROW(img::LoadResource("no/such/picture.png"), img::Error);
}

TEST(Image, FailedSaveIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    const fs::path file = dir / "keep.jpg";
    WriteFile(file, "precious");
    EXPECT_THROW(img::SaveJpeg(img::Bitmap{}, file), img::Error);
    EXPECT_EQ(ReadFile(file), "precious");
    // A folder that cannot exist: its parent is a regular file.
    EXPECT_THROW(img::SaveJpeg(Quadrants(8, 8), file / "sub.jpg"), img::Error);
    EXPECT_EQ(ReadFile(file), "precious");
}

TEST(Image, FitKeepsProportions) {
    const struct {
        int w, h, boxW, boxH;
        img::Size expected;
    } cases[] = {
        {400, 200, 308, 173, {308, 154}}, // wide picture: full width
        {100, 400, 308, 173, {43, 173}},  // tall picture: full height
        {10, 5, 100, 100, {100, 50}},     // small picture grows
        {308, 173, 308, 173, {308, 173}}, // same size
        {5000, 1, 100, 100, {100, 1}},    // never below one pixel
        {0, 10, 100, 100, {0, 0}},        // empty picture
        {10, 10, 0, 100, {0, 0}},         // empty box
    };
    for (const auto& c : cases)
        EXPECT_EQ(img::FitSize(c.w, c.h, c.boxW, c.boxH), c.expected) << c.w << "x" << c.h;

    const img::Bitmap fitted = img::ScaledToFit(Quadrants(400, 200), 308, 173);
    EXPECT_EQ(fitted.width, 308);
    EXPECT_EQ(fitted.height, 154);
    ExpectNear(ts::Pixel(fitted, 20, 20), 0xFFFF0000, 8);
    ExpectNear(ts::Pixel(fitted, 290, 140), 0xFFFFFFFF, 8);
}

TEST(Image, DrawingHelpersClipAndBlend) {
    img::Bitmap b = ts::Filled(20, 10, 0xFFFFFFFF);
    ts::FillRect(b, -5, -5, 10, 10, 0xFF000000); // partly outside
    EXPECT_EQ(ts::Pixel(b, 4, 4), 0xFF000000u);
    EXPECT_EQ(ts::Pixel(b, 5, 5), 0xFFFFFFFFu);
    ts::FillRect(b, 10, 0, 10, 10, 0x80000000); // half transparent black on white
    ExpectNear(ts::Pixel(b, 15, 5), 0xFF7F7F7F, 2);
    ts::VerticalGradient(b, 0, 0, 20, 10, 0xFF4682B4, 0xFFFFFFFF);
    EXPECT_EQ(ts::Pixel(b, 0, 0), 0xFF4682B4u);
    EXPECT_EQ(ts::Pixel(b, 0, 9), 0xFFFFFFFFu);

    img::Bitmap t = ts::Filled(80, 20, 0xFFFFFFFF);
    const int w = ts::DrawText(t, 2, 2, "Avvio", 0xFF000000);
    EXPECT_EQ(w, ts::TextWidth("Avvio"));
    int dark = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x)
            dark += ts::Pixel(t, x, y) == 0xFF000000u;
    EXPECT_GT(dark, 10);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(ts::Pixel(t, 79, y), 0xFFFFFFFFu); // nothing beyond its width
}

// The hand-made hostile corpus (tests/platform/image/hostile, written by its
// make_corpus.py): every picture is refused with img::Error or decoded into a
// consistent bitmap; the sanitizers of ./test.sh watch the decoding itself.
TEST(Image, HostilePicturesAreRefusedOrDecodedCleanly) {
    const std::set<std::string> decoded = {
        "jpeg-sound.jpg",
        "jpeg-progressive-sound.jpg",
        "png-sound.png",
        "bmp-sound.bmp",
        "bmp-palette-index-beyond.bmp",
        "bmp-bitfields-16.bmp",
        "bmp-bitfields-odd-masks.bmp",
    };
    int files = 0;
    for (const auto& entry : fs::directory_iterator(HOSTILE_PICTURES)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".py") continue;
        ++files;
        const std::string bytes = ReadFile(entry.path());
        if (decoded.count(name)) {
            const img::Bitmap b = img::LoadMemory(bytes);
            EXPECT_GT(b.width, 0) << name;
            EXPECT_EQ(b.rgba.size(), std::size_t(b.width) * b.height * 4) << name;
        } else {
            EXPECT_THROW(img::LoadMemory(bytes), img::Error) << name;
            EXPECT_THROW(img::LoadFile(entry.path()), img::Error) << name;
        }
    }
    EXPECT_GE(files, 40);

    // What the decoded ones hold.
    const fs::path dir = HOSTILE_PICTURES;
    const img::Bitmap bmp = img::LoadFile(dir / "bmp-sound.bmp");
    EXPECT_EQ(ts::Pixel(bmp, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(ts::Pixel(bmp, 1, 1), 0xFF00FF00u);
    const img::Bitmap palette = img::LoadFile(dir / "bmp-palette-index-beyond.bmp");
    EXPECT_EQ(ts::Pixel(palette, 1, 0), 0xFFFF0000u);
    EXPECT_EQ(ts::Pixel(palette, 2, 0), 0xFF000000u); // an index past the palette is black
    const img::Bitmap fields = img::LoadFile(dir / "bmp-bitfields-16.bmp");
    EXPECT_EQ(ts::Pixel(fields, 0, 0), 0xFF0000FFu);
    ExpectNear(ts::Pixel(fields, 1, 0), 0xFF007E00u, 2);
}

// A picture announcing more than about 50 megapixels is refused from its
// header, whatever its format; photos above 16 megapixels are scaled down
// while decoding, proportions kept.
TEST(Image, HugePicturesAreRefusedAndLargePhotosScaledDown) {
    const fs::path dir = HOSTILE_PICTURES;
    for (const char* name :
         {"jpeg-size-over-limit.jpg", "png-size-over-limit.png", "bmp-size-over-limit.bmp"}) {
        try {
            img::LoadFile(dir / name);
            ADD_FAILURE() << name;
        } catch (const img::Error& e) {
            EXPECT_NE(std::string(e.what()).find("too large (8000 x 7000"), std::string::npos) << e.what();
        }
    }
    const img::Bitmap photo = img::LoadMemory(img::EncodeJpeg(Quadrants(6000, 4000), 80));
    EXPECT_LE(std::int64_t(photo.width) * photo.height, 16'000'000);
    EXPECT_GE(photo.width, 3000);
    EXPECT_EQ(photo.width * 2, photo.height * 3);
    ExpectNear(ts::Pixel(photo, photo.width / 4, photo.height / 4), 0xFFFF0000, 12);
    ExpectNear(ts::Pixel(photo, photo.width * 3 / 4, photo.height * 3 / 4), 0xFFFFFFFF, 12);
}
