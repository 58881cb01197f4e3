// The peer of a chart: a widget that paints the chart model.
#include "platform/qt/Convert.h"
#include "platform/qt/Paint.h"
#include "platform/qt/peers/Peer.h"

#include <QPainter>

namespace qtbackend {

namespace {

class ChartWidget : public QWidget {
public:
    ChartWidget(ui::ChartView& view, QWidget* parent) : QWidget(parent), view_(&view) {}
    void Detach() { view_ = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!view_) return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (view_->Fill().kind != ui::Brush::Kind::None) p.fillRect(rect(), Qbrush(view_->Fill(), rect()));
        PaintChart(p, view_->Chart(), QRectF(rect()));
    }

private:
    ui::ChartView* view_;
};

class ChartPeer final : public Peer {
public:
    using Peer::Peer;
    ~ChartPeer() override {
        if (widget_) widget_->Detach();
    }

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        widget_ = new ChartWidget(static_cast<ui::ChartView&>(GetControl()), parent);
        return widget_;
    }
    void SyncOwn(ui::Property) override { widget_->update(); }

private:
    ChartWidget* widget_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeChartPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<ChartPeer>(bridge, control);
}

} // namespace qtbackend
