#include "solver/ListingLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "nec/TextModeReader.h"

namespace {

// Where the listing puts each pattern field: [begin, end), right-aligned but
// for the sense, with at least one blank column between neighbours so that
// no two numbers run together.
struct Slot {
    int begin;
    int end;
};
constexpr Slot kPatternSlots[PATTERN_FIELD_COUNT] = {{1, 8},   {10, 17}, {20, 28},   {29, 37},
                                                     {38, 46}, {47, 57}, {58, 66},   {68, 76},
                                                     {78, 88}, {89, 99}, {101, 111}, {112, 120}};

constexpr int kWireNumberWidth = 5;
constexpr int kCoordinateWidth = 14;
constexpr int kInputTagEnd = 7;
constexpr int kInputSegmentEnd = 15;
constexpr int kInputValueWidth = 12;

// Puts `text` into `line` so that it ends at column `end`, widening the line
// with blanks as needed.
void PlaceRight(std::string& line, int end, std::string_view text) {
    const auto stop = static_cast<std::size_t>(end);
    if (line.size() < stop) line.resize(stop, ' ');
    line.replace(stop - text.size(), text.size(), text);
}

void PlaceCentred(std::string& line, int begin, int end, std::string_view text) {
    const int start = begin + (end - begin - static_cast<int>(text.size())) / 2;
    PlaceRight(line, start + static_cast<int>(text.size()), text);
}

// A number in exponent form that does not fit its slot is printed again with
// fewer digits; any other text too wide is shown as asterisks, as Fortran does.
std::string Fitted(std::string_view text, int width) {
    if (static_cast<int>(text.size()) <= width) return std::string(text);
    double value = 0;
    if (text.find('E') != std::string_view::npos && ParseDouble(text, value)) {
        char buffer[64];
        for (int digits = 4; digits >= 0; --digits) {
            std::snprintf(buffer, sizeof buffer, "%.*E", digits, value);
            if (static_cast<int>(std::strlen(buffer)) <= width) return buffer;
        }
    }
    return std::string(static_cast<std::size_t>(width), '*');
}

// Tiny values would print with a three-digit exponent and lose the blank
// that separates them from the column before.
double Printable(double value) { return std::fabs(value) < 1e-30 ? 0.0 : value; }

// True when a line read with this limit, as Quadrell's listing reader reads
// the line, delivers a piece that `matches`.
template <typename Matches>
bool AnyPiece(std::string_view line, std::size_t limit, Matches matches) {
    const std::string text = std::string(line) + '\n';
    CTextModeReader reader(text);
    for (std::string_view piece = reader.Line(limit); !piece.empty(); piece = reader.Line(limit)) {
        if (matches(piece)) return true;
    }
    return false;
}

}  // namespace

std::string WireTableHeaderLine() {
    std::string line = "  WIRE";
    PlaceCentred(line, 5, 47, "------ END ONE (METERS) ------");
    PlaceCentred(line, 47, 89, "------ END TWO (METERS) ------");
    return line;
}

std::string WireTableHeadingLine() {
    std::string line;
    PlaceRight(line, kWireNumberWidth, "No.");
    const char* labels[] = {"X1", "Y1", "Z1", "X2", "Y2", "Z2"};
    for (int i = 0; i < 6; ++i) {
        PlaceRight(line, kWireNumberWidth + kCoordinateWidth * (i + 1), labels[i]);
    }
    PlaceRight(line, 100, "RADIUS");
    PlaceRight(line, 106, "SEGS");
    PlaceRight(line, 112, "TAG");
    return line;
}

std::string WireTableRow(long number, const WireRow& wire) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%5ld%14.6E%14.6E%14.6E%14.6E%14.6E%14.6E%11.4E%6ld%6ld",
                  number, Printable(wire.x1), Printable(wire.y1), Printable(wire.z1),
                  Printable(wire.x2), Printable(wire.y2), Printable(wire.z2),
                  Printable(wire.radius), wire.segments, wire.tag);
    return buffer;
}

std::string InputTableHeaderLine() {
    std::string line;
    PlaceRight(line, kInputTagEnd, "TAG");
    PlaceRight(line, kInputSegmentEnd, "SEG");
    const char* titles[] = {"VOLTAGE (VOLTS)", "CURRENT (AMPS)", "IMPEDANCE (OHMS)",
                            "ADMITTANCE (MHOS)"};
    for (int i = 0; i < 4; ++i) {
        const int begin = kInputSegmentEnd + 2 * kInputValueWidth * i;
        PlaceCentred(line, begin, begin + 2 * kInputValueWidth, titles[i]);
    }
    PlaceRight(line, kInputSegmentEnd + kInputValueCount * kInputValueWidth, "POWER (WATTS)");
    return line;
}

std::string InputTableHeadingLine() {
    std::string line;
    PlaceRight(line, kInputTagEnd, "No.");
    PlaceRight(line, kInputSegmentEnd, "No.");
    for (int i = 0; i < kInputValueCount - 1; ++i) {
        PlaceRight(line, kInputSegmentEnd + kInputValueWidth * (i + 1),
                   i % 2 == 0 ? "REAL" : "IMAGINARY");
    }
    return line;
}

std::string InputTableRow(std::string_view tag, std::string_view segment,
                          const std::array<std::string_view, kInputValueCount>& values) {
    std::string line;
    line.reserve(kInputSegmentEnd + kInputValueCount * kInputValueWidth);
    PlaceRight(line, kInputTagEnd, Fitted(tag, kInputTagEnd - 1));
    PlaceRight(line, kInputSegmentEnd, Fitted(segment, kInputSegmentEnd - kInputTagEnd - 1));
    for (int i = 0; i < kInputValueCount; ++i) {
        PlaceRight(line, kInputSegmentEnd + kInputValueWidth * (i + 1),
                   Fitted(values[static_cast<std::size_t>(i)], kInputValueWidth - 1));
    }
    return line;
}

std::string PatternHeadingLine(std::string_view gainsTitle) {
    std::string line;
    PlaceCentred(line, 0, 18, "---- ANGLES ----");
    PlaceCentred(line, 18, 47, gainsTitle.substr(0, 28));
    PlaceCentred(line, 47, 76, "---- POLARIZATION ----");
    PlaceCentred(line, 76, 100, "---- E(THETA) ----");
    PlaceCentred(line, 100, 116, "--- E(PHI) ---");
    return line;
}

std::string PatternLabelLine(std::string_view gain1Label, std::string_view gain2Label) {
    std::string line;
    PlaceRight(line, 8, "THETA");
    PlaceRight(line, 17, "PHI");
    PlaceRight(line, 28, gain1Label.substr(0, 7));
    PlaceRight(line, 37, gain2Label.substr(0, 7));
    PlaceRight(line, 46, "TOTAL");
    PlaceRight(line, 57, "AXIAL");
    PlaceRight(line, 66, "TILT");
    PlaceRight(line, 73, "SENSE");
    PlaceRight(line, 88, "MAGNITUDE");
    PlaceRight(line, 99, "PHASE");
    PlaceRight(line, 110, "MAGNITUDE");
    PlaceRight(line, 116, "PHASE");
    return line;
}

std::string PatternUnitsLine() {
    std::string line = " DEGREES  DEGREES";
    PlaceRight(line, 28, "DB");
    PlaceRight(line, 37, "DB");
    PlaceRight(line, 46, "DB");
    PlaceRight(line, 57, "RATIO");
    PlaceRight(line, 66, "DEGREES");
    PlaceRight(line, 88, "VOLTS/M");
    PlaceRight(line, 99, "DEGREES");
    PlaceRight(line, 110, "VOLTS/M");
    PlaceRight(line, kListingPatternUnitsLength, "DEGREES");
    return line;
}

void FormatPatternRow(const PatternRowTexts& texts, PatternRowBuffer& row) {
    row.fill(' ');
    for (int i = 0; i < PATTERN_FIELD_COUNT; ++i) {
        const Slot slot = kPatternSlots[i];
        const int width = slot.end - slot.begin;
        std::string_view text = texts[static_cast<std::size_t>(i)];
        std::string fitted;
        if (static_cast<int>(text.size()) > width) {
            fitted = Fitted(text, width);
            text = fitted;
        }
        // The sense is a word and reads best left-aligned under its label.
        const int start =
            i == PATTERN_SENSE ? slot.begin : slot.end - static_cast<int>(text.size());
        std::memcpy(row.data() + start, text.data(), text.size());
    }
}

std::string PatternEndLine(long directions) {
    return " ** END OF RADIATION PATTERN, " + std::to_string(directions) + " DIRECTIONS";
}

std::string RunTimeLine(double seconds) {
    // Exactly ten characters follow the marker, so that it starts 22 bytes
    // before the end of the file; long runs drop the decimals.
    char buffer[32];
    if (!(seconds >= 0)) seconds = 0;
    if (seconds < 999.995) {
        std::snprintf(buffer, sizeof buffer, "%6.2f SEC", seconds);
    } else if (seconds < 999999.5) {
        std::snprintf(buffer, sizeof buffer, "%6.0f SEC", seconds);
    } else {
        std::snprintf(buffer, sizeof buffer, "999999 SEC");
    }
    return std::string("RUN TIME =") + buffer;
}

bool TripsListingMarker(std::string_view line) {
    return AnyPiece(line, 80, [](std::string_view piece) { return FirstToken(piece) == "TAG"; }) ||
           AnyPiece(line, 118,
                    [](std::string_view piece) { return FirstToken(piece) == "WIRE"; }) ||
           AnyPiece(line, 18, [](std::string_view piece) { return piece == " DEGREES  DEGREES"; });
}

std::string LowerCased(std::string_view line) {
    std::string lower(line);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}
