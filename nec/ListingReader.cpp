#include "nec/ListingReader.h"

#include <cmath>

#include "model/Geometry.h"
#include "nec/MappedFile.h"
#include "nec/TextModeReader.h"

// The listing is read as text, through the fixed places of the solver's print
// layout: the completion marker near the end, the impedance behind the "TAG"
// line, the wire table behind the "WIRE" line, and the pattern table behind
// the " DEGREES  DEGREES" units piece. Each search starts at the beginning of
// the file, so the tables may come in any order; only the first of each kind
// is read.

namespace {

constexpr std::string_view kRunCompleted = "RUN TIME =";
constexpr std::size_t kRunCompletedFromEnd = 22;

constexpr std::size_t kImpedanceSearchLimit = 80;
constexpr std::size_t kTableLineLimit = 118;
constexpr std::size_t kImpedanceColumn = 63;
constexpr std::size_t kImpedanceWidth = 12;

constexpr std::string_view kPatternUnits = " DEGREES  DEGREES";
constexpr std::string_view kPatternEnd = "\n\n\n\n\n\n\n **";
constexpr std::size_t kFirstRowAfterUnits = 103;
constexpr std::size_t kRowStride = 122;

struct PatternColumn {
    std::size_t offset;
    std::size_t width;
};
constexpr PatternColumn kThetaColumn{0, 10};
constexpr PatternColumn kPhiColumn{10, 10};
constexpr PatternColumn kFirstComponentColumn{77, 12};
constexpr PatternColumn kSecondComponentColumn{101, 12};

bool RunCompleted(std::string_view listing) {
    if (listing.size() < kRunCompletedFromEnd) return false;
    // The marker holds no line feed, so its characters are its bytes.
    return listing.substr(listing.size() - kRunCompletedFromEnd, kRunCompleted.size()) ==
           kRunCompleted;
}

// Line reads until one has `token` first; false at the end of the file.
bool SkipPastLineWithToken(CTextModeReader& reader, std::size_t limit, std::string_view token) {
    for (;;) {
        const std::string_view line = reader.Line(limit);
        if (line.empty()) return false;
        if (FirstToken(line) == token) return true;
    }
}

bool ReadImpedance(std::string_view listing, StructureResult& structure) {
    CTextModeReader reader(listing);
    if (!SkipPastLineWithToken(reader, kImpedanceSearchLimit, "TAG")) return false;
    reader.Line(kTableLineLimit);
    reader.Line(kTableLineLimit);
    reader.Skip(kImpedanceColumn);
    for (std::array<char, 12>* text :
         {&structure.impedanceRealText, &structure.impedanceImagText}) {
        const std::string_view read = reader.Characters(kImpedanceWidth);
        if (read.size() != kImpedanceWidth) return false;
        read.copy(text->data(), kImpedanceWidth);
    }
    return true;
}

void AddWire(std::string_view row, StructureResult& structure) {
    CBlankTokens tokens(row);
    tokens.Next();  // the wire number
    for (std::vector<float>* coordinate : {&structure.x1, &structure.y1, &structure.z1,
                                           &structure.x2, &structure.y2, &structure.z2}) {
        coordinate->push_back(static_cast<float>(Atof(tokens.Next())));
    }
}

// The first row follows the "WIRE" line and one heading line; the table ends
// at the first blank line, which must come before the end of the file.
bool ReadWires(std::string_view listing, StructureResult& structure) {
    CTextModeReader reader(listing);
    if (!SkipPastLineWithToken(reader, kTableLineLimit, "WIRE")) return false;
    reader.Line(kTableLineLimit);
    std::string_view row = reader.Line(kTableLineLimit);
    for (;;) {
        if (row.empty() || structure.x1.size() == kMostListingWires) return false;
        AddWire(row, structure);
        row = reader.Line(kTableLineLimit);
        if (FirstToken(row) == "\n") break;
    }
    structure.wireCount = static_cast<int>(structure.x1.size());
    return true;
}

// The position right after the first units piece: a line read of at most
// 17 characters that is exactly the piece.
std::optional<std::size_t> FindPatternUnits(std::string_view listing) {
    CTextModeReader reader(listing);
    for (;;) {
        const std::string_view piece = reader.Line(kPatternUnits.size() + 1);
        if (piece.empty()) return std::nullopt;
        if (piece == kPatternUnits) return reader.Position();
    }
}

// The rows before the end text; nothing when the file ends first or the
// table holds more rows than it may.
std::optional<int> CountPatternRows(std::string_view listing, std::size_t units) {
    CTextModeReader reader(listing);
    reader.Seek(units + kFirstRowAfterUnits);
    for (std::size_t count = 0;; ++count) {
        const std::string_view start = reader.Characters(kPatternEnd.size());
        if (start == kPatternEnd) return static_cast<int>(count);
        if (start.size() < kPatternEnd.size() || count == kMostPatternPoints) return std::nullopt;
        reader.Skip(kRowStride - kPatternEnd.size());
    }
}

// One field of every row, read as its own characters and converted.
template <typename Convert>
bool ReadPatternColumn(std::string_view listing, std::size_t units, PatternColumn column, int count,
                       std::vector<float>& values, Convert convert) {
    CTextModeReader reader(listing);
    reader.Seek(units + kFirstRowAfterUnits + column.offset);
    values.resize(static_cast<std::size_t>(count));
    for (float& value : values) {
        const std::string_view field = reader.Characters(column.width);
        if (field.size() != column.width) return false;
        value = convert(Atof(field));
        reader.Skip(kRowStride - column.width);
    }
    return true;
}

float Radians(double degrees) { return static_cast<float>(DegreesToRadians(degrees)); }
float AsStored(double value) { return static_cast<float>(value); }

// Total field per direction over the strongest one. A pattern without any
// field stays all zeros; where some fields overflowed, those are the
// strongest and the others round to nothing.
void Normalise(std::vector<float>& magnitude) {
    float strongest = 0.0f;
    for (const float value : magnitude) {
        if (value > strongest) strongest = value;
    }
    if (strongest == 0.0f) return;
    for (float& value : magnitude) {
        if (std::isinf(strongest)) {
            value = std::isinf(value) ? 1.0f : 0.0f;
        } else {
            value = value / strongest;
        }
    }
}

bool ReadPattern(std::string_view listing, PatternResult& pattern) {
    const std::optional<std::size_t> units = FindPatternUnits(listing);
    if (!units) return false;
    const std::optional<int> count = CountPatternRows(listing, *units);
    if (!count) return false;

    std::vector<float> first;
    std::vector<float> second;
    if (!ReadPatternColumn(listing, *units, kThetaColumn, *count, pattern.theta, Radians) ||
        !ReadPatternColumn(listing, *units, kPhiColumn, *count, pattern.phi, Radians) ||
        !ReadPatternColumn(listing, *units, kFirstComponentColumn, *count, first, AsStored) ||
        !ReadPatternColumn(listing, *units, kSecondComponentColumn, *count, second, AsStored)) {
        return false;
    }

    pattern.magnitude.resize(first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        const double a = first[i];
        const double b = second[i];
        pattern.magnitude[i] = static_cast<float>(std::sqrt(a * a + b * b));
    }
    Normalise(pattern.magnitude);

    pattern.pointCount = *count;
    pattern.pointsPerCut = 0;
    while (pattern.pointsPerCut < pattern.pointCount &&
           pattern.phi[static_cast<std::size_t>(pattern.pointsPerCut)] == pattern.phi[0]) {
        ++pattern.pointsPerCut;
    }
    return true;
}

}  // namespace

std::optional<ListingResult> ReadListing(std::string_view listing) {
    ListingResult result;
    if (!RunCompleted(listing) || !ReadImpedance(listing, result.structure) ||
        !ReadWires(listing, result.structure) || !ReadPattern(listing, result.pattern)) {
        return std::nullopt;
    }
    return result;
}

std::optional<ListingResult> ReadListingFile(const std::filesystem::path& path,
                                             std::string& error) {
    const CMappedFile file(path);
    std::optional<ListingResult> result;
    error = file.Read([&result](std::string_view bytes) { result = ReadListing(bytes); });
    if (!error.empty()) return std::nullopt;
    return result;
}

std::optional<ListingResult> ReadListingFile(const std::filesystem::path& path) {
    std::string ignored;
    return ReadListingFile(path, ignored);
}
