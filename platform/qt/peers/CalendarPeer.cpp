// The peer of a calendar: a calendar widget in Italian that moves through
// its days itself; a day clicked or moved to enters the model.
#include "platform/qt/Convert.h"
#include "platform/qt/peers/ViewPeer.h"
#include "platform/ui/Input.h"

#include <QCalendarWidget>

namespace qtbackend {

namespace {

class CalendarPeer final : public ViewPeer {
public:
    using ViewPeer::ViewPeer;

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        cal_ = new QCalendarWidget(parent);
        cal_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        cal_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
        // The month's name in the header opens its menu without a drop
        // arrow drawn under it.
        cal_->setStyleSheet(QStringLiteral(
            "QToolButton#qt_calendar_monthbutton::menu-indicator { image: none; width: 0px; }"));
        connect(cal_, &QCalendarWidget::clicked, this, [this](QDate d) {
            if (Syncing()) return;
            if (auto date = rtl::Date::FromYmd(d.year(), d.month(), d.day()))
                ui::input::PickDate(Model(), *date);
        });
        connect(cal_, &QCalendarWidget::selectionChanged, this, [this] {
            // The day moved (by keyboard, or by the mouse just before its
            // click, which reports itself through clicked): no click here.
            if (Syncing()) return;
            const QDate d = cal_->selectedDate();
            const rtl::Date m = Model().Date();
            if (QDate(m.Year(), m.Month(), m.Day()) == d) return;
            if (auto date = rtl::Date::FromYmd(d.year(), d.month(), d.day()))
                ui::input::MoveDate(Model(), *date);
        });
        connect(cal_, &QCalendarWidget::activated, this, [this](QDate) {
            // The first press of the double click already picked the day.
            if (!Syncing() && Model().OnDblClick) ui::input::SecondClick(Model());
        });
        return cal_;
    }

    void SyncOwn(ui::Property) override {
        ui::Calendar& cal = Model();
        const QDate d(cal.Date().Year(), cal.Date().Month(), cal.Date().Day());
        if (d.isValid() && cal_->selectedDate() != d) cal_->setSelectedDate(d);
        SetFontIfChanged(cal_, Qfont(cal.GetFont()));
    }

private:
    ui::Calendar& Model() const { return static_cast<ui::Calendar&>(GetControl()); }
    QCalendarWidget* cal_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakeCalendarPeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<CalendarPeer>(bridge, control);
}

} // namespace qtbackend
