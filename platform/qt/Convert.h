#pragma once
// Conversions between the form model's values and Qt's, shared by the bridge
// and the peers.
#include <QBrush>
#include <QFont>
#include <QMouseEvent>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <string>

#include "platform/ui/Control.h"

namespace qtbackend {

inline QString Qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Model positions count characters (code points); Qt counts UTF-16 units.
int ToUtf16(const QString& s, int chars);
int ToChars(const QString& s, int utf16);

QFont Qfont(const ui::Font& f);
QBrush Qbrush(const ui::Brush& b, const QRectF& r);
QString CssColor(ui::Color c);
Qt::Alignment Qalign(ui::TextAlign a);
ui::Mod Qmods(Qt::KeyboardModifiers m);

// A colour of the model for an enabled control; a disabled one keeps the
// platform's disabled colour, so a user sees why a click does nothing.
void SetEnabledColor(QPalette& pal, QPalette::ColorRole role, const QColor& c);

// A point of one widget in the coordinates of another of the same window.
QPoint MapBetween(const QWidget* from, const QWidget* to, QPoint p);

// The model's mouse event at a point already in the target's coordinates.
ui::MouseEvent Qmouse(const QMouseEvent& e, QPoint at);

} // namespace qtbackend
