// The peer of a rectangle, panel, group box or bare layout: a widget that
// draws the control's shape, fill and (for a group box) frame and title.
#include "platform/qt/Convert.h"
#include "platform/qt/Paint.h"
#include "platform/qt/peers/Peer.h"

#include <QPainter>

namespace qtbackend {

namespace {

class ShapeWidget : public QWidget {
public:
    ShapeWidget(ui::Control& control, QWidget* parent) : QWidget(parent), control_(&control) {}
    void Detach() { control_ = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!control_) return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect());
        if (auto* rc = dynamic_cast<ui::Rectangle*>(control_)) {
            const double t =
                rc->Stroke().kind == ui::Brush::Kind::None ? 0 : std::max(0, rc->StrokeThickness());
            const QRectF inner = r.adjusted(t / 2, t / 2, -t / 2, -t / 2);
            p.setBrush(Qbrush(rc->Fill(), r));
            if (t > 0)
                p.setPen(QPen(Qbrush(rc->Stroke(), r), t));
            else
                p.setPen(Qt::NoPen);
            if (rc->CornerRadius() > 0)
                p.drawRoundedRect(inner, rc->CornerRadius(), rc->CornerRadius());
            else
                p.drawRect(inner);
            return;
        }
        if (control_->Kind() == ui::ControlKind::Layout) return;
        p.fillRect(r, Qbrush(control_->Fill(), r));
        if (control_->Kind() == ui::ControlKind::GroupBox) {
            p.setFont(Qfont(control_->GetFont()));
            const QFontMetrics fm(p.font());
            const QRectF frame = r.adjusted(0.5, fm.height() / 2.0, -0.5, -0.5);
            p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(frame, 3, 3);
            const QString title = Qs(control_->Text());
            if (!title.isEmpty()) {
                const QRectF box(8, 0, fm.horizontalAdvance(title) + 8, fm.height());
                p.fillRect(box, palette().window());
                if (control_->Fill().kind != ui::Brush::Kind::None)
                    p.fillRect(box, Qbrush(control_->Fill(), r));
                p.setPen(ToQColor(control_->GetFont().color));
                p.drawText(box, Qt::AlignCenter, title);
            }
        }
    }

private:
    ui::Control* control_;
};

class ShapePeer final : public Peer {
public:
    using Peer::Peer;
    ~ShapePeer() override {
        if (widget_) widget_->Detach();
    }

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        widget_ = new ShapeWidget(GetControl(), parent);
        return widget_;
    }
    void SyncOwn(ui::Property) override { widget_->update(); }

private:
    ShapeWidget* widget_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeShapePeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<ShapePeer>(bridge, control);
}

} // namespace qtbackend
