#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "solver/ListingLayout.h"

namespace {

double NumberAt(std::string_view line, std::size_t begin, std::size_t width) {
    return std::atof(std::string(line.substr(begin, width)).c_str());
}

struct MarkerCase {
    std::string line;
    bool trips;
};

TEST(ListingLayoutTest, KnowsWhichLinesTheReaderWouldTakeForMarkers) {
    const std::string pad79(79, 'x');
    const std::string pad117(117, 'y');
    const MarkerCase cases[] = {
        {"  TAG   SEG       VOLTAGE (VOLTS)", true},
        {"TAG 1 IS FED", true},
        {"  TAG", false},  // the token carries the line feed
        {"  TAG ", true},
        {"  TAGS", false},
        {"  tag   seg", false},
        {pad79 + "  TAG x", true},
        {std::string(76, 'x') + " TAG x", false},  // split across two reads
        {"  WIRE   No.", true},
        {pad117 + "WIRE x", true},
        {pad117.substr(1) + "WIRE x", false},
        {" DEGREES  DEGREES", true},
        {std::string(17, '-') + " DEGREES  DEGREES", true},
        {std::string(16, '-') + " DEGREES  DEGREES", false},
        {" DEGREES   DEGREES        DB", false},
        {"  DEGREES  DEGREES", false},
        {" degrees  degrees", false},
        {"RUN TIME = 12", false},
        {"", false},
    };
    for (const MarkerCase& c : cases) EXPECT_EQ(TripsListingMarker(c.line), c.trips) << c.line;
    EXPECT_EQ(LowerCased("  TAG   SEG (OHMS) 1.0E+01"), "  tag   seg (ohms) 1.0e+01");
}

TEST(ListingLayoutTest, TableHeadsHaveTheLengthsAndMarkersTheReaderNeeds) {
    const std::string tagLine = InputTableHeaderLine();
    EXPECT_EQ(tagLine.substr(0, tagLine.find_first_not_of(' ') + 4),
              std::string(tagLine.find('T'), ' ') + "TAG ");
    EXPECT_GE(tagLine.size(), 79u);
    EXPECT_LE(tagLine.size(), 79u + 116u);
    EXPECT_LE(InputTableHeadingLine().size(), 116u);

    const std::string wireLine = WireTableHeaderLine();
    EXPECT_EQ(wireLine.substr(0, 7), "  WIRE ");
    EXPECT_LE(wireLine.size(), 116u);
    EXPECT_LE(WireTableHeadingLine().size(), 116u);

    const std::string units = PatternUnitsLine();
    EXPECT_EQ(units.size(), 118u);
    EXPECT_EQ(units.substr(0, 17), " DEGREES  DEGREES");
    EXPECT_EQ(PatternEndLine(12).substr(0, 3), " **");

    // Only the three marker lines may look like markers.
    for (const std::string& line :
         {InputTableHeadingLine(), WireTableHeadingLine(),
          PatternHeadingLine("----- POWER GAINS -----"), PatternLabelLine("VERTC", "HORIZ"),
          PatternEndLine(65341), RunTimeLine(1.5)}) {
        EXPECT_LE(line.size(), 116u) << line;
        EXPECT_FALSE(TripsListingMarker(line)) << line;
    }
}

TEST(ListingLayoutTest, RunTimeLineIsAlwaysTwentyCharacters) {
    for (double seconds : {0.0, 0.004, 1.5, 59.999, 999.99, 999.996, 1000.4, 123456.7, 999999.4,
                           1e9, -3.0, std::numeric_limits<double>::quiet_NaN()}) {
        const std::string line = RunTimeLine(seconds);
        EXPECT_EQ(line.size(), 20u) << line;
        EXPECT_EQ(line.substr(0, 10), "RUN TIME =");
    }
    EXPECT_EQ(RunTimeLine(1.5), "RUN TIME =  1.50 SEC");
}

TEST(ListingLayoutTest, PatternRowPutsEachFieldWhereTheReaderLooks) {
    const PatternRowTexts texts = {"-170.00",    "-180.00", "-999.99",     "-15.73",
                                   "-15.73",     "-0.9391", "-45.00",      "RIGHT",
                                   "8.4669E-02", "-116.83", "1.2345E-100", "-179.99"};
    PatternRowBuffer row;
    FormatPatternRow(texts, row);
    const std::string_view text(row.data(), row.size());
    EXPECT_FLOAT_EQ(NumberAt(text, 0, 10), -170.0f);
    EXPECT_FLOAT_EQ(NumberAt(text, 10, 10), -180.0f);
    EXPECT_FLOAT_EQ(NumberAt(text, 77, 12), 8.4669e-2f);
    EXPECT_NEAR(NumberAt(text, 101, 12), 1.2345e-100, 1e-103);
    EXPECT_EQ(text.substr(68, 6), "RIGHT ");
    // No two fields run together.
    EXPECT_EQ(text.substr(0, 1), " ");
    for (std::size_t column : {8u, 9u, 17u, 28u, 37u, 46u, 57u, 66u, 76u, 77u, 88u, 100u, 111u})
        EXPECT_EQ(text[column], ' ') << column;
    EXPECT_EQ(text.substr(112), " -179.99");
}

TEST(ListingLayoutTest, InputRowPutsTheImpedanceInColumns63To86) {
    const std::array<std::string_view, kInputValueCount> values = {
        "1.0000E+00", "0.0000E+00", "9.2058E-03",  "-5.1547E-03", "8.2698E+01",
        "4.6306E+01", "9.2058E-03", "-5.1547E-03", "4.6029E-03"};
    const std::string row = InputTableRow("0", "4", values);
    EXPECT_EQ(row.substr(63, 12), "  8.2698E+01");
    EXPECT_EQ(row.substr(75, 12), "  4.6306E+01");
    EXPECT_EQ(row.substr(0, 15), "      0       4");
    EXPECT_EQ(InputTableRow("123456789", "4", values).substr(0, 7), " ******");
}

TEST(ListingLayoutTest, WireRowKeepsSevenDigitsInSevenTokens) {
    const WireRow wire{0.1234567, -100, 1e-40, 12345.67, 0, -0.0005, 0.005, 12, 3};
    const std::string row = WireTableRow(9, wire);
    EXPECT_LE(row.size(), 116u);
    char first[16];
    float values[6];
    ASSERT_EQ(std::sscanf(row.c_str(), "%15s %f %f %f %f %f %f", first, &values[0], &values[1],
                          &values[2], &values[3], &values[4], &values[5]),
              7);
    EXPECT_STREQ(first, "9");
    EXPECT_FLOAT_EQ(values[0], 0.1234567f);
    EXPECT_FLOAT_EQ(values[1], -100.0f);
    EXPECT_FLOAT_EQ(values[2], 0.0f);
    EXPECT_FLOAT_EQ(values[3], 12345.67f);
    EXPECT_FLOAT_EQ(values[5], -0.0005f);
}

}  // namespace
