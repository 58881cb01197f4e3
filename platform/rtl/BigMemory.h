#pragma once
// Memory for large working arrays: the entries and sort keys of long lists,
// the read blocks of whole-archive passes. A block of at least kBigBytes is
// mapped on its own, in small pages (never the system's transparent huge
// pages, whose first touch is the slower: see Map); blocks under 2 MiB are
// cut from shared 2 MiB blocks. Smaller blocks come from operator new.
// Freed blocks are kept, up to 64 MiB in all, for the next large request:
// a list built again finds its memory ready, already faulted in.
#include <cstddef>
#include <utility>
#include <vector>

namespace rtl {

inline constexpr std::size_t kBigBytes = std::size_t(64) << 10;

// Throws std::bad_alloc when the memory cannot be had. FreeBig takes the
// size given to AllocateBig.
void* AllocateBig(std::size_t bytes);
void FreeBig(void* p, std::size_t bytes) noexcept;

template <class T> struct BigAllocator {
    using value_type = T;
    BigAllocator() = default;
    template <class U> BigAllocator(const BigAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateBig(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeBig(p, n * sizeof(T)); }
    template <class U> bool operator==(const BigAllocator<U>&) const noexcept { return true; }
};

template <class T> using BigVector = std::vector<T, BigAllocator<T>>;

// An array of `n` elements left as they come (the caller writes each before
// reading it).
template <class T> class BigArray {
public:
    BigArray() = default;
    explicit BigArray(std::size_t n)
        : data_(n ? static_cast<T*>(AllocateBig(n * sizeof(T))) : nullptr), n_(n) {}
    BigArray(BigArray&& o) noexcept : data_(std::exchange(o.data_, nullptr)), n_(std::exchange(o.n_, 0)) {}
    BigArray& operator=(BigArray&& o) noexcept {
        if (this != &o) {
            Release();
            data_ = std::exchange(o.data_, nullptr);
            n_ = std::exchange(o.n_, 0);
        }
        return *this;
    }
    ~BigArray() { Release(); }

    T* data() const { return data_; }
    std::size_t size() const { return n_; }
    T& operator[](std::size_t i) const { return data_[i]; }

private:
    void Release() {
        if (data_) FreeBig(data_, n_ * sizeof(T));
        data_ = nullptr;
        n_ = 0;
    }
    T* data_ = nullptr;
    std::size_t n_ = 0;
};

} // namespace rtl
