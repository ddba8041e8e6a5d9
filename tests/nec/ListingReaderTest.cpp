#include <gtest/gtest.h>
#include <sys/mman.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "nec/ListingReader.h"
#include "nec/TextModeReader.h"
#include "tests/support/ScratchFolder.h"

namespace {

using Floats = std::vector<float>;
using Row = std::array<std::string, 4>;  // theta, phi, first and second field magnitude

std::string Pad(std::string s, std::size_t n) { return s.append(n - s.size(), ' '); }
std::string Right(std::string s, std::size_t n) { return s.insert(0, n - s.size(), ' '); }
float Rad(double degrees) { return static_cast<float>(degrees * 3.14159265359 / 180); }

// A listing in NEC2d's print layout; pattern rows stay 122 bytes apart with either line end.
struct Listing {
    std::string eol = "\r\n";
    std::string wireHeader = "  WIRE       ------ END ONE (METERS) ------      ------ END TWO";
    std::vector<std::string> wires = {
        // 116 characters: with CR LF the line end straddles the 117-character read.
        Pad("    1 -1.500000E+00  2.500000E-01  0.000000E+00  1.500000E+00  7.5E-01  5.0", 116),
        // A tab does not separate numbers; missing coordinates are 0.
        "    2 1.0\t2.0 -0.5 0.125 3 4 8", "    3 7.5 -2",
        // 117 characters: the line end is read as the blank line that ends the table.
        Pad("    4 -1 -2 -3 -4 -5 -6", 117), "    5 9 9 9 9 9 9"};
    // Longer than the 79-character read that finds it, shorter than a 117-character one.
    std::string tagHeader = Pad("    TAG     SEG       VOLTAGE (VOLTS)", 80) + "IMPEDANCE (OHMS)";
    std::string impedance = "  7.3129E+01 -4.2544E+01";
    std::string units = " DEGREES  DEGREES";
    std::vector<Row> rows = {
        {"0.00", "10.00", "3.0000E-24", "4.0000E-24"},  // squares underflow floats
        {"90.00", "10.00", "6.0000E-24", "8.0000E-24"},
        {"180.00", "10.0000001", "0.0000E+00", "0.0000E+00"},
        {"45.00", "190.00", "8.0000E-24", "6.0000E-24"},
        {"-45.1234", "10.00", "1.0000E-24", "0.0000E+00"}};
    // `text` and the line end, padded to `bytes` bytes when given.
    std::string Line(std::string text, std::size_t bytes = 0) const {
        return (bytes ? Pad(text, bytes - eol.size()) : text) + eol;
    }
    std::string Wires() const {
        std::string text = Line(wireHeader) + Line("  No.   X1   Y1   Z1   X2   Y2   Z2   TAG");
        for (const std::string& wire : wires) text += Line(wire);
        return text + Line("");
    }
    std::string Impedance() const {
        return Line(tagHeader) + Line("    No.     No.        REAL   IMAGINARY") +
               Line("      1       2  1.0000E+00  0.0000E+00  1.3669E-02 -7.9530E-03" + impedance);
    }
    std::string Pattern() const {
        std::string text = Line(units, units.size() + 103);
        const std::string nines(57, '9');  // beside every field, so a field read too wide fails
        for (const Row& r : rows)
            text += Line(Right(r[0], 10) + Right(r[1], 10) + nines + Right(r[2], 12) +
                             nines.substr(45) + Right(r[3], 12) + nines.substr(50),
                         122);
        for (int i = 0; i < 7; ++i) text += eol;
        return text + Line(" ***** DATA CARD N0.   5 EN");
    }
    std::string Tables() const { return Wires() + Impedance() + Pattern(); }
    std::string Text(std::string body) const { return body + Line("RUN TIME =     0.125", 22); }
    std::string Text() const { return Text(Tables()); }
};

// Every field of a result, to compare results whole.
auto Fields(const ListingResult& r) {
    const auto& [p, s] = r;
    return std::tie(p.magnitude, p.theta, p.phi, p.pointCount, p.pointsPerCut, s.x1, s.x2, s.y1,
                    s.y2, s.z1, s.z2, s.wireCount, s.impedanceRealText, s.impedanceImagText);
}

class ListingReaderLineEnds : public testing::TestWithParam<const char*> {};
INSTANTIATE_TEST_SUITE_P(CrLfAndLf, ListingReaderLineEnds, testing::Values("\r\n", "\n"));

TEST_P(ListingReaderLineEnds, ReadsTheFirstTableOfEachKind) {
    const Listing listing{GetParam()};
    Listing later = listing;
    later.impedance = "  5.0000E+01  0.0000E+00";
    later.wires.erase(later.wires.begin());
    later.rows.pop_back();
    const ListingResult read = ReadListing(listing.Text(listing.Tables() + later.Tables())).value();
    const auto& [p, s] = read;
    EXPECT_EQ(
        std::string(s.impedanceRealText.data(), 12) + std::string(s.impedanceImagText.data(), 12),
        listing.impedance);
    EXPECT_EQ(std::tie(s.wireCount, s.x1, s.y1, s.z1, s.x2, s.y2, s.z2),
              std::tuple(4, Floats{-1.5f, 1, 7.5f, -1}, Floats{0.25f, -0.5f, -2, -2},
                         Floats{0, 0.125f, 0, -3}, Floats{1.5f, 3, 0, -4}, Floats{0.75f, 4, 0, -5},
                         Floats{5, 8, 0, -6}));
    // 10.0000001 degrees is the same float as 10: the first cut has three points.
    EXPECT_EQ(std::tie(p.pointCount, p.pointsPerCut, p.theta, p.phi, p.magnitude),
              std::tuple(5, 3, Floats{Rad(0), Rad(90), Rad(180), Rad(45), Rad(-45.1234)},
                         Floats{Rad(10), Rad(10), Rad(10.0000001), Rad(190), Rad(10)},
                         Floats{0.5f, 1, 0, 1, 0.1f}));
}

// Cut anywhere and completed, a listing reads whole or not at all; each order puts another table
// last. Short wire rows: a cut row filling a 117-character read would rightly end the table.
TEST_P(ListingReaderLineEnds, ACutListingReadsWholeOrNotAtAll) {
    Listing l{GetParam()};
    l.wires = {l.wires[1], l.wires[2]};
    for (const std::string& body : {l.Tables(), l.Impedance() + l.Pattern() + l.Wires()}) {
        const ListingResult whole = ReadListing(l.Text(body)).value();
        for (std::size_t cut = 0; cut < body.size(); ++cut) {
            const auto read = ReadListing(l.Text(body.substr(0, cut)));
            ASSERT_TRUE(!read || Fields(*read) == Fields(whole)) << "cut at " << cut;
        }
    }
}

// A run that completed ends with its run time 22 bytes before the end of the
// file, and each table is found by its marker exactly as printed.
TEST(ListingReader, ReadsCompletedRunsWithMarkersAsPrintedOnly) {
    const Listing l;
    const auto edited = [](void (*edit)(Listing&)) {
        Listing listing;
        edit(listing);
        return listing.Text();
    };
    const std::string text = l.Text(), impedance = l.Impedance();
    const std::string unread[] = {
        "RUN TIME =    0.125\r\n",  // 21 bytes
        text + " ", text.substr(0, text.size() - 1),
        // The impedance cut by the end of the file: 23 characters left where 24 are read.
        l.Text(l.Wires() + l.Pattern() + impedance.substr(0, impedance.find(l.impedance) + 2)),
        // Markers with three blanks, in lower case, or too far in for the read that finds them.
        edited([](Listing& e) { e.units = " DEGREES   DEGREES"; }),
        edited([](Listing& e) { e.units = " degrees  DEGREES"; }),
        edited([](Listing& e) { e.units.insert(0, 16, ' '); }),
        edited([](Listing& e) { e.tagHeader.replace(4, 3, "tag"); }),
        edited([](Listing& e) { e.wireHeader.replace(2, 4, "Wire"); })};
    for (std::size_t i = 0; i < std::size(unread); ++i) EXPECT_FALSE(ReadListing(unread[i])) << i;
    // 17 blanks in, the units piece is a read of its own.
    const auto in = ReadListing(edited([](Listing& e) { e.units.insert(0, 17, ' '); }));
    ASSERT_TRUE(in);
    EXPECT_TRUE(Fields(*in) == Fields(ReadListing(text).value()));
}

TEST(ListingReader, PatternTableEdges) {
    const std::tuple<const char*, std::vector<Row>, int, Floats> cases[] = {
        {"ends where the first row would start", {}, 0, {}},
        {"one cut without any field", {{"0", "0", "0", "0"}, {"90", "0", "0", "0"}}, 2, {0, 0}},
        {"beyond float range", {{"0", "5", "1.0E+00", "0"}, {"9", "5", "1.0E+40", "0"}}, 2, {0, 1}},
        {"cuts of one point", {{"0", "5", "1.0E+00", "0"}, {"0", "6", "0", "1.0E+00"}}, 1, {1, 1}},
    };
    for (const auto& [name, rows, pointsPerCut, magnitude] : cases) {
        SCOPED_TRACE(name);
        Listing listing;
        listing.rows = rows;
        const PatternResult p = ReadListing(listing.Text()).value().pattern;
        EXPECT_EQ(std::tie(p.pointCount, p.pointsPerCut, p.magnitude),
                  std::tuple(static_cast<int>(rows.size()), pointsPerCut, magnitude));
    }
}

// Whatever a listing says, the tables it fills stay within their bounds.
TEST(ListingReader, RefusesTablesBeyondTheirBounds) {
    // A row "1" for each wire, all in one text for speed.
    Listing wires{"\n"};
    wires.wires = {std::string(2 * kMostListingWires - 1, '\n')};
    for (std::size_t i = 0; i < kMostListingWires; ++i) wires.wires[0][2 * i] = '1';
    const ListingResult most = ReadListing(wires.Text()).value();
    EXPECT_EQ(most.structure.wireCount, static_cast<int>(kMostListingWires));
    wires.wires[0] += "\n1";
    EXPECT_FALSE(ReadListing(wires.Text()));

    // One row of zeros more than a pattern table may hold, then the end text, in pages that cost
    // no memory until written.
    Listing rows{"\n"};
    rows.rows.clear();
    const std::string text = rows.Text();
    const std::size_t firstRow = (rows.Wires() + rows.Impedance()).size() + 120;
    const std::size_t zeros = (kMostPatternPoints + 1) * 122, size = text.size() + zeros;
    auto* bytes = static_cast<char*>(::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0));
    ASSERT_NE(bytes, MAP_FAILED);
    text.copy(bytes, firstRow);
    text.copy(bytes + firstRow + zeros, std::string::npos, firstRow);
    EXPECT_FALSE(ReadListing({bytes, size}));
    ::munmap(bytes, size);
}

// Why a file gave nothing: it could not be read (the reason), or it holds no listing (none).
// Neither an empty file nor one far larger than memory is copied.
TEST(ListingReader, TellsAnUnreadableFileFromOneThatHoldsNoListing) {
    CScratchFolder folder;
    std::ofstream(folder / "empty.out").close();
    std::ofstream(folder / "huge.out").close();
    std::filesystem::resize_file(folder / "huge.out", std::uintmax_t{200} << 30);
    const std::pair<std::string, std::string> cases[] = {
        {"empty.out", ""}, {"huge.out", ""}, {"missing.out", "No such file or directory"}};
    for (const auto& [name, reason] : cases) {
        std::string error = "stale";
        EXPECT_FALSE(ReadListingFile(folder / name, error)) << name;
        EXPECT_EQ(error, reason) << name;
    }
}

TEST(Atof, ReadsDecimalNumbersAsTheCLibraryDoes) {
    const std::pair<const char*, double> cases[] = {
        {" \t+2.5e", 2.5}, {"-.5E+1x", -5}, {"7.", 7},  {"1e999", HUGE_VAL}, {"-1e999", -HUGE_VAL},
        {"1e-999", 0},     {"0x1A", 0},     {"inf", 0}, {"nan", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(Atof(text), value) << text;
    for (int exponent = -30; exponent <= 30; ++exponent) {
        for (const std::string mantissa : {"1", "-7.25", "123456789012345678901"}) {
            const std::string text = mantissa + "E" + std::to_string(exponent);
            EXPECT_EQ(Atof(text), std::strtod(text.c_str(), nullptr)) << text;
        }
    }
}

}  // namespace
