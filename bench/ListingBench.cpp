// Reading a NEC2d listing against merely loading it. The first listing holds a full-sphere
// pattern in 1 degree steps (181 x 361 = 65,341 rows, about 8 MB); the second is a sweep of 100
// frequencies with a full sphere in 5 degree steps at each (100 x 37 x 73 = 270,100 rows, about
// 33 MB). NEC2d makes both once, at start-up, on a short dipole. ReadListingFile and
// ReadListingSweepFile (loading plus reading) must each stay within 3 times the time of loading
// the same file and counting its lines. The *OverLoading benchmarks run the two in turns, so
// that both meet the same load on a shared machine, and report the ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "bench/BenchListing.h"
#include "nec/ListingReader.h"
#include "nec/ListingSweep.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPatternRows = 181 * 361;
constexpr std::size_t kSweepSteps = 100;
constexpr std::size_t kSweepRowsPerStep = 37 * 73;

constexpr const char* kDipoleDeck =
    "CM Listing reader benchmark: a dipole, full sphere in 1 degree steps\n"
    "CE\n"
    "GW 1 9 0 0 -0.25 0 0 0.25 .001\n"
    "GE\n"
    "EX 0 1 5 0 1.\n"
    "FR 0 1 0 0 300\n"
    "RP 0 181 361 1000 0 0 1 1\n"
    "EN\n";

bool IsWholeSweep(const std::optional<ListingSweep>& sweep) {
    if (!sweep || sweep->steps.size() != kSweepSteps) return false;
    for (const SweepStep& step : sweep->steps) {
        if (step.pattern.size() != kSweepRowsPerStep || step.sources.size() != 1) return false;
    }
    return true;
}

std::optional<ListingSweep> ReadSweep(const fs::path& path) {
    std::string error;
    return ReadListingSweepFile(path, error);
}

const BenchListing& Listing() {
    static const BenchListing listing(kDipoleDeck, "dipole", [](const fs::path& path) {
        const std::optional<ListingResult> read = ReadListingFile(path);
        return read && read->pattern.pointCount == kPatternRows;
    });
    return listing;
}

const BenchListing& SweepListing() {
    static const BenchListing listing(
        kSweepDeck, "sweep", [](const fs::path& path) { return IsWholeSweep(ReadSweep(path)); });
    return listing;
}

// The floor any reader of the file pays: its bytes in memory, one pass over them.
std::ptrdiff_t LoadAndCountLines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(fs::file_size(path), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return std::count(bytes.begin(), bytes.end(), '\n');
}

bool ListingReady(benchmark::State& state, const BenchListing& listing = Listing()) {
    if (listing.problem.empty()) return true;
    state.SkipWithError(listing.problem.c_str());
    return false;
}

void BM_LoadAndCountLines(benchmark::State& state) {
    if (!ListingReady(state)) return;
    for (auto _ : state) benchmark::DoNotOptimize(LoadAndCountLines(Listing().path));
    state.counters["listing_MB"] = static_cast<double>(fs::file_size(Listing().path)) / 1e6;
}

void BM_ReadListingFile(benchmark::State& state) {
    if (!ListingReady(state)) return;
    for (auto _ : state) {
        std::optional<ListingResult> read = ReadListingFile(Listing().path);
        benchmark::DoNotOptimize(read);
    }
    state.counters["rows"] = kPatternRows;
}

// Loading and counting, then reading, in turns; `read` reads the listing and tells whether it
// came out whole.
template <typename Read>
void ReaderOverLoading(benchmark::State& state, const BenchListing& listing, Read read) {
    using Clock = std::chrono::steady_clock;
    if (!ListingReady(state, listing)) return;
    Clock::duration loading{};
    Clock::duration reading{};
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(LoadAndCountLines(listing.path));
        const auto middle = Clock::now();
        const bool whole = read(listing.path);
        const auto end = Clock::now();
        if (!whole) {
            state.SkipWithError("the listing did not read");
            return;
        }
        loading += middle - start;
        reading += end - middle;
    }
    const auto ms = [&](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count() /
               static_cast<double>(state.iterations());
    };
    state.counters["load_ms"] = ms(loading);
    state.counters["reader_ms"] = ms(reading);
    state.counters["ratio"] = ms(reading) / ms(loading);
}

void BM_ReaderOverLoading(benchmark::State& state) {
    ReaderOverLoading(state, Listing(), [](const fs::path& path) {
        const std::optional<ListingResult> read = ReadListingFile(path);
        return read && read->pattern.pointCount == kPatternRows;
    });
}

void BM_LoadAndCountSweepLines(benchmark::State& state) {
    if (!ListingReady(state, SweepListing())) return;
    for (auto _ : state) benchmark::DoNotOptimize(LoadAndCountLines(SweepListing().path));
    state.counters["listing_MB"] = static_cast<double>(fs::file_size(SweepListing().path)) / 1e6;
}

void BM_ReadListingSweepFile(benchmark::State& state) {
    if (!ListingReady(state, SweepListing())) return;
    for (auto _ : state) {
        std::optional<ListingSweep> read = ReadSweep(SweepListing().path);
        benchmark::DoNotOptimize(read);
    }
    state.counters["rows"] = static_cast<double>(kSweepSteps * kSweepRowsPerStep);
}

void BM_SweepReaderOverLoading(benchmark::State& state) {
    ReaderOverLoading(state, SweepListing(),
                      [](const fs::path& path) { return IsWholeSweep(ReadSweep(path)); });
}

}  // namespace

BENCHMARK(BM_LoadAndCountLines)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadListingFile)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderOverLoading)->Iterations(30)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndCountSweepLines)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadListingSweepFile)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepReaderOverLoading)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);
