#include "platform/qt/peers/TextPeer.h"

#include "platform/ui/Input.h"
#include "platform/ui/Internal.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace qtbackend {

bool TextPeer::Refuse(QEvent& e) {
    switch (e.type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // Dropped text would enter the field behind the model and its key
        // filters.
        e.ignore();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        // The middle button pastes the window system's selection into text
        // widgets on some desktops, behind the model.
        const auto& me = static_cast<const QMouseEvent&>(e);
        return me.button() == Qt::MiddleButton || (me.buttons() & Qt::MiddleButton);
    }
    default:
        return false;
    }
}

bool TextPeer::Command(const QKeyEvent& ke) {
    auto& edit = static_cast<ui::Edit&>(GetControl());
    ui::Form& f = edit.GetForm();
    if (ke.matches(QKeySequence::Paste)) {
        // Pasted text passes the same key filters as typed text.
        if (!edit.ReadOnly()) ui::input::Paste(f, QGuiApplication::clipboard()->text().toStdString());
        return true;
    }
    if (ke.matches(QKeySequence::Copy) || ke.matches(QKeySequence::Cut)) {
        if (!edit.Password() && edit.SelLength() > 0) {
            const std::u32string text = ui::detail::Decode(edit.Text());
            const std::u32string part =
                text.substr(std::size_t(edit.SelStart()), std::size_t(edit.SelLength()));
            QGuiApplication::clipboard()->setText(QString::fromStdU32String(part));
            if (ke.matches(QKeySequence::Cut) && !edit.ReadOnly()) ui::input::KeyDown(f, ui::vk::Delete, 0);
        }
        return true;
    }
    if (ke.matches(QKeySequence::SelectAll)) {
        edit.SelectAll();
        return true;
    }
    return false;
}

EditColors GetEditColors(ui::Edit& e) {
    EditColors c{e.Fill().kind == ui::Brush::Kind::Solid && e.Fill().color ? e.Fill().color
                                                                           : ui::colors::White,
                 0xFFA0A0A0};
    if (ui::StyleElement* bg = e.FindStyleResource("background"); bg && !bg->children.empty()) {
        const ui::StyleRect& r = *bg->children.back();
        if (r.fill) c.fill = r.fill;
        if (r.stroke) c.stroke = r.stroke;
    }
    return c;
}

} // namespace qtbackend
