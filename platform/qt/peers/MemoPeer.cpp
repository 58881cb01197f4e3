// The peer of a memo: a plain text edit whose caret and selection, set with
// the mouse, enter the model (a copy takes the model's selection).
#include "platform/qt/Convert.h"
#include "platform/qt/peers/TextPeer.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace qtbackend {

namespace {

QString MemoStyleSheet(ui::Memo& m) {
    const auto [fill, stroke] = GetEditColors(m);
    // Disabled, the platform's disabled colours.
    const QPalette pal = QApplication::palette();
    return QStringLiteral("QPlainTextEdit { background-color: %1; border: 1px solid %2; color: %3; "
                          "padding: 0px 2px; } "
                          "QPlainTextEdit:disabled { background-color: %4; border-color: %5; color: %6; }")
        .arg(CssColor(fill), CssColor(stroke), CssColor(m.GetFont().color),
             pal.color(QPalette::Disabled, QPalette::Window).name(),
             pal.color(QPalette::Disabled, QPalette::Mid).name(),
             pal.color(QPalette::Disabled, QPalette::Text).name());
}

class MemoPeer final : public TextPeer {
public:
    using TextPeer::TextPeer;

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        te_ = new QPlainTextEdit(parent);
        te_->setContextMenuPolicy(Qt::NoContextMenu);
        auto caret = [this] {
            if (Syncing()) return;
            ui::Memo& m = Model();
            const QString text = te_->toPlainText();
            const QTextCursor cur = te_->textCursor();
            if (cur.hasSelection()) {
                const int start = ToChars(text, cur.selectionStart());
                m.SetSelection(start, ToChars(text, cur.selectionEnd()) - start);
            } else {
                m.SetCaretPosition(ToChars(text, cur.position()));
            }
        };
        connect(te_, &QPlainTextEdit::cursorPositionChanged, this, caret);
        connect(te_, &QPlainTextEdit::selectionChanged, this, caret);
        Route(te_->viewport());
        return te_;
    }

    void SyncOwn(ui::Property p) override {
        ui::Memo& m = Model();
        const QString text = Qs(m.Text());
        if (te_->toPlainText() != text) te_->setPlainText(text);
        if (ChangesLook(p)) {
            te_->setReadOnly(m.ReadOnly());
            te_->setLineWrapMode(m.WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            SetFontIfChanged(te_, Qfont(m.GetFont()));
            SetStyleIfChanged(te_, MemoStyleSheet(m));
        }
        QTextCursor cur = te_->textCursor();
        const int size = int(text.size());
        if (m.SelLength() > 0) {
            const int from = std::min(ToUtf16(text, m.SelStart()), size);
            const int to = std::min(ToUtf16(text, m.SelStart() + m.SelLength()), size);
            if (cur.selectionStart() != from || cur.selectionEnd() != to) {
                cur.setPosition(from);
                cur.setPosition(to, QTextCursor::KeepAnchor);
                te_->setTextCursor(cur);
            }
        } else {
            const int pos = std::min(ToUtf16(text, m.CaretPosition()), size);
            if (cur.hasSelection() || cur.position() != pos) {
                cur.setPosition(pos);
                te_->setTextCursor(cur);
            }
        }
    }

private:
    ui::Memo& Model() const { return static_cast<ui::Memo&>(GetControl()); }
    QPlainTextEdit* te_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeMemoPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<MemoPeer>(bridge, control);
}

} // namespace qtbackend
