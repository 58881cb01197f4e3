#include "platform/rtl/BigMemory.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <unordered_map>

namespace rtl {

namespace {
// The unit of mapping, and the size of the blocks that middle-sized requests
// share.
constexpr std::size_t kLastra = std::size_t(2) << 20;
// Freed blocks kept for the next large list (up to this much in all): a
// list built again takes memory already mapped and faulted in.
constexpr std::size_t kKeptMax = std::size_t(64) << 20;

std::size_t Mapped(std::size_t bytes) {
    return (bytes + kLastra - 1) & ~(kLastra - 1);
}

// A 2 MiB block shared by requests smaller than it, cut one after the
// other: a list's many middle-sized arrays take a few mappings together
// instead of one each. It is free again when all its pieces are.
struct Lastra {
    char* base = nullptr;
    std::size_t used = 0;
    std::size_t pieces = 0;
};

struct Blocks {
    std::mutex mutex;
    std::unordered_map<void*, std::size_t> live; // blocks in use, by their mapped size
    std::multimap<std::size_t, void*> kept;      // freed blocks, by size
    std::size_t keptBytes = 0;
    std::unordered_map<void*, Lastra*> pieces; // pieces in use, by their slab
    Lastra* current = nullptr;                 // the slab being cut
};
Blocks& Blocchi() {
    static Blocks* blocks = new Blocks; // never destroyed: blocks may be freed at exit
    return *blocks;
}

void* Map(std::size_t size) {
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_NOHUGEPAGE
    // Small pages, even where the system would give huge ones: a list
    // touches its memory once, and a fresh huge page costs more than its 512
    // small ones (on a virtual machine after an idle pause, four to six times
    // as much), while the blocks kept for the next list fault no more.
    ::madvise(p, size, MADV_NOHUGEPAGE);
#endif
    return p;
}
} // namespace

namespace {
// A block of `size` (a multiple of 2 MiB): a kept one when there is one
// large enough and not far larger, else a new one. Under the lock.
void* Block(Blocks& b, std::size_t size) {
    const auto it = b.kept.lower_bound(size);
    if (it != b.kept.end() && it->first <= 2 * size) {
        void* p = it->second;
        b.live.emplace(p, it->first);
        b.keptBytes -= it->first;
        b.kept.erase(it);
        return p;
    }
    void* p = Map(size);
    try {
        b.live.emplace(p, size);
    } catch (...) {
        // The block is unmapped again, whatever failed; the failure goes on.
        ::munmap(p, size);
        throw;
    }
    return p;
}

// Gives a block back: kept for the next request while the kept ones stay
// within kKeptMax, else unmapped. Under the lock.
void Release(Blocks& b, void* p, std::size_t size) noexcept {
    if (const auto it = b.live.find(p); it != b.live.end()) {
        size = it->second;
        b.live.erase(it);
    }
    if (b.keptBytes + size <= kKeptMax) {
        try {
            b.kept.emplace(size, p);
            b.keptBytes += size;
            return;
        } catch (const std::bad_alloc&) {
            // Not kept: unmapped below.
        }
    }
    ::munmap(p, size);
}
} // namespace

void* AllocateBig(std::size_t bytes) {
    if (bytes < kBigBytes) return ::operator new(bytes);
    const std::size_t size = Mapped(bytes);
    if (size < bytes) throw std::bad_alloc();
    Blocks& b = Blocchi();
    const std::lock_guard lock(b.mutex);
    if (size > kLastra) return Block(b, size);
    // A piece of the current slab, 64-byte aligned.
    const std::size_t piece = (bytes + 63) & ~std::size_t(63);
    if (!b.current || b.current->used + piece > kLastra) {
        auto slab = std::make_unique<Lastra>();
        slab->base = static_cast<char*>(Block(b, kLastra));
        if (b.current && b.current->pieces == 0) {
            Release(b, b.current->base, kLastra);
            delete b.current;
        }
        b.current = slab.release();
    }
    void* p = b.current->base + b.current->used;
    try {
        b.pieces.emplace(p, b.current);
    } catch (...) {
        // The piece is given back, whatever failed; the failure goes on.
        if (b.current->pieces == 0) b.current->used = 0;
        throw;
    }
    b.current->used += piece;
    ++b.current->pieces;
    return p;
}

void FreeBig(void* p, std::size_t bytes) noexcept {
    if (!p) return;
    if (bytes < kBigBytes) {
        ::operator delete(p);
        return;
    }
    Blocks& b = Blocchi();
    const std::lock_guard lock(b.mutex);
    if (const auto it = b.pieces.find(p); it != b.pieces.end()) {
        Lastra* slab = it->second;
        b.pieces.erase(it);
        if (--slab->pieces > 0) return;
        if (slab == b.current) {
            slab->used = 0; // cut again from the start
            return;
        }
        Release(b, slab->base, kLastra);
        delete slab;
        return;
    }
    Release(b, p, Mapped(bytes));
}

} // namespace rtl
