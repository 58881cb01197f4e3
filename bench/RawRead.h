#pragma once
// What the benchmarks that read an archive share: the raw sequential read
// that their times are compared with, the CPU time of the thread and the
// best of several rounds.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace bench {

// Plain read() calls of 1 MiB (rounded to whole records of `recordSize`
// bytes), touching one byte of every record so that the pass cannot be
// skipped; returns the sum of those bytes.
inline std::uint64_t RawRead(const std::string& path, std::size_t recordSize, std::size_t touched = 0) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) std::exit(1);
    std::vector<unsigned char> buf((1 << 20) / recordSize * recordSize);
    std::uint64_t sum = 0;
    for (;;) {
        std::size_t filled = 0;
        while (filled < buf.size()) {
            const ssize_t n = ::read(fd, buf.data() + filled, buf.size() - filled);
            if (n <= 0) break;
            filled += static_cast<std::size_t>(n);
        }
        for (std::size_t r = 0; r + recordSize <= filled; r += recordSize)
            sum += buf[r + touched];
        if (filled < buf.size()) break;
    }
    ::close(fd);
    return sum;
}

// CPU time of this thread (user and system, the kernel's copies and page
// faults included), in seconds: on a machine shared with other work it
// measures the passes themselves, not the waits between them.
inline double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The best (least) thread CPU time of `rounds` runs of `pass`.
template <class F> double Best(int rounds, F&& pass) {
    double best = 1e9;
    for (int r = 0; r < rounds; ++r) {
        const double start = ThreadSeconds();
        pass();
        const double t = ThreadSeconds() - start;
        if (t < best) best = t;
    }
    return best;
}

// The same for a pass that returns a count or a checksum, kept in `sum`
// (the last run's).
template <class F> double Best(int rounds, F&& pass, std::uint64_t& sum) {
    return Best(rounds, [&] { sum = std::uint64_t(pass()); });
}

} // namespace bench
