// The listing reader on any bytes: whole tables within their bounds or
// nothing, and magnitudes relative to the strongest direction.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "nec/ListingReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view listing(reinterpret_cast<const char*>(data), size);
    const std::optional<ListingResult> result = ReadListing(listing);
    if (!result) return 0;

    const PatternResult& pattern = result->pattern;
    const auto points = static_cast<std::size_t>(pattern.pointCount);
    FUZZ_CHECK(pattern.pointCount >= 0 && points <= kMostPatternPoints);
    FUZZ_CHECK(pattern.magnitude.size() == points && pattern.theta.size() == points &&
               pattern.phi.size() == points);
    // An empty table has no cut; any other has at least its first row.
    FUZZ_CHECK(pattern.pointsPerCut >= (points > 0 ? 1 : 0) &&
               pattern.pointsPerCut <= pattern.pointCount);
    for (std::size_t i = 0; i < points; ++i) {
        FUZZ_CHECK(pattern.magnitude[i] >= 0 && pattern.magnitude[i] <= 1);
        FUZZ_CHECK(!std::isnan(pattern.theta[i]) && !std::isnan(pattern.phi[i]));
    }

    const StructureResult& structure = result->structure;
    const auto wires = static_cast<std::size_t>(structure.wireCount);
    FUZZ_CHECK(structure.wireCount >= 0 && wires <= kMostListingWires);
    for (const auto* column : {&structure.x1, &structure.x2, &structure.y1, &structure.y2,
                               &structure.z1, &structure.z2}) {
        FUZZ_CHECK(column->size() == wires);
        for (const float value : *column) FUZZ_CHECK(!std::isnan(value));
    }
    return 0;
}
