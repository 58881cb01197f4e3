// Reads a ~100 MB archive of 1366-byte records (the size of a gate transit)
// through the record files' whole-archive pass and, beside it, as a raw
// sequential read of the same file, and prints both times and their ratio.
//
//   bench_record_file [folder]   (default: the system's temporary folder)
#include "bench/RawRead.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/RecordFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kRecord = 1366;
constexpr std::size_t kRecords = 100'000'000 / kRecord;
constexpr int kRounds = 5;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Sums one byte of every record, so that neither pass can be skipped.
std::uint64_t ThroughRecordFile(const std::string& path) {
    std::uint64_t sum = 0;
    rtl::RecordFile f(path, kRecord);
    f.ForEach([&](std::int64_t, std::span<const std::uint8_t> rec) { sum += rec[kRecord / 2]; });
    f.Close();
    return sum;
}

std::uint64_t RawRead(const std::string& path) {
    return bench::RawRead(path, kRecord, kRecord / 2);
}

template <class F> double Best(F&& pass, std::uint64_t& sum) {
    double best = 1e9;
    for (int r = 0; r < kRounds; ++r) {
        const auto start = Clock::now();
        sum = pass();
        best = std::min(best, Seconds(start));
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    if (folder.back() != '/') folder += '/';
    const std::string path = folder + "bench_record_file_" + std::to_string(::getpid()) + ".vis";

    std::string bytes(kRecords * kRecord, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 31 % 251);
    rtl::WriteWholeFile(path, bytes);
    bytes.clear();
    bytes.shrink_to_fit();

    std::uint64_t sumRecords = 0, sumRaw = 0;
    const double raw = Best([&] { return RawRead(path); }, sumRaw);
    const double records = Best([&] { return ThroughRecordFile(path); }, sumRecords);
    rtl::DeleteFile(path);

    if (sumRaw != sumRecords) {
        std::fprintf(stderr, "the two passes read different data\n");
        return 1;
    }
    const double mb = static_cast<double>(kRecords * kRecord) / 1e6;
    std::printf("%zu records of %zu bytes (%.1f MB), best of %d rounds\n", kRecords, kRecord, mb, kRounds);
    std::printf("raw sequential read     %8.1f ms  %8.0f MB/s\n", raw * 1e3, mb / raw);
    std::printf("RecordFile::ForEach     %8.1f ms  %8.0f MB/s\n", records * 1e3, mb / records);
    std::printf("ratio ForEach / raw     %8.2f\n", records / raw);
    return 0;
}
