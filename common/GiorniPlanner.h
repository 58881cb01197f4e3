#pragma once
// The planner calendar: a planner year always has 366 days in twelve month
// rows, February with 29 days whatever the year. One table gives each day's
// month, day and index (its slot in the planner file, 1 January 0,
// 29 February 59, 31 December 365) and the names built from them: the day
// key "gen_01" that the booking dialogs receive and the cell names
// "libGen_01", "occGen_01", "memGen_01" of the planner window.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace planner {

struct Giorno {
    int month; // 1 to 12
    int day;   // 1 to the month's planner length (29 for February)
    int index; // 0 to 365, in calendar order
};

constexpr int kGiorniPlanner = 366;

// The 366 days in calendar order; Giorni()[i].index == i.
const std::array<Giorno, kGiorniPlanner>& Giorni();

// Days of month m in the planner: 31, 29, 31, 30, ... (0 outside 1 to 12).
int GiorniMese(int m);
// "Gen" .. "Dic"; empty outside 1 to 12.
std::string TagMese(int m);
// "gennaio" .. "dicembre"; empty outside 1 to 12.
std::string NomeMese(int m);

// "gen_01" .. "dic_31".
std::string ChiaveGiorno(const Giorno& g);
// The index of a day key; exact and case-sensitive, none for anything else.
std::optional<int> IndiceChiave(std::string_view key);
// The index of day d of month m; none for a day the planner does not have.
std::optional<int> IndiceGiorno(int m, int d);
// The cell control name: role ("lib", "occ", "mem") + "Gen_01".
std::string NomeCella(std::string_view role, const Giorno& g);

} // namespace planner
