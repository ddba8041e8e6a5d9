#pragma once

#include <array>
#include <filesystem>
#include <optional>
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

// Reads a NEC2D listing, or any file in the same fixed print layout, from its
// bytes. Returns nothing when the run did not complete ("RUN TIME =" 22 bytes
// before the end) or when a table the plots need is missing or cut short; the
// caller then reports an invalid input file. Nothing is ever read outside
// `listing`.
std::optional<ListingResult> ReadListing(std::string_view listing);

// The same for the file at `path`; nothing when it cannot be read.
std::optional<ListingResult> ReadListingFile(const std::filesystem::path& path);
