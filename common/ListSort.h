#pragma once
// The order of sorted lists and the listed records as a list box keeps them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/BigMemory.h"
#include "platform/ui/ListItems.h"

namespace common {

// The order of sorted lists: character by character, a-z read as A-Z, every
// character then by its code; a text that begins another comes first.
bool PrecedeInLista(std::string_view a, std::string_view b);

// A listed record: its line and its 1-based record number in the archive,
// kept with the line so that a recall loads the record the user chose.
struct VoceLista {
    std::string riga;
    std::uint32_t numero = 0;
};

// Listed records as a list box keeps them: the lines (kept in one buffer,
// or made when asked for), in the order of the list, and beside them the
// record number of each line.
struct VociLista {
    ui::ListItems righe;
    rtl::BigVector<std::uint32_t> numeri;

    std::size_t size() const { return righe.size(); }
    void clear() {
        righe.clear();
        numeri.clear();
    }
};

// Sorts the entries by PrecedeInLista; equal lines keep the file order.
void OrdinaVoci(std::vector<VoceLista>& voci);
void OrdinaVoci(VociLista& voci);

// The order of the kept texts of `testi` by PrecedeInLista, equal texts in
// their order: element k is the index of the text that comes k-th.
rtl::BigVector<std::uint32_t> OrdineInLista(const ui::ListItems& testi);

} // namespace common
