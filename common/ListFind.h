#pragma once
// Finding in list windows: find-next over the lines of a list, and the
// multi-criteria search rule of the search windows.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Record.h"
#include "platform/ui/ListItems.h"

namespace common {

// Find-next over the lines of a list. `selected` is the selected line (-1 for
// none); `findText` the text of the find field; `remembered` the last text
// searched for, updated here. Returns the line to select: the next line
// holding the lower-cased (A-Z only), untrimmed find text, from line 0 for a
// new text and after the selected line for a repeated one, round the end;
// the selection as it was (line 0 when none) when nothing matches. An empty
// find text matches nothing. The lines must not be empty.
int TrovaSuccessiva(std::span<const std::string> lines, int selected, std::string_view findText,
                    std::string& remembered);
// The same over a list box's items; lines made on demand are made one at a
// time as they are compared, and not kept.
int TrovaSuccessiva(const ui::ListItems& lines, int selected, std::string_view findText,
                    std::string& remembered);

// The multi-criteria search of the search windows. Each criterion is the
// text typed in one criteria edit and the record field it stands for. A
// record matches when every criterion whose trimmed text is not empty occurs,
// lower-cased (A-Z only) and untrimmed, in the lower-cased field text; with
// no such criterion every record matches.
struct Criterio {
    std::string testo;
    FieldRef campo;
};

class RicercaMultipla {
public:
    explicit RicercaMultipla(std::span<const Criterio> criteri);
    // The number of criteria given (trimmed text not empty), for `lblConta`.
    int CriteriDati() const { return int(needles_.size()); }
    bool Corrisponde(std::span<const std::uint8_t> record) const;

private:
    struct Needle {
        std::string text;
        FieldRef campo;
    };
    std::vector<Needle> needles_;
    mutable std::string scratch_; // the field being compared, reused
};

} // namespace common
