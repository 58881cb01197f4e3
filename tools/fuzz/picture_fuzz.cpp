// libFuzzer target of the picture loader: any bytes are either refused with
// img::Error or decoded into a consistent bitmap, which is then scaled.
#include "platform/image/Image.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const img::Bitmap b = img::LoadMemory(std::string_view(reinterpret_cast<const char*>(data), size));
        if (b.width <= 0 || b.height <= 0 ||
            b.rgba.size() != std::size_t(b.width) * std::size_t(b.height) * 4)
            __builtin_trap();
        if (std::size_t(b.width) * std::size_t(b.height) <= 1'000'000) (void)img::ScaledToFit(b, 64, 48);
    } catch (const img::Error&) {
    }
    return 0;
}
