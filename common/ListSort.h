#pragma once
// The order of sorted lists and the listed records as a list box keeps them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <thread>
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
// The same over the texts of several lists taken one after the other.
rtl::BigVector<std::uint32_t> OrdineInLista(std::span<const ui::ListItems> parti);

// The memory a sort of `n` texts will take, readied on a thread of its own
// while the texts are still being written: fresh memory is slow to touch
// the first time (above all on virtual machines). Held until the object goes
// (or Cedi), then kept for the sort that follows (see rtl::BigMemory).
class MemoriaOrdine {
public:
    explicit MemoriaOrdine(std::size_t n);
    ~MemoriaOrdine() { Cedi(); }
    MemoriaOrdine(const MemoriaOrdine&) = delete;
    MemoriaOrdine& operator=(const MemoriaOrdine&) = delete;
    // Waits for the thread and hands the memory over.
    void Cedi();

private:
    std::vector<rtl::BigArray<std::byte>> blocchi_;
    std::thread thread_;
};

} // namespace common
