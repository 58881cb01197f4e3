// Reads an archive of 1366-byte records (the size of a gate transit, about
// 100 MB) through the record files' whole-archive pass, beside a raw
// sequential read of the same file. See bench/Bench.h for how it is measured.
//
//   bench_record_file [folder] [sizes...]
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/RecordFile.h"

namespace {

constexpr std::size_t kRecord = 1366;

// Sums one byte of every record, so that neither pass can be skipped.
std::uint64_t ThroughRecordFile(const std::string& path) {
    std::uint64_t sum = 0;
    rtl::RecordFile f(path, kRecord);
    f.ForEach([&](std::int64_t, std::span<const std::uint8_t> rec) { sum += rec[kRecord / 2]; });
    f.Close();
    return sum;
}

std::string Archive(const std::string& folder) {
    return folder + "records.vis";
}

} // namespace

int main(int argc, char** argv) {
    bench::Program program;
    program.name = "record_file";
    program.sizes = {100'000'000 / kRecord};
    program.data = [](const std::string& folder, std::size_t count) {
        std::string bytes(count * kRecord, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 31 % 251);
        rtl::WriteWholeFile(Archive(folder), bytes);
        char text[64];
        std::snprintf(text, sizeof text, " records of %zu bytes: %.1f MB", kRecord,
                      double(bytes.size()) / 1e6);
        return bench::Grouped(count) + text;
    };
    program.paths = [](const std::string& folder, std::size_t) {
        const std::string path = Archive(folder);
        return std::vector<bench::Path>{
            {"RecordFile::ForEach pass",
             [path] {
                 // The raw read's sum, to check that the pass reads the same bytes.
                 const std::uint64_t expected = bench::RawRead(path, kRecord, kRecord / 2);
                 return [path, expected] {
                     if (ThroughRecordFile(path) != expected) {
                         std::fprintf(stderr, "the pass read other bytes than the raw read\n");
                         std::exit(1);
                     }
                     return bench::Outcome{"same bytes as the raw read"};
                 };
             },
             path, kRecord},
        };
    };
    return bench::Main(argc, argv, program);
}
