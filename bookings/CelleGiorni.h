#pragma once
// The planner's day cells as the booking dialogs write them: the planner
// window opens a booking dialog and hands it its cells, and the dialog
// writes the booking text of a day through them.
#include <string>

namespace bookings {

class CelleGiorni {
public:
    // Writes the text of the day with planner index i (0 to 365): the day is
    // booked exactly when the trimmed text is not empty.
    virtual void ScriviGiorno(int i, const std::string& testo) = 0;

protected:
    ~CelleGiorni() = default;
};

} // namespace bookings
