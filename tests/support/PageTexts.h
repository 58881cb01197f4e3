#pragma once
// The texts of a printed page by the name of the object that holds them, the
// texts of one object joined line by line: what the print tests of the cards
// compare.
#include <map>
#include <string>
#include <variant>

#include "platform/report/Report.h"

namespace ts {

inline std::map<std::string, std::string> TestiPagina(const report::Page& page) {
    std::map<std::string, std::string> texts;
    for (const auto& item : page.items)
        if (const auto* t = std::get_if<report::TextItem>(&item)) {
            std::string& s = texts[t->object];
            if (!s.empty()) s += "\n";
            s += t->text;
        }
    return texts;
}

} // namespace ts
