#include "platform/qt/FontMap.h"
#include "tests/platform/qt/QtApp.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace qtbackend;

TEST(FontMap, WindowsFamiliesResolveToInstalledFreeFonts) {
    QtApplication();
    const struct {
        const char* named;
        const char* installed;
    } cases[] = {
        {"Verdana", "DejaVu Sans"},         {"Tahoma", "DejaVu Sans"},          {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"}, {"courier new", "Liberation Mono"}, {"", "DejaVu Sans"},
    };
    for (const auto& c : cases) {
        const QFont font = MakeFont(c.named, 12, false, false, false);
        EXPECT_EQ(QFontInfo(font).family(), QString(c.installed)) << c.named;
    }
}

TEST(FontMap, SizesArePixelsAndStylesKept) {
    QtApplication();
    const QFont font = MakeFont("Verdana", 14, true, true, true);
    EXPECT_EQ(QFontInfo(font).pixelSize(), 14);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
}

TEST(FontMap, FixedWidthListLinesStayAligned) {
    QtApplication();
    const QFontMetrics m(MakeFont("Courier New", 12, false, false, false));
    // Lines of equal length in characters must be equally wide whatever they hold.
    EXPECT_EQ(m.horizontalAdvance("iiiiiiiiii"), m.horizontalAdvance("WWWWWWWWWW"));
    EXPECT_EQ(m.horizontalAdvance("AB-12 àè  "), m.horizontalAdvance("MMMMMMMMMM"));
}

TEST(FontMap, SubstitutionsReachUnmappedNames) {
    QtApplication();
    InstallFontSubstitutions();
    QFont raw("Courier New");
    raw.setPixelSize(12);
    EXPECT_EQ(QFontInfo(raw).family(), QString("Liberation Mono"));
}
