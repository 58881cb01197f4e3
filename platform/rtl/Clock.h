#pragma once
// The clock of the program: today's date and the local time of day. A test
// sets it to a fixed moment and resets it to the real clock afterwards.
#include "platform/rtl/Date.h"

namespace rtl {

Date Today();
DateTime Now();

// From now on Today() and Now() answer this moment, until ResetClock().
void SetClock(DateTime moment);
// Back to the real clock (the local time of the system).
void ResetClock();

} // namespace rtl
