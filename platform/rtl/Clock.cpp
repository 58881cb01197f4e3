#include "platform/rtl/Clock.h"

#include <ctime>
#include <optional>

namespace rtl {

namespace {
std::optional<DateTime> fixedMoment;
}

DateTime Now() {
    if (fixedMoment) return *fixedMoment;
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    DateTime now;
    now.date = Date::FromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(Date());
    now.time = {local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec};
    return now;
}

Date Today() {
    return Now().date;
}

void SetClock(DateTime moment) {
    fixedMoment = moment;
}

void ResetClock() {
    fixedMoment.reset();
}

} // namespace rtl
