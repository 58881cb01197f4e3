// The peer of a label: a plain-text label in the label's font and colours.
#include "platform/qt/Convert.h"
#include "platform/qt/Paint.h"
#include "platform/qt/peers/Peer.h"

#include <QLabel>

namespace qtbackend {

namespace {

class LabelPeer final : public Peer {
public:
    using Peer::Peer;

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        label_ = new QLabel(parent);
        label_->setTextFormat(Qt::PlainText);
        return label_;
    }

    void SyncOwn(ui::Property p) override {
        auto& l = static_cast<ui::Label&>(GetControl());
        const QString text = Qs(l.Text());
        if (label_->text() != text) label_->setText(text);
        if (!ChangesLook(p)) return;
        SetFontIfChanged(label_, Qfont(l.GetFont()));
        label_->setAlignment(Qalign(l.Align()) | (l.WordWrap() ? Qt::AlignTop : Qt::AlignVCenter));
        if (label_->wordWrap() != l.WordWrap())
            label_->setWordWrap(l.WordWrap()); // set again, it lays out again
        QPalette pal = label_->palette();
        SetEnabledColor(pal, QPalette::WindowText, ToQColor(l.GetFont().color));
        const bool filled = l.Fill().kind == ui::Brush::Kind::Solid && l.Fill().color;
        if (filled) pal.setColor(QPalette::Window, ToQColor(l.Fill().color));
        label_->setAutoFillBackground(filled);
        SetPaletteIfChanged(label_, pal);
    }

private:
    QLabel* label_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeLabelPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<LabelPeer>(bridge, control);
}

} // namespace qtbackend
