#include <gtest/gtest.h>

#include <cmath>

#include "solver/ListingLayout.h"

namespace {

// Quadrell takes "TAG" and "WIRE" first in a line read of 79 and 117 characters
// (a last token carries the line feed), and " DEGREES  DEGREES" as a read of 17.
TEST(ListingLayoutTest, KnowsWhichLinesTheReaderWouldTakeForMarkers) {
    // clang-format off
    const std::pair<std::string, bool> cases[] = {
        {"  TAG", false}, {"  TAG ", true},
        {"  TAGS x", false}, {std::string(79, 'x') + "  TAG x", true},
        {std::string(76, 'x') + " TAG x", false}, {std::string(75, ' ') + "TAG", false},
        {std::string(76, ' ') + "TAG", true},
        {std::string(117, 'y') + "WIRE x", true}, {std::string(116, 'y') + "WIRE x", false},
        {std::string(17, '-') + " DEGREES  DEGREES", true}, {" DEGREES  DEGREES", true},
        {std::string(16, '-') + " DEGREES  DEGREES", false},
        {" DEGREES   DEGREES        DB", false}, {"  DEGREES  DEGREES", false}};
    // clang-format on
    for (const auto& [line, trips] : cases) EXPECT_EQ(TripsListingMarker(line), trips) << line;
}

// Ten characters follow the marker, so that it starts 22 bytes before the end.
TEST(ListingLayoutTest, RunTimeLineIsAlwaysTwentyCharacters) {
    const std::pair<double, const char*> cases[] = {
        {0.004, "RUN TIME =  0.00 SEC"},   {999.99, "RUN TIME =999.99 SEC"},
        {999.995, "RUN TIME =  1000 SEC"}, {999999.5, "RUN TIME =999999 SEC"},
        {std::nan(""), "RUN TIME =  0.00 SEC"}};
    for (const auto& [seconds, line] : cases) EXPECT_EQ(RunTimeLine(seconds), line) << seconds;
}

// Numbers too wide give up digits, other texts show as asterisks, tiny numbers as 0.
TEST(ListingLayoutTest, RowsFitEveryValueInItsPlace) {
    PatternRowBuffer row;
    FormatPatternRow({"-170.00", "-180.00", "-999.99", "-15.73", "-15.73", "-0.9391", "-45.00",
                      "RIGHT", "8.4669E-02", "-116.83", "1.2345E-100", "-179.99"},
                     row);
    EXPECT_EQ(std::string(row.data(), row.size()),
              " -170.00  -180.00    -999.99   -15.73   -15.73    -0.9391   -45.00  RIGHT     "
              "8.4669E-02    -116.83  1.234E-100  -179.99");

    EXPECT_EQ(InputTableRow("123456789", "4", {"-8.2698E+100"}),
              " ******       4 -8.270E+100" + std::string(96, ' '));

    EXPECT_EQ(WireTableRow(9, {0.1234567, -100, 1e-40, 12345.67, 0, -0.0005, 0.005, 12, 3}),
              "    9  1.234567E-01 -1.000000E+02  0.000000E+00  1.234567E+04  0.000000E+00 "
              "-5.000000E-04 5.0000E-03    12     3");
}

}  // namespace
