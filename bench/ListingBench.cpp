// Reading a NEC2d listing against merely loading it. The listing holds a full-sphere pattern in
// 1 degree steps (181 x 361 = 65,341 rows, about 8 MB) and is made once, at start-up, by NEC2d
// on a short dipole. ReadListingFile (loading plus reading) must stay within 3 times the time
// of loading the same file and counting its lines. BM_ReaderOverLoading runs the two in turns,
// so that both meet the same load on a shared machine, and reports the ratio.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "nec/ListingReader.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPatternRows = 181 * 361;

constexpr const char* kDipoleDeck =
    "CM Listing reader benchmark: a dipole, full sphere in 1 degree steps\n"
    "CE\n"
    "GW 1 9 0 0 -0.25 0 0 0.25 .001\n"
    "GE\n"
    "EX 0 1 5 0 1.\n"
    "FR 0 1 0 0 300\n"
    "RP 0 181 361 1000 0 0 1 1\n"
    "EN\n";

struct BenchListing {
    fs::path folder;
    fs::path path;
    std::string problem;  // why there is no listing to read, if there is none

    BenchListing() {
        std::string pattern = (fs::temp_directory_path() / "listing-bench.XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            problem = "no temporary folder";
            return;
        }
        folder = pattern;
        path = folder / "dipole.lst";
        std::ofstream(folder / "dipole.nec") << kDipoleDeck;
        const std::string command =
            "cd '" + folder.string() + "' && '" NEC2D_PROGRAM "' dipole.nec dipole.lst >/dev/null";
        if (std::system(command.c_str()) != 0) {
            problem = "NEC2d did not run";
            return;
        }
        const std::optional<ListingResult> read = ReadListingFile(path);
        if (!read || read->pattern.pointCount != kPatternRows) {
            problem = "the listing does not read as a full-sphere pattern";
        }
    }
    ~BenchListing() {
        std::error_code ignored;
        if (!folder.empty()) fs::remove_all(folder, ignored);
    }
};

const BenchListing& Listing() {
    static const BenchListing listing;
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

bool ListingReady(benchmark::State& state) {
    if (Listing().problem.empty()) return true;
    state.SkipWithError(Listing().problem.c_str());
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

void BM_ReaderOverLoading(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    if (!ListingReady(state)) return;
    Clock::duration loading{};
    Clock::duration reading{};
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(LoadAndCountLines(Listing().path));
        const auto middle = Clock::now();
        const std::optional<ListingResult> read = ReadListingFile(Listing().path);
        const auto end = Clock::now();
        if (!read || read->pattern.pointCount != kPatternRows) {
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

}  // namespace

BENCHMARK(BM_LoadAndCountLines)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadListingFile)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderOverLoading)->Iterations(30)->UseRealTime()->Unit(benchmark::kMillisecond);
