// The peer of an edit: a line edit whose caret and selection, set with the
// mouse, enter the model.
#include "platform/qt/Convert.h"
#include "platform/qt/Paint.h"
#include "platform/qt/peers/TextPeer.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace qtbackend {

namespace {

// A line edit whose panel is its fill and a one-pixel border in its own
// colours (the field highlight): drawn by FieldStyle with the painter the
// line edit paints its text with. A style sheet would give the same look
// at a far higher cost at every repaint, and a browsed card repaints every
// field whose text changed.
class FieldEdit final : public QLineEdit {
public:
    explicit FieldEdit(QWidget* parent);

    // Fill and border of the enabled field; disabled, the platform's
    // disabled colours.
    void SetColors(const QColor& fill, const QColor& stroke) {
        if (fill == fill_ && stroke == stroke_) return;
        fill_ = fill;
        stroke_ = stroke;
        update();
    }

    void PaintPanel(QPainter& p, const QRect& r) const {
        QColor fill = fill_, stroke = stroke_;
        if (!isEnabled()) {
            const QPalette pal = QApplication::palette();
            fill = Opaque(pal.color(QPalette::Disabled, QPalette::Window));
            stroke = Opaque(pal.color(QPalette::Disabled, QPalette::Mid));
        }
        p.fillRect(r, fill);
        p.fillRect(r.left(), r.top(), r.width(), 1, stroke);
        p.fillRect(r.left(), r.bottom(), r.width(), 1, stroke);
        p.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, stroke);
        p.fillRect(r.right(), r.top() + 1, 1, r.height() - 2, stroke);
    }

private:
    static QColor Opaque(const QColor& c) { return QColor(c.rgb()); }
    QColor fill_ = Qt::white;
    QColor stroke_ = Qt::gray;
};

// The application's style, but a field's panel is drawn by the field.
class FieldStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    // One for all fields, living with the application.
    static FieldStyle* Instance() {
        static QPointer<FieldStyle> style;
        if (!style) {
            style = new FieldStyle(QStyleFactory::create(QApplication::style()->name()));
            style->setParent(qApp);
        }
        return style;
    }

    void drawPrimitive(PrimitiveElement pe, const QStyleOption* opt, QPainter* p,
                       const QWidget* w) const override {
        if (pe == PE_PanelLineEdit)
            if (const auto* field = dynamic_cast<const FieldEdit*>(w))
                return field->PaintPanel(*p, opt->rect);
        QProxyStyle::drawPrimitive(pe, opt, p, w);
    }
};

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {
    setStyle(FieldStyle::Instance());
    setFrame(false);
    // The text inside the border, with two pixels on either side.
    setTextMargins(3, 1, 3, 1);
}

class EditPeer final : public TextPeer {
public:
    using TextPeer::TextPeer;

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        le_ = new FieldEdit(parent);
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
            // Set again, an alignment repaints the field even when it is the same.
            const Qt::Alignment align = Qalign(e.Align()) | Qt::AlignVCenter;
            if (le_->alignment() != align) le_->setAlignment(align);
            SetFontIfChanged(le_, Qfont(e.GetFont()));
            const EditColors colors = GetEditColors(e);
            le_->SetColors(ToQColor(colors.fill), ToQColor(colors.stroke));
            // The text in the font's colour; disabled, in the platform's
            // disabled colour.
            QPalette pal = le_->palette();
            SetEnabledColor(pal, QPalette::Text, ToQColor(e.GetFont().color));
            pal.setColor(QPalette::Disabled, QPalette::Text,
                         QColor(QApplication::palette().color(QPalette::Disabled, QPalette::Text).rgb()));
            SetPaletteIfChanged(le_, pal);
            // A field that covers itself is drawn without what lies beneath:
            // a changed text repaints the field alone, not the panels under it.
            le_->setAttribute(Qt::WA_OpaquePaintEvent,
                              (colors.fill >> 24) == 0xFF && (colors.stroke >> 24) == 0xFF);
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
    FieldEdit* le_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeEditPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<EditPeer>(bridge, control);
}

} // namespace qtbackend
