#pragma once
// The frame every benchmark program runs in, so that all of them measure the
// same way and print rows of one table.
//
// A program names its paths (what a user waits for) and, per size, writes its
// data files once with fixed seeds. For each path the parent process then:
//   - drops the path's archive from the page cache (fdatasync, then
//     posix_fadvise DONTNEED) and reads it once, as a file is cached after a
//     real read, then times a raw sequential read of it (median of 5);
//   - runs the path's first operation in a fresh process (the program
//     re-executes itself naming path and size) and takes that process's peak
//     resident memory from wait4 (ru_maxrss);
//   - waits an idle pause (BENCH_PAUSE seconds, 15 by default) and runs the
//     first operation again in a fresh process, as a user starts the
//     program after a while;
//   - runs the path again in another fresh process: the first operation, then
//     five repeats, of which the median is kept;
//   - when the path writes a file, times a raw write of a new file of the
//     same size (1 MiB write() calls into the same folder, no flush; median
//     of 5, each file removed before the next) and adds it to the raw read.
// Every time is wall time (steady clock). The row prints the first runs and
// the median beside the raw time and their ratios to it (see bench/README.md).
//
// Every program takes [folder] [sizes...] (folder: where the data files go,
// by default $TMPDIR or /tmp); BENCH_ONLY=word,word times only the paths whose
// names hold one of the words; BENCH_LARGE=1 adds the program's large sizes;
// BENCH_PAUSE=seconds sets the idle pause; BENCH_HEADER=0 leaves out the
// table's header; --header prints only the header.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// Wall time in seconds (steady clock).
double Now();

// What one run of an operation reports: a note for the table and, for an
// operation that times a part of itself (from a click to the paint of a
// list, one step of many), that time; otherwise the whole call is timed.
struct Outcome {
    std::string note;
    double seconds = -1;
};
using Operation = std::function<Outcome()>;

struct Path {
    Path(std::string name, std::function<Operation()> prepare, std::string archive = {},
         std::size_t record = 0, std::string output = {})
        : name(std::move(name)), prepare(std::move(prepare)), archive(std::move(archive)), record(record),
          output(std::move(output)) {}

    std::string name;
    // Runs in the fresh process: builds what the operation needs (windows,
    // a Qt session), untimed, and returns the timed operation. It may run
    // several times in one process (first and repeats).
    std::function<Operation()> prepare;
    // The file read raw beside it ("" for none) and its record size (the raw
    // read touches one byte of every record).
    std::string archive;
    std::size_t record = 0;
    // A file the operation writes: the raw time then adds a raw write of its
    // size, and the peak memory is compared with the archive's size.
    std::string output;
};

// A benchmark program. The folder handed to its functions is a fresh
// temporary one, its name ending in '/'.
struct Program {
    std::string name; // "fleet": the first column of its rows
    std::vector<std::size_t> sizes;
    std::vector<std::size_t> largeSizes; // added with BENCH_LARGE=1
    // Both processes, before anything else: data folder, clock.
    std::function<void(const std::string& folder)> setup;
    // The parent, once per size: writes the data files into the folder and
    // says what they hold (a line of the table).
    std::function<std::string(const std::string& folder, std::size_t size)> data;
    // The paths of one size (the same list in parent and child).
    std::function<std::vector<Path>(const std::string& folder, std::size_t size)> paths;
};

int Main(int argc, char** argv, const Program& program);

// "1,000,000".
std::string Grouped(std::size_t n);

// Plain read() calls of 1 MiB (rounded to whole records of `record` bytes),
// touching one byte of every record so that the pass cannot be skipped;
// returns the sum of those bytes.
std::uint64_t RawRead(const std::string& path, std::size_t record, std::size_t touched = 0);

// Writes a new file (there must be none at `path`) of `bytes` bytes in 1 MiB
// write() calls, without a flush.
void RawWrite(const std::string& path, std::size_t bytes);
// The median of five raw writes of a new file at `path`, each removed before
// the next (untimed); none is left.
double MedianOfNewFiles(const std::string& path, std::size_t bytes);

// Flushes the file's dirty pages, drops it from the page cache and reads it
// once, as a file lies in the cache after a real read.
void Reload(const std::string& path);

// The median of `rounds` wall times of `pass`.
double Median(int rounds, const std::function<void()>& pass);

} // namespace bench
