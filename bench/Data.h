#pragma once
// The archives the benchmarks work on, written with fixed seeds so that every
// run measures the same bytes. The texts are those of a real fleet: makes,
// models and notes of plausible lengths (about 560 bytes of text per vehicle),
// accented where Italian has accents, and the names of drivers drawn from
// common Italian surnames and given names with a skewed distribution, so that
// names repeat as they do in a real population.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/rtl/Date.h"

namespace bench {

// A small, fast generator with a fixed sequence for a given seed.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // 0 .. n-1, evenly.
    std::size_t Below(std::size_t n) { return std::size_t(Next() % n); }
    bool Chance(unsigned percent) { return Below(100) < percent; }
    // 0 .. n-1, index i with a weight of 1 / (i + 1) (the first entries of a
    // list of common names come up most often).
    std::size_t Skewed(std::size_t n);

private:
    std::uint64_t state_;
};

// What a writer put into an archive.
struct Written {
    std::size_t records = 0;
    std::size_t textBytes = 0; // the length bytes of every field added up
};

// "100,000 vehicles: 337 MB, 561 bytes of text per record".
std::string Describe(const Written& w, std::size_t recordSize, const std::string& what);

// Vehicles ("Parco_Automezzi.pro" records). Deadlines fall around `today`.
Written WriteVehicles(const std::string& path, std::size_t count, rtl::Date today);

// Drivers ("Conducenti.pro" records).
Written WriteDrivers(const std::string& path, std::size_t count);

// A year of gate transits in the order they happen, from 1 January to
// `today` (a busy day: a few hundred transits), the last ones still inside.
Written WriteVisits(const std::string& path, std::size_t count, rtl::Date today);

// A year of trip sheets, numbered; a few per cent still open.
Written WriteTripSheets(const std::string& path, std::size_t count, int year);

// "Rossi Mario": a surname and a given name drawn as above.
std::string DriverName(Random& random);

} // namespace bench
