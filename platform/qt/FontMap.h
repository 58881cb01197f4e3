#pragma once
// The font families that the windows name are Windows fonts; each is drawn
// with an installed free font of the same metrics, so that fixed-width list
// lines stay aligned and texts keep their size.
#include <QFont>
#include <QString>

namespace qtbackend {

// The installed family that stands for a family named by a window.
QString MapFamily(const QString& family);

// A font of the mapped family. Sizes are pixels (1/96 inch), as the layouts
// give them.
QFont MakeFont(const QString& family, double pixelSize, bool bold, bool italic, bool underline);

// Registers the substitutions with Qt, so that a family name that reaches Qt
// unmapped still finds its stand-in.
void InstallFontSubstitutions();

} // namespace qtbackend
