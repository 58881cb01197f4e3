#include "platform/qt/Convert.h"

#include "platform/qt/FontMap.h"
#include "platform/qt/Paint.h"

#include <QLinearGradient>

namespace qtbackend {

int ToUtf16(const QString& s, int chars) {
    int pos = 0;
    for (int n = 0; n < chars && pos < s.size(); ++n)
        pos += (s[pos].isHighSurrogate() && pos + 1 < s.size()) ? 2 : 1;
    return pos;
}

int ToChars(const QString& s, int utf16) {
    int chars = 0;
    for (int pos = 0; pos < utf16 && pos < s.size(); ++chars)
        pos += (s[pos].isHighSurrogate() && pos + 1 < s.size()) ? 2 : 1;
    return chars;
}

QFont Qfont(const ui::Font& f) {
    return MakeFont(Qs(f.family), f.size, f.bold, f.italic, f.underline);
}

QBrush Qbrush(const ui::Brush& b, const QRectF& r) {
    switch (b.kind) {
    case ui::Brush::Kind::None:
        return Qt::NoBrush;
    case ui::Brush::Kind::Solid:
        return b.color ? QBrush(ToQColor(b.color)) : QBrush(Qt::NoBrush);
    case ui::Brush::Kind::VerticalGradient: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, ToQColor(b.color));
        g.setColorAt(1, ToQColor(b.color2));
        return g;
    }
    }
    return Qt::NoBrush;
}

QString CssColor(ui::Color c) {
    const QColor q = ToQColor(c);
    return QStringLiteral("rgba(%1,%2,%3,%4)").arg(q.red()).arg(q.green()).arg(q.blue()).arg(q.alpha());
}

void SetEnabledColor(QPalette& pal, QPalette::ColorRole role, const QColor& c) {
    pal.setColor(QPalette::Active, role, c);
    pal.setColor(QPalette::Inactive, role, c);
}

Qt::Alignment Qalign(ui::TextAlign a) {
    switch (a) {
    case ui::TextAlign::Leading:
        return Qt::AlignLeft;
    case ui::TextAlign::Center:
        return Qt::AlignHCenter;
    case ui::TextAlign::Trailing:
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

ui::Mod Qmods(Qt::KeyboardModifiers m) {
    ui::Mod out = ui::Mod::None;
    if (m & Qt::ShiftModifier) out = out | ui::Mod::Shift;
    if (m & Qt::ControlModifier) out = out | ui::Mod::Ctrl;
    if (m & Qt::AltModifier) out = out | ui::Mod::Alt;
    return out;
}

// Qt maps only between a widget and its ancestors (anything else reads
// through a null parent), so the point goes up from `from` to the top-level
// window, which is an ancestor of both, and down from there to `to`; whatever
// the nesting (viewports, scroll areas, centred design areas, panels in
// panels) and whichever of the two contains the other.
QPoint MapBetween(const QWidget* from, const QWidget* to, QPoint p) {
    if (from == to) return p;
    const QWidget* top = from->window();
    if (to->window() != top) return to->mapFromGlobal(from->mapToGlobal(p));
    return to->mapFrom(top, from->mapTo(top, p));
}

ui::MouseEvent Qmouse(const QMouseEvent& e, QPoint at) {
    ui::MouseEvent m;
    m.button = e.button() == Qt::RightButton    ? ui::MouseButton::Right
               : e.button() == Qt::MiddleButton ? ui::MouseButton::Middle
                                                : ui::MouseButton::Left;
    m.mods = Qmods(e.modifiers());
    m.x = at.x();
    m.y = at.y();
    return m;
}

} // namespace qtbackend
