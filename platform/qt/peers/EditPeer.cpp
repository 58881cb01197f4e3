// The peer of an edit: a line edit whose caret and selection, set with the
// mouse, enter the model.
#include "platform/qt/Convert.h"
#include "platform/qt/peers/TextPeer.h"

#include <QLineEdit>

namespace qtbackend {

namespace {

class EditPeer final : public TextPeer {
public:
    using TextPeer::TextPeer;

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        le_ = new QLineEdit(parent);
        le_->setContextMenuPolicy(Qt::NoContextMenu);
        connect(le_, &QLineEdit::cursorPositionChanged, this, [this](int, int pos) {
            if (Syncing()) return;
            if (!le_->hasSelectedText()) Model().SetCaretPosition(ToChars(le_->text(), pos));
        });
        connect(le_, &QLineEdit::selectionChanged, this, [this] {
            if (Syncing() || !le_->hasSelectedText()) return;
            const int start = ToChars(le_->text(), le_->selectionStart());
            Model().SetSelection(start, ToChars(le_->text(), le_->selectionEnd()) - start);
        });
        return le_;
    }

    void SyncOwn(ui::Property p) override {
        ui::Edit& e = Model();
        const QString text = Qs(e.Text());
        if (le_->text() != text) le_->setText(text);
        if (ChangesLook(p)) {
            le_->setReadOnly(e.ReadOnly());
            le_->setEchoMode(e.Password() ? QLineEdit::Password : QLineEdit::Normal);
            le_->setAlignment(Qalign(e.Align()) | Qt::AlignVCenter);
            SetFontIfChanged(le_, Qfont(e.GetFont()));
            SetStyleIfChanged(le_, EditStyleSheet(e, "QLineEdit"));
            // An edit that covers itself is drawn without what lies beneath:
            // a changed text repaints the edit alone, not the panels under it.
            le_->setAttribute(Qt::WA_OpaquePaintEvent, EditOpaque(e));
        }
        // Only the focused edit shows its selection: one left by Enter or Tab
        // keeps it in the model but is drawn with the caret alone, as Qt does
        // itself when a field loses the focus.
        if (e.SelLength() > 0 && e.IsFocused())
            le_->setSelection(ToUtf16(text, e.SelStart()),
                              ToUtf16(text, e.SelStart() + e.SelLength()) - ToUtf16(text, e.SelStart()));
        else
            le_->setCursorPosition(ToUtf16(text, e.CaretPosition()));
    }

private:
    ui::Edit& Model() const { return static_cast<ui::Edit&>(GetControl()); }
    QLineEdit* le_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeEditPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<EditPeer>(bridge, control);
}

} // namespace qtbackend
