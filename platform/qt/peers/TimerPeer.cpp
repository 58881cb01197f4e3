// The peer of a timer: a Qt timer, running whether or not the timer's
// window was ever shown.
#include "platform/qt/peers/Peer.h"
#include "platform/ui/Input.h"

#include <QTimer>

namespace qtbackend {

namespace {

class TimerPeer final : public Peer {
public:
    TimerPeer(Bridge& bridge, ui::Control& control) : Peer(bridge, control), timer_(new QTimer(this)) {
        connect(timer_, &QTimer::timeout, this, [this] { ui::input::TimerTick(Model()); });
    }

    void Sync(ui::Property) override {
        ui::Timer& t = Model();
        timer_->setInterval(std::max(1, t.Interval()));
        if (t.Enabled() && !timer_->isActive()) timer_->start();
        if (!t.Enabled()) timer_->stop();
    }

protected:
    // Never realised (windowless in the registry).
    QWidget* MakeWidget(QWidget*) override { return nullptr; }
    void SyncOwn(ui::Property) override {}

private:
    ui::Timer& Model() const { return static_cast<ui::Timer&>(GetControl()); }
    QTimer* timer_;
};

} // namespace

std::unique_ptr<Peer> MakeTimerPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<TimerPeer>(bridge, control);
}

} // namespace qtbackend
