#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The first far-field pattern table of a listing, as the pattern window takes
// it. Entries are in the order of the table's rows.
struct PatternResult {
    // Total field of each direction over the strongest one: linear, 0 to 1.
    std::vector<float> magnitude;
    std::vector<float> theta;  // polar angle, radians
    std::vector<float> phi;    // azimuth, radians
    int pointCount = 0;
    // How many leading rows share the first row's phi: one cut of the pattern.
    int pointsPerCut = 0;
};

// The wires of a listing's first wire table and the input impedance of its
// first excitation, as the structure window takes them.
struct StructureResult {
    // Wire i runs from (x1[i], y1[i], z1[i]) to (x2[i], y2[i], z2[i]).
    std::vector<float> x1, x2, y1, y2, z1, z2;
    int wireCount = 0;
    // The impedance exactly as printed, blanks included: 12 characters each,
    // not terminated.
    std::array<char, 12> impedanceRealText{};
    std::array<char, 12> impedanceImagText{};
};

struct ListingResult {
    PatternResult pattern;
    StructureResult structure;
};

// The largest tables a listing may hold, far beyond any antenna NEC-2 can
// solve (a full sphere in 0.1 degree steps has 6.5 million directions), so
// that whatever a file says its results stay within a few hundred megabytes.
inline constexpr std::size_t kMostListingWires = 1'000'000;
inline constexpr std::size_t kMostPatternPoints = 10'000'000;

// Reads a NEC2D listing, or any file in the same fixed print layout, from its
// bytes. Returns nothing when the run did not complete ("RUN TIME =" 22 bytes
// before the end), when a table the plots need is missing or cut short, or
// when a table holds more rows than its bound above; the caller then reports
// an invalid input file. Nothing is ever read outside `listing`.
std::optional<ListingResult> ReadListing(std::string_view listing);

// The same for the regular file at `path`, read where it lies rather than
// copied. Nothing when it cannot be read, with the reason ("No such file or
// directory", "not a regular file", ...) in `error`; `error` is empty when
// the file was read but holds no listing.
std::optional<ListingResult> ReadListingFile(const std::filesystem::path& path, std::string& error);
// The same, for callers that need not know why a file gave nothing.
std::optional<ListingResult> ReadListingFile(const std::filesystem::path& path);
