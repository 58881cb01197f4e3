// Large working arrays: blocks of every size range hold what is written in
// them independently of each other, and freed memory serves the next request.
#include "platform/rtl/BigMemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

using namespace rtl;

namespace {

constexpr std::size_t kMiB = std::size_t(1) << 20;

TEST(BigMemory, BlocksOfEverySizeKeepTheirOwnBytes) {
    // Small (operator new), pieces sharing a 2 MiB block, whole blocks.
    const std::size_t sizes[] = {100,  kBigBytes - 1, kBigBytes, 700000,
                                 kMiB, 2 * kMiB - 1,  2 * kMiB,  5 * kMiB + 3};
    std::vector<std::pair<unsigned char*, std::size_t>> blocks;
    for (const std::size_t size : sizes) {
        auto* p = static_cast<unsigned char*>(AllocateBig(size));
        std::memset(p, int(blocks.size() + 1), size);
        blocks.emplace_back(p, size);
    }
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const auto [p, size] = blocks[k];
        EXPECT_EQ(p[0], k + 1) << sizes[k];
        EXPECT_EQ(p[size - 1], k + 1) << sizes[k];
    }
    for (const auto& [p, size] : blocks)
        FreeBig(p, size);
    FreeBig(nullptr, kMiB);
}

TEST(BigMemory, FreedMemoryServesTheNextRequest) {
    for (const std::size_t size : {3 * kMiB, 3 * kMiB + 1}) {
        void* first = AllocateBig(size);
        FreeBig(first, size);
        void* again = AllocateBig(size);
        EXPECT_EQ(again, first) << size;
        FreeBig(again, size);
    }
    // A vector growing through blocks keeps its elements.
    BigVector<std::uint32_t> v;
    for (std::uint32_t i = 0; i < 3000000; ++i)
        v.push_back(i);
    EXPECT_EQ(v[0], 0u);
    EXPECT_EQ(v[2999999], 2999999u);
}

} // namespace
