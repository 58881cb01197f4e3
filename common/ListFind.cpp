#include "common/ListFind.h"

#include <algorithm>

#include "platform/rtl/Text.h"

namespace common {

namespace {
inline char LowerByte(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Line i of a list, read for one comparison.
struct DaSpan {
    std::span<const std::string> lines;
    std::size_t size() const { return lines.size(); }
    std::string_view operator()(std::size_t i) { return lines[i]; }
};
struct DaItems {
    const ui::ListItems& lines;
    std::string scratch;
    std::size_t size() const { return lines.size(); }
    std::string_view operator()(std::size_t i) { return lines.Read(i, scratch); }
};

template <class Righe>
int TrovaIn(Righe lines, int selected, std::string_view findText, std::string& remembered) {
    const int count = int(lines.size());
    if (count == 0) return -1;
    if (selected < 0 || selected >= count) selected = 0;
    const std::string needle = rtl::LowerAscii(findText);
    const bool repeated = needle == remembered;
    remembered = needle;
    // An empty find text matches nothing: no line is read.
    if (needle.empty()) return selected;
    // Each line read lower-cased as it is compared (no copy of the line).
    auto holds = [&](int i) {
        const std::string_view line = lines(std::size_t(i));
        return std::search(line.begin(), line.end(), needle.begin(), needle.end(),
                           [](char a, char b) { return LowerByte(a) == b; }) != line.end();
    };
    int found = -1;
    if (!repeated) {
        if (holds(0)) found = 0;
        for (int i = 1; found < 0 && i < count; ++i)
            if (holds(i)) found = i;
    } else {
        for (int step = 1; found < 0 && step <= count; ++step) {
            const int i = (selected + step) % count;
            if (holds(i)) found = i;
        }
    }
    return found >= 0 ? found : selected;
}
} // namespace

int TrovaSuccessiva(std::span<const std::string> lines, int selected, std::string_view findText,
                    std::string& remembered) {
    return TrovaIn(DaSpan{lines}, selected, findText, remembered);
}

int TrovaSuccessiva(const ui::ListItems& lines, int selected, std::string_view findText,
                    std::string& remembered) {
    return TrovaIn(DaItems{lines, {}}, selected, findText, remembered);
}

RicercaMultipla::RicercaMultipla(std::span<const Criterio> criteri) {
    for (const Criterio& c : criteri)
        if (!rtl::Trim(c.testo).empty()) needles_.push_back({rtl::LowerAscii(c.testo), c.campo});
}

bool RicercaMultipla::Corrisponde(std::span<const std::uint8_t> record) const {
    for (const Needle& n : needles_) {
        // The trimmed field decoded and lower-cased into one reused buffer.
        scratch_.clear();
        rtl::AppendCp1252AsUtf8(scratch_, rtl::TrimView(RawText(record, n.campo)));
        for (char& c : scratch_)
            c = LowerByte(c);
        if (scratch_.find(n.text) == std::string::npos) return false;
    }
    return true;
}

} // namespace common
