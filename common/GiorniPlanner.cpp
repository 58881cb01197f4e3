#include "common/GiorniPlanner.h"

#include <cstdio>
#include <unordered_map>

namespace planner {

namespace {

constexpr int kLunghezze[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr const char* kTag[12] = {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu",
                                  "Lug", "Ago", "Set", "Ott", "Nov", "Dic"};
constexpr const char* kNomi[12] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                   "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};

std::array<Giorno, kGiorniPlanner> Costruisci() {
    std::array<Giorno, kGiorniPlanner> t{};
    int i = 0;
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= kLunghezze[m - 1]; ++d, ++i)
            t[i] = Giorno{m, d, i};
    return t;
}

std::string DueCifre(int d) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02d", d);
    return buf;
}

} // namespace

const std::array<Giorno, kGiorniPlanner>& Giorni() {
    static const std::array<Giorno, kGiorniPlanner> table = Costruisci();
    return table;
}

int GiorniMese(int m) {
    return m >= 1 && m <= 12 ? kLunghezze[m - 1] : 0;
}

std::string TagMese(int m) {
    return m >= 1 && m <= 12 ? kTag[m - 1] : "";
}

std::string NomeMese(int m) {
    return m >= 1 && m <= 12 ? kNomi[m - 1] : "";
}

std::string ChiaveGiorno(const Giorno& g) {
    std::string tag = TagMese(g.month);
    if (!tag.empty()) tag[0] = static_cast<char>(tag[0] - 'A' + 'a');
    return tag + "_" + DueCifre(g.day);
}

std::optional<int> IndiceChiave(std::string_view key) {
    static const std::unordered_map<std::string, int> byKey = [] {
        std::unordered_map<std::string, int> m;
        for (const Giorno& g : Giorni())
            m.emplace(ChiaveGiorno(g), g.index);
        return m;
    }();
    auto it = byKey.find(std::string(key));
    if (it == byKey.end()) return std::nullopt;
    return it->second;
}

std::optional<int> IndiceGiorno(int m, int d) {
    if (d < 1 || d > GiorniMese(m)) return std::nullopt;
    int i = d - 1;
    for (int k = 1; k < m; ++k)
        i += kLunghezze[k - 1];
    return i;
}

std::string NomeCella(std::string_view role, const Giorno& g) {
    return std::string(role) + TagMese(g.month) + "_" + DueCifre(g.day);
}

} // namespace planner
