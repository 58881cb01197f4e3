#include "platform/qt/FontMap.h"

#include <algorithm>
#include <cmath>

namespace qtbackend {

namespace {
struct Substitute {
    const char* family;
    const char* installed;
};
constexpr Substitute kSubstitutes[] = {
    {"Verdana", "DejaVu Sans"},
    {"Tahoma", "DejaVu Sans"},
    {"Segoe UI", "DejaVu Sans"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};
constexpr const char* kDefaultFamily = "DejaVu Sans";
} // namespace

QString MapFamily(const QString& family) {
    const QString trimmed = family.trimmed();
    if (trimmed.isEmpty()) return kDefaultFamily;
    for (const auto& s : kSubstitutes)
        if (trimmed.compare(QLatin1String(s.family), Qt::CaseInsensitive) == 0) return s.installed;
    return trimmed;
}

QFont MakeFont(const QString& family, double pixelSize, bool bold, bool italic, bool underline) {
    QFont font(MapFamily(family));
    font.setPixelSize(pixelSize > 0 ? std::max(1, static_cast<int>(std::lround(pixelSize))) : 12);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void InstallFontSubstitutions() {
    for (const auto& s : kSubstitutes)
        QFont::insertSubstitution(s.family, s.installed);
}

} // namespace qtbackend
